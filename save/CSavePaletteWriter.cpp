#include "save/CSavePaletteWriter.h"

#include <algorithm>

#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordPALETTE.h"
#include "save/CXLEzAutomation.h"

namespace {

constexpr std::uint32_t kCountSize = 2;
constexpr std::uint32_t kColorSize = 4;

}  // namespace

std::uint32_t CSavePaletteWriter::ColorCount(const CByteBuffer& payload, std::uint32_t length) {
    if (length < kCountSize) return 0;
    // A count the body cannot hold is damage: the colours really there stay.
    const std::uint32_t held = (length - kCountSize) / kColorSize;
    return std::min({static_cast<std::uint32_t>(payload.ReadU16(0)), held, kMaxColors});
}

void CSavePaletteWriter::Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook) {
    const CExcelRecordPALETTE* palette = workbook.GetPalettes().GetTail();
    if (palette == nullptr) return;
    const CByteBuffer& payload = palette->GetPayload();
    const std::uint32_t count = ColorCount(payload, palette->GetLength());
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t at = kCountSize + i * kColorSize;
        const std::int32_t rgb =
            payload.ReadU8(at) | (payload.ReadU8(at + 1) << 8) | (payload.ReadU8(at + 2) << 16);
        automation.SetPaletteColor(static_cast<std::int16_t>(i + 1), rgb);
    }
}
