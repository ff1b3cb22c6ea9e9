// Carries a workbook's custom colours (its PALETTE record) onto the saved
// workbook through Workbook.Colors(Index), so that the colour indices the
// cells use keep their RGB: the colours the PALETTE body wholly holds, up
// to the 56 of a palette.
#pragma once

#include <cstdint>

class CExcelWorkBook;
class CXLEzAutomation;

class CSavePaletteWriter {
public:
    // The last PALETTE record of the workbook, when it has one.
    static void Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook);
};
