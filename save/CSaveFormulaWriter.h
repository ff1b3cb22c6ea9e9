// The formula phase of one worksheet: first the cached result of every
// FORMULA record as its cell's value, then each record's formula and the
// cell's format.
//
// A formula is written only when its text is a sound decode of its tokens;
// the server may still refuse it (a function it lacks, a reference it
// cannot store). Either way the cell keeps the cached result written first,
// with its number and cell format: a formula cell of the source is never
// left empty, and no cell gets a value or formula its own record does not
// give it.
//
// Every cell of a shared range has its own record, with the range's tokens
// decoded relative to that cell. Records down a column that each hold the
// formula of the one above filled one row down (CExcelFormulaFill) are
// written as one filled range, the first of them on its own and the rest
// with one call: only the cells those records name are filled, so a cell
// that holds something else keeps it. An array formula is written once, by the record its
// ARRAY record followed, over the whole array range, and only when every
// cell of that range has a record belonging to it; otherwise its cells keep
// their cached results.
//
// Progress: one step per FORMULA record, in the formula pass. The stop
// request is checked at the start and before every record of both passes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CExcelRecordFormula;
class CExcelWorkBook;
class CExcelWorkSheet;
class CSaveCellFormatter;
class CSaveProgress;
class CXLEzAutomation;

class CSaveFormulaWriter {
public:
    // All held by reference for the writer's life.
    CSaveFormulaWriter(CXLEzAutomation& automation, const CExcelWorkBook& workbook,
                       const CExcelWorkSheet& worksheet, CSaveCellFormatter& formatter,
                       CSaveProgress& progress);

    // The whole phase for the worksheet's FORMULA records. False when a stop
    // request ended it.
    bool Write();

    // One record: its formula (or its array over the array range), then the
    // cell format; then the record's decoded text is let go.
    void WriteFormulaCell(const CExcelRecordFormula& record);

private:
    // One column's fill: the latest record whose formula a fill could
    // continue (its decode kept until the next record of the column is
    // seen), the records held since the fill's first one, each the one
    // above filled down, and the first held one's formula.
    struct ColumnFill {
        const CExcelRecordFormula* last = nullptr;
        std::vector<const CExcelRecordFormula*> held;
        std::u16string text;
    };

    // Whether the record's formula is written on its own (not as an array's
    // cell) and can be: a sound, non-empty text.
    bool IsWritable(const CExcelRecordFormula& record) const;
    // Writes the record's formula, holds it for its column's fill, or
    // writes the held fill first; the cell format follows either way.
    void Place(const CExcelRecordFormula& record);
    // The formula of one record, without its cell format.
    void WriteFormulaOf(const CExcelRecordFormula& record);
    // The held records as one filled range (each on its own when the server
    // refuses the range), then their decodes are let go.
    void WriteHeld(ColumnFill& fill);

    bool WriteCachedResults();
    // Counts, per array host, the records of its range that belong to it.
    void CountArrayCells();
    // Whether every cell of host's array range has a record of that array.
    bool ArrayIsWhole(const CExcelRecordFormula& host) const;

    CXLEzAutomation& m_automation;
    const CExcelWorkBook& m_workbook;
    const CExcelWorkSheet& m_worksheet;
    CSaveCellFormatter& m_formatter;
    CSaveProgress& m_progress;
    std::map<const CExcelRecordFormula*, std::uint32_t> m_arrayCells;
    std::vector<ColumnFill> m_fills;  // by 0-based column
};
