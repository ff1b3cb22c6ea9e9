#include "server/automation/CXlsConditionBorderObject.h"

#include "server/CXlsBorders.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

constexpr std::uint16_t kAutomaticLineColor = 64;

struct EdgeIndex {
    std::int32_t index;
    CXlsConditionFormat::EEdge edge;
};

constexpr EdgeIndex kEdges[] = {
    {CXlsConditionBorderObject::kLeft, CXlsConditionFormat::kLeft},
    {CXlsConditionBorderObject::kRight, CXlsConditionFormat::kRight},
    {CXlsConditionBorderObject::kTop, CXlsConditionFormat::kTop},
    {CXlsConditionBorderObject::kBottom, CXlsConditionFormat::kBottom},
};

}  // namespace

CXlsConditionBorderObject::CXlsConditionBorderObject(CXlsConditionTarget target,
                                                     CXlsConditionFormat::EEdge edge)
    : CTXlsServerObject(kMembers), m_target(std::move(target)), m_edge(edge) {}

bool CXlsConditionBorderObject::EdgeOf(std::int32_t index, CXlsConditionFormat::EEdge& edge) {
    for (const EdgeIndex& entry : kEdges) {
        if (entry.index == index) {
            edge = entry.edge;
            return true;
        }
    }
    return false;
}

HRESULT CXlsConditionBorderObject::LineStyle(CDispatchCall& call) {
    CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    auto& line = condition->format.lines[m_edge];
    if (!call.IsPut()) {
        call.SetResult(line ? CVariant::Long(line->style) : CVariant::Null());
        return S_OK;
    }
    std::int32_t style = 0;
    if (HRESULT status = call.PutLong(style); Failed(status)) return status;
    if (style == xlauto::kNone) style = CXlsBorders::kLineNone;
    if (style < CXlsBorders::kLineNone || style > CXlsBorders::kLastLineStyle) {
        return call.Raise(xlauto::kRefusedCall, u"A line style is 0 to 13.");
    }
    if (!line) line = CXlsConditionFormat::Line{};
    line->style = static_cast<std::uint8_t>(style);
    return S_OK;
}

HRESULT CXlsConditionBorderObject::ColorIndex(CDispatchCall& call) {
    CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    auto& line = condition->format.lines[m_edge];
    if (!call.IsPut()) {
        call.SetResult(line ? CVariant::Long(CXlsConditionTarget::FromFileColor(line->color))
                            : CVariant::Null());
        return S_OK;
    }
    std::int32_t colorIndex = 0;
    std::uint16_t file = 0;
    if (HRESULT status = call.PutLong(colorIndex); Failed(status)) return status;
    if (!CXlsConditionTarget::ToFileColor(colorIndex, kAutomaticLineColor, file)) {
        return call.Raise(xlauto::kRefusedCall, u"A colour index is 1 to 56 or -4105 (automatic).");
    }
    if (!line) line = CXlsConditionFormat::Line{};
    line->color = static_cast<std::uint8_t>(file);
    return S_OK;
}
