// The cells a repaired worksheet holds: one value per (row, column), as the
// saved workbook will have them.
//
// The save writes a sheet's cells in phases, each phase writing over what
// the earlier ones wrote at the same cell: numbers (NUMBER records, then RK
// and MULRK cells), formulas (FORMULA records, with their cached results),
// Booleans and errors (BOOLERR), texts (LABELSST, then the inline LABEL and
// RSTRING texts). Inside a phase, records are written in the order the
// parser met them, so a later record wins. This view applies the same rule,
// so that what the command-line dump prints, what the tests compare and
// what the save writes agree.
//
// A text cell whose shared string is missing (a LABELSST index past the
// table) writes nothing when saved: it is kept as a lost cell only where no
// earlier phase gave the cell a value. BLANK and MULBLANK cells carry only
// formatting and are not cells of this view.
//
// Built once from the model and then read-only. Formula cells point at
// their FORMULA record, which stays owned by the worksheet: the view must
// not outlive the model it was built from.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CDateFormatTest;
class CExcelRecordFormula;
class CExcelSSTDataList;
class CExcelWorkBook;
class CExcelWorkSheet;

// What a recovered cell holds.
enum class ERecoveredValue : std::uint8_t {
    Number,   // m_number
    Text,     // m_text
    Boolean,  // m_code: 0 FALSE, anything else TRUE
    Error,    // m_code: the error code as stored
    Empty,    // a formula whose cached result is the empty value
    Lost,     // a LABELSST cell whose shared string is missing
};

struct CRecoveredCell {
    std::uint16_t m_row = 0;
    std::uint16_t m_column = 0;
    std::uint16_t m_xfIndex = 0;
    ERecoveredValue m_kind = ERecoveredValue::Number;
    // A number whose cell format shows a date or a time.
    bool m_date = false;
    // A text holding a surrogate that is not half of a pair (a string cut
    // inside a character, bytes overwritten): the save stores U+FFFD for
    // each such unit.
    bool m_brokenText = false;
    double m_number = 0.0;
    std::uint8_t m_code = 0;
    std::u16string m_text;
    // The FORMULA record of a formula cell (its value is the cached
    // result); null for a constant.
    const CExcelRecordFormula* m_formula = nullptr;

    bool IsFormula() const { return m_formula != nullptr; }
};

// How much of each cell the view fills in: everything, or only where the
// cells are, what kind of value each holds, its XF, its FORMULA record and
// whether its text is broken (texts left empty, m_date false): enough to
// count and locate the cells without copying a shared or inline text.
enum class ERecoveredDetail : std::uint8_t { Values, Kinds };

class CRecoveredCells {
public:
    // The view of sheet, whose shared strings and cell formats are those of
    // workbook. dates tells date formats from others; it must belong to the
    // same workbook. Without one, a test of the view's own is used.
    CRecoveredCells(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
                    ERecoveredDetail detail = ERecoveredDetail::Values);
    CRecoveredCells(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
                    CDateFormatTest& dates);

    // Hands each cell of the view, by row and then by column, to visit, with
    // the details ERecoveredDetail::Kinds fills in, without keeping them: a
    // large sheet's cells are never held all at once.
    static void ForEachCell(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
                            const std::function<void(const CRecoveredCell&)>& visit);

    // How many cells the view of sheet holds (GetCount), without making
    // them: one key per cell record, sorted. Given the workbook's shared
    // strings, lost cells are left out: the count of cells holding a value.
    static std::size_t CountCells(const CExcelWorkSheet& sheet,
                                  const CExcelSSTDataList* strings = nullptr);

    // Every cell, by row and then by column.
    const std::vector<CRecoveredCell>& GetCells() const { return m_cells; }
    std::size_t GetCount() const { return m_cells.size(); }
    // The cell at (row, column), or null when the sheet holds none there.
    const CRecoveredCell* Find(std::uint16_t row, std::uint16_t column) const;

private:
    void Build(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
               CDateFormatTest* dates);

    std::vector<CRecoveredCell> m_cells;
};
