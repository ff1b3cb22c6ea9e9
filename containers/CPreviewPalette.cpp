#include "containers/CPreviewPalette.h"

#include <algorithm>

#include "records/CConstData.h"
#include "records/CExcelRecordPALETTE.h"

namespace {

constexpr std::uint32_t kFixedColors = 8;

}  // namespace

CPreviewPalette::CPreviewPalette(const CExcelRecordPALETTE* record) {
    if (record == nullptr) return;
    const std::uint32_t count = std::min(record->ColorCount(), kColors);
    for (std::uint32_t i = 0; i < count; ++i) m_custom[i] = record->ColorRgb(i);
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
