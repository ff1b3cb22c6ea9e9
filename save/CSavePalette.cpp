#include "save/CSavePalette.h"

#include <algorithm>
#include <cstdint>

#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordPALETTE.h"
#include "save/CXLEzAutomation.h"

namespace {

constexpr std::uint32_t kCountBytes = 2;
constexpr std::uint32_t kEntryBytes = 4;
constexpr std::uint32_t kPaletteSize = 56;

}  // namespace

bool CSavePalette::Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook) {
    const CExcelRecordPALETTE* palette = workbook.GetPalettes().GetHead();
    if (palette == nullptr || palette->GetLength() < kCountBytes) return false;
    const CByteBuffer& payload = palette->GetPayload();
    // A count larger than the bytes that follow is cut to the entries there.
    const std::uint32_t stored = (palette->GetLength() - kCountBytes) / kEntryBytes;
    const std::uint32_t count =
        std::min({static_cast<std::uint32_t>(payload.ReadU16(0)), stored, kPaletteSize});
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t at = kCountBytes + i * kEntryBytes;
        const std::int32_t rgb =
            payload.ReadU8(at) | (payload.ReadU8(at + 1) << 8) | (payload.ReadU8(at + 2) << 16);
        automation.SetPaletteColor(static_cast<std::int16_t>(i + 1), rgb);
    }
    return true;
}
