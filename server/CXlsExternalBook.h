// Another workbook that formulas refer to: its path as formulas write it,
// the encoded path its SUPBOOK record stores, the sheets of it that
// formulas use (the SUPBOOK's sheet list, in the order first used) and its
// names that formulas use (its EXTERNNAME records, counted from 1 by
// ptgNameX). Nothing else about the other file is known: no cell of it is
// cached.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CXlsExternalBook {
public:
    struct BookName {
        std::u16string text;
        // The position of its sheet in the sheet list, or
        // CXlsExternSheetTable::kNoSheet for a name of the whole workbook.
        std::uint32_t sheet;
    };

    CXlsExternalBook(std::u16string path, std::u16string encodedPath);

    const std::u16string& Path() const { return m_path; }
    const std::u16string& EncodedPath() const { return m_encodedPath; }
    const std::vector<std::u16string>& Sheets() const { return m_sheets; }
    const std::vector<BookName>& Names() const { return m_names; }

    // The position of a sheet (compared without regard to case), adding it
    // when it is new; -1 when the SUPBOOK record would outgrow one record.
    int SheetIndex(std::u16string_view name);
    // The 0-based position of a name of a sheet (or kNoSheet), adding it
    // when it is new; -1 when the name is empty or over 255 characters, or
    // ptgNameX could not count that far.
    int NameIndex(std::u16string_view text, std::uint32_t sheet);
    // Drops the sheets and names from these counts on (a refused
    // formula's).
    void Truncate(std::size_t sheets, std::size_t names);

    // The body size of the SUPBOOK record.
    std::size_t RecordBodySize() const { return m_recordSize; }

private:
    std::u16string m_path;
    std::u16string m_encodedPath;
    std::vector<std::u16string> m_sheets;
    std::vector<BookName> m_names;
    std::size_t m_recordSize;
};
