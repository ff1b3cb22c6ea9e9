// The hyperlink phase of one worksheet, after its cells are written: one
// Hyperlinks.Add per HLINK record of the model, over the record's range
// (1-based; a range reaching past column IV is cut there, one starting past
// it is skipped), with its address, location and tool tip.
//
// The description goes in as TextToDisplay only when the range's top-left
// cell already holds that very text, so that the link keeps its
// description without the server writing a cell value: the spreadsheet
// puts TextToDisplay into the cell, and a repair never changes a value.
// Otherwise it is left out and the cell stays as the earlier phases left
// it.
//
// A link into this workbook keeps its location as it was: sheet names are
// kept by the save, so "Sheet2!A1" still names the same place.
//
// Progress: one step per HLINK record. The stop request is checked at the
// start and before every record.
#pragma once

class CExcelWorkSheet;
class CSaveProgress;
class CXLEzAutomation;

class CSaveHyperlinkWriter {
public:
    // All held by reference for the writer's life.
    CSaveHyperlinkWriter(CXLEzAutomation& automation, const CExcelWorkSheet& worksheet,
                         CSaveProgress& progress);

    // False when a stop request ended the phase.
    bool Write();

private:
    CXLEzAutomation& m_automation;
    const CExcelWorkSheet& m_worksheet;
    CSaveProgress& m_progress;
};
