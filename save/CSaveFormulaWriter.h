// The formula phase of one worksheet: first the cached result of every
// FORMULA record as its cell's value, then each record's formula with its
// shared-formula fill or array formula, and the cell's format.
//
// A formula is written only when its text is a sound decode of its tokens;
// the server may still refuse it (a function it lacks, a reference into
// another file). Either way the cell keeps the cached result written first,
// with its number and cell format: a formula cell of the source is never
// left empty. Cells of a shared range other than its first have no text of
// their own; the fill from the first cell's record writes them, and since a
// fill also copies the first cell's number format over the range, each such
// cell gets its own number format back once the fills are done.
//
// Progress: one step per FORMULA record, in the formula pass. The stop
// request is checked at the start and before every record of both passes.
#pragma once

#include <cstdint>
#include <string>

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

    // One record: formula, fill or array, then the cell format.
    void WriteFormulaCell(const CExcelRecordFormula& record);

private:
    bool WriteCachedResults();
    // Puts back the number format of every cell that has no text of its own
    // (a cell of a shared range), over what a fill copied onto it.
    bool RestoreFilledFormats();
    // Fills the shared range attached to record from its own cell.
    void FillSharedRange(const CExcelRecordFormula& record, const std::u16string& formula,
                         const std::u16string& format);

    CXLEzAutomation& m_automation;
    const CExcelWorkBook& m_workbook;
    const CExcelWorkSheet& m_worksheet;
    CSaveCellFormatter& m_formatter;
    CSaveProgress& m_progress;
};
