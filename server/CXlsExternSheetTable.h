// The EXTERNSHEET entries of a workbook's formulas: each names a SUPBOOK
// (this workbook, the add-in functions, or another workbook) and a first
// and a last sheet in it, and compiled formulas refer to an entry by its
// index (the EXTERNSHEET index of ptgRef3d, ptgArea3d, ptgNameX and the
// like). This workbook's sheets are named by their ids, so that an entry
// follows its sheets when they move; the file gets their positions at the
// time of writing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CXlsExternSheetTable {
public:
    // Entry::book for the two SUPBOOKs that are not another workbook.
    static constexpr std::uint32_t kThisWorkbook = 0xFFFFFFFF;
    static constexpr std::uint32_t kAddIns = 0xFFFFFFFE;
    // Entry::first and last of this workbook: a sheet that was deleted
    // (sheet ids start at 1).
    static constexpr std::uint32_t kDeletedSheet = 0;
    // Entry::first and last of another workbook or the add-ins: no sheet
    // (add-in functions, names of a whole workbook).
    static constexpr std::uint32_t kNoSheet = 0xFFFE;
    // Entry::first and last of another workbook: a sheet of it that is gone.
    static constexpr std::uint32_t kOtherDeletedSheet = 0xFFFF;

    struct Entry {
        // kThisWorkbook, kAddIns, or another workbook's position in the
        // workbook's link table.
        std::uint32_t book = kThisWorkbook;
        // This workbook: sheet ids. Another workbook: positions in its
        // SUPBOOK's sheet list, or kNoSheet. The add-ins: kNoSheet.
        std::uint32_t first = 0;
        std::uint32_t last = 0;
        bool operator==(const Entry& other) const = default;
    };

    // The index of the entry, adding it when it is new; -1 when the table
    // is full (one EXTERNSHEET record's worth, 1370).
    int Register(const Entry& entry);
    // This workbook's sheets with these ids.
    int Register(std::uint32_t firstSheetId, std::uint32_t lastSheetId) {
        return Register(Entry{kThisWorkbook, firstSheetId, lastSheetId});
    }
    const std::vector<Entry>& Entries() const { return m_entries; }
    // Drops the entries from `count` on (a refused formula's).
    void Truncate(std::size_t count);

private:
    std::vector<Entry> m_entries;
};
