#include "save/CSavePaletteWriter.h"

#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordPALETTE.h"
#include "save/CXLEzAutomation.h"

void CSavePaletteWriter::Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook) {
    const CExcelRecordPALETTE* palette = workbook.GetPalettes().GetTail();
    if (palette == nullptr) return;
    const std::uint32_t count = palette->ColorCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        // Colors takes the Windows value: red in the low byte.
        const std::uint32_t rgb = palette->ColorRgb(i);
        const auto windows =
            static_cast<std::int32_t>((rgb >> 16) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
        automation.SetPaletteColor(static_cast<std::int16_t>(i + 1), windows);
    }
}
