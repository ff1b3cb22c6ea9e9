#include "server/automation/CXlsConditionTarget.h"

#include "server/CXlsColorIndex.h"
#include "server/automation/XlsAutomationConstants.h"

CXlsCondition* CXlsConditionTarget::Find(CDispatchCall& call) const {
    CXlsConditionalFormat* format = m_range.sheet->ConditionalFormats().Find(m_range.range);
    if (format == nullptr || m_index >= format->conditions.size()) {
        call.Raise(xlauto::kRefusedCall, u"The format condition is no longer there.");
        return nullptr;
    }
    return &format->conditions[m_index];
}

bool CXlsConditionTarget::ToFileColor(std::int32_t colorIndex, std::uint16_t automatic,
                                      std::uint16_t& out) {
    if (!CXlsColorIndex::IsPaletteOrAutomatic(colorIndex)) return false;
    out = CXlsColorIndex::ToBiff(colorIndex, automatic);
    return true;
}

std::int32_t CXlsConditionTarget::FromFileColor(std::uint16_t color) {
    constexpr std::uint16_t kFirst = 8;
    constexpr std::uint16_t kLast = 63;
    return color >= kFirst && color <= kLast ? color - 7 : CXlsColorIndex::kAutomatic;
}
