// Writes one worksheet of the model into the active worksheet of the
// server, phase by phase in a fixed order, each only when its save-option
// bit is set:
//
//   bit 16  MULBLANK records: progress only
//   bit 64  columns: the standard width (STANDARDWIDTH / DEFCOLWIDTH), then
//           widths, hidden columns and formats (COLINFO;
//           CSaveSheetLayoutWriter for the widths)
//   bit 128 rows: the standard height (DEFAULTROWHEIGHT), custom heights and
//           hidden rows in runs, then default formats (ROW)
//   bit 32  merged ranges (MERGEDCELLS)
//   bit 16  BLANK and MULBLANK cells: their cell format
//   bit 1   numbers: NUMBER cells, then RK and MULRK cells
//   bit 2   formulas (CSaveFormulaWriter)
//   bit 4   Booleans and cell errors (BOOLERR)
//   bit 8   texts: LABELSST cells, then inline LABEL / RSTRING cells
//   bit 8   cell comments (NOTE with the text of its object; CSaveCommentWriter)
//   any     conditional formats (CSaveConditionalFormatWriter), hyperlinks
//           (CSaveHyperlinkWriter), then data validations
//           (CSaveValidationWriter): no options of their own, they are
//           written whenever the save writes any kind of content
//
// Later phases write over earlier ones at the same cell. Cells and columns
// beyond column IV (255) are skipped: a worksheet has no such column. Each
// record handled adds one to the save progress, whether or not anything is
// written for it. Every phase returns at once when a stop is requested and
// checks again before each record. Positions handed on are 1-based.
//
// The numbers, Booleans and errors, and texts go to the server in blocks
// of cells (CSaveValueBlocks), written when their phase ends and before its
// cell formats: the cells are those that one write per record would give.
#pragma once

#include <cstdint>

#include "save/CSaveCellFormatter.h"
#include "save/CSaveSheetLayoutWriter.h"
#include "save/CSaveValueBlocks.h"

class CExcelRecordMULBLANK;
class CExcelWorkBook;
class CExcelWorkSheet;
class CSaveOption;
class CSaveProgress;
class CXLEzAutomation;

class CSaveSheetWriter {
public:
    // All held by reference for the writer's life.
    CSaveSheetWriter(CXLEzAutomation& automation, const CExcelWorkBook& workbook,
                     const CExcelWorkSheet& worksheet, CSaveProgress& progress);

    // Runs the phases that options select. False when a stop request ended
    // the writing.
    bool Write(const CSaveOption& options);
    // Lets Write delete each kind of cell record of worksheet, the sheet it
    // writes, once the cells of that kind and their formats are in the
    // server (CExcelWorkSheet::RemoveCellRecords).
    void RemoveCellsOnceWritten(CExcelWorkSheet& worksheet) { m_removeWritten = &worksheet; }

private:
    bool MulBlankProgress();
    bool Columns();
    bool Rows();
    bool Numbers();
    bool Formulas();
    bool BooleansAndErrors();
    bool Texts();
    bool BlankCellFormats();
    // The XFs of one MULBLANK record's cells, a run per XF.
    void MulBlankFormats(const CExcelRecordMULBLANK& record);
    bool MergedRanges();
    bool Comments();
    bool ConditionalFormats();
    bool Hyperlinks();
    bool Validations();

    // The stop check and the progress step before one record: false when a
    // stop is requested.
    bool NextRecord();

    CXLEzAutomation& m_automation;
    const CExcelWorkBook& m_workbook;
    const CExcelWorkSheet& m_worksheet;
    CSaveProgress& m_progress;
    CSaveCellFormatter m_formatter;
    CSaveSheetLayoutWriter m_layout;
    // The constant values of the phase running, written in blocks.
    CSaveValueBlocks m_values;
    CExcelWorkSheet* m_removeWritten = nullptr;
};
