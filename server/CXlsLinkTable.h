// What a workbook's formulas refer to beyond their own sheet: the
// EXTERNSHEET entries, the add-in functions called by name (the
// EXTERNNAMEs of the add-in SUPBOOK) and the other workbooks (one SUPBOOK
// each). Formulas only ever add to it.
//
// The formula compiler registers a formula's links inside a trial and ends
// it when it knows whether the formula is taken: the links of a refused
// formula are undone, so that it leaves the table as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/CXlsExternSheetTable.h"
#include "server/CXlsExternalBook.h"

class CXlsLinkTable {
public:
    // Each returns the EXTERNSHEET index of its entry, adding what is new,
    // or -1 when something does not fit (a table or a record is full, a
    // path cannot be encoded, a name is too long).

    // This workbook's sheets with these ids (kDeletedSheet for both: a
    // reference to a sheet that was deleted).
    int ThisWorkbook(std::uint32_t firstSheetId, std::uint32_t lastSheetId);
    // An add-in function by the name its EXTERNNAME holds; `nameIndex`
    // gets the EXTERNNAME's 1-based index.
    int AddInFunction(std::u16string_view name, std::uint16_t& nameIndex);
    // Sheets first to last of another workbook, by its readable path; both
    // "#REF": a sheet of it that is gone.
    int OtherSheets(std::u16string_view path, std::u16string_view first, std::u16string_view last);
    // A name of another workbook: of its sheet `sheet`, or of the whole
    // workbook when `sheet` is empty. `nameIndex` gets the EXTERNNAME's
    // 1-based index.
    int OtherName(std::u16string_view path, std::u16string_view sheet, std::u16string_view name,
                  std::uint16_t& nameIndex);

    // Everything registered between the two calls is kept or undone.
    void BeginTrial();
    void EndTrial(bool keep);

    const CXlsExternSheetTable& ExternSheets() const { return m_externSheets; }
    const std::vector<std::u16string>& AddInFunctions() const { return m_addIns; }
    const std::vector<CXlsExternalBook>& Books() const { return m_books; }

private:
    // The position of the book with this path (compared without regard to
    // case), adding it; -1 when it cannot be added.
    int Book(std::u16string_view path);
    // Notes a book's list sizes before the trial first changes them.
    void Touch(std::size_t book);

    CXlsExternSheetTable m_externSheets;
    std::vector<std::u16string> m_addIns;
    std::vector<CXlsExternalBook> m_books;

    struct Touched {
        std::size_t book;
        std::size_t sheets;
        std::size_t names;
    };
    bool m_inTrial = false;
    std::size_t m_markEntries = 0;
    std::size_t m_markAddIns = 0;
    std::size_t m_markBooks = 0;
    std::vector<Touched> m_touched;
};
