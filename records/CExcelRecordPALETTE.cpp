#include "records/CExcelRecordPALETTE.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kCountSize = 2;
constexpr std::uint32_t kColorSize = 4;

}  // namespace

CExcelRecordPALETTE::CExcelRecordPALETTE(const std::uint8_t* payload, std::uint32_t n)
    : m_payload(payload, n), m_length(n) {}

std::uint32_t CExcelRecordPALETTE::ColorCount() const {
    if (m_length < kCountSize) return 0;
    // A count the body cannot hold is damage: the colours really there stay.
    const std::uint32_t held = (m_length - kCountSize) / kColorSize;
    return std::min({static_cast<std::uint32_t>(m_payload.ReadU16(0)), held, kMaxColors});
}

std::uint32_t CExcelRecordPALETTE::ColorRgb(std::uint32_t i) const {
    const std::uint32_t at = kCountSize + i * kColorSize;
    return static_cast<std::uint32_t>(m_payload.ReadU8(at)) << 16 |
           static_cast<std::uint32_t>(m_payload.ReadU8(at + 1)) << 8 | m_payload.ReadU8(at + 2);
}
