#include "containers/CPreviewPalette.h"

#include <algorithm>

#include "records/CConstData.h"
#include "records/CExcelRecordPALETTE.h"

namespace {

constexpr std::uint32_t kFixedColors = 8;
constexpr std::uint32_t kCountSize = 2;
constexpr std::uint32_t kColorSize = 4;  // red, green, blue, unused

}  // namespace

CPreviewPalette::CPreviewPalette(const CExcelRecordPALETTE* record) {
    if (record == nullptr || record->GetLength() < kCountSize) return;
    const CByteBuffer& payload = record->GetPayload();
    const std::uint32_t held = (record->GetLength() - kCountSize) / kColorSize;
    const std::uint32_t count =
        std::min({static_cast<std::uint32_t>(payload.ReadU16(0)), held, kColors});
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t at = kCountSize + i * kColorSize;
        m_custom[i] = static_cast<std::uint32_t>(payload.ReadU8(at)) << 16 |
                      static_cast<std::uint32_t>(payload.ReadU8(at + 1)) << 8 |
                      payload.ReadU8(at + 2);
    }
}

std::optional<std::uint32_t> CPreviewPalette::Color(std::uint32_t index) const {
    // The fixed colours are the first eight of the default palette, and no
    // PALETTE record changes them.
    if (index < kFixedColors)
        index += kFirstIndex;
    else if (index - kFirstIndex < kColors && m_custom[index - kFirstIndex])
        return m_custom[index - kFirstIndex];
    bool found = false;
    const std::uint32_t windows = CConstData::GetDefaultColor(index, found);
    if (!found) return std::nullopt;
    // The default palette holds Windows colour values: red in the low byte.
    return (windows & 0xFF) << 16 | (windows & 0xFF00) | (windows >> 16 & 0xFF);
}
