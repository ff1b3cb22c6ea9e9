// The comments phase of one worksheet, after its cells are written: each
// comment the repair kept (its NOTE with the text of its drawing object) is
// added to its cell through the server, with its author and whether it is
// shown at all times. A comment whose text was lost is added with an empty
// text: its cell and author are what is left of it. Comments beyond column
// IV (255) are skipped, and so is a second comment on a cell (the server
// keeps the first).
//
// Progress: one step per comment. The stop request is checked at the start
// and before every comment.
#pragma once

class CExcelWorkSheet;
class CSaveProgress;
class CXLEzAutomation;

class CSaveCommentWriter {
public:
    // All held by reference for the writer's life.
    CSaveCommentWriter(CXLEzAutomation& automation, const CExcelWorkSheet& worksheet,
                       CSaveProgress& progress);

    // False when a stop request ended the phase.
    bool Write();

private:
    CXLEzAutomation& m_automation;
    const CExcelWorkSheet& m_worksheet;
    CSaveProgress& m_progress;
};
