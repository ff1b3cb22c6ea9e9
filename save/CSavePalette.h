// Carries the source workbook's PALETTE record to the new workbook: each
// entry as Workbook.Colors(i), so that ColorIndex i shows the source's
// colour. The record is u16 count, then count x (red, green, blue, unused);
// entries past 56 or past the record's bytes are not there, and a missing
// record leaves the default palette.
#pragma once

class CExcelWorkBook;
class CXLEzAutomation;

class CSavePalette {
public:
    // The palette of workbook's first PALETTE record; false when it has none.
    static bool Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook);
};
