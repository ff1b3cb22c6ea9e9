// Carries a workbook's custom colours (its PALETTE record) onto the saved
// workbook through Workbook.Colors(Index), so that the colour indices the
// cells use keep their RGB. The PALETTE body is a u16 count and then, for
// colour index 8 on, red, green, blue and one unused byte each; only the
// colours that the body wholly holds, up to the 56 of a palette, are taken.
#pragma once

#include <cstdint>

class CByteBuffer;
class CExcelWorkBook;
class CXLEzAutomation;

class CSavePaletteWriter {
public:
    static constexpr std::uint32_t kMaxColors = 56;

    // The last PALETTE record of the workbook, when it has one.
    static void Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook);
    // How many colours a PALETTE body of `length` bytes really holds.
    static std::uint32_t ColorCount(const CByteBuffer& payload, std::uint32_t length);
};
