#include "server/automation/CXlsBorderObject.h"

#include "server/automation/XlsAutomationConstants.h"

CXlsBorderObject::CXlsBorderObject(CXlsRangeTarget target, std::int32_t index)
    : CTXlsServerObject(kMembers), m_target(std::move(target)), m_index(index) {}

std::vector<CXlsBorderObject::Stretch> CXlsBorderObject::Stretches(const CXlsCellRange& range,
                                                                   std::int32_t index) {
    const std::uint32_t r0 = range.FirstRow();
    const std::uint32_t r1 = range.LastRow();
    const std::uint32_t c0 = range.FirstColumn();
    const std::uint32_t c1 = range.LastColumn();
    switch (index) {
        case xlauto::kBorderLeft:
            return {{range, CXlsBorders::kLeft}};
        case xlauto::kBorderRight:
            return {{range, CXlsBorders::kRight}};
        case xlauto::kBorderTop:
            return {{range, CXlsBorders::kTop}};
        case xlauto::kBorderBottom:
            return {{range, CXlsBorders::kBottom}};
        case xlauto::kDiagonalDown:
            return {{range, CXlsBorders::kDiagonalDown}};
        case xlauto::kDiagonalUp:
            return {{range, CXlsBorders::kDiagonalUp}};
        case xlauto::kEdgeLeft:
            return {{CXlsCellRange(r0, c0, r1, c0), CXlsBorders::kLeft}};
        case xlauto::kEdgeTop:
            return {{CXlsCellRange(r0, c0, r0, c1), CXlsBorders::kTop}};
        case xlauto::kEdgeBottom:
            return {{CXlsCellRange(r1, c0, r1, c1), CXlsBorders::kBottom}};
        case xlauto::kEdgeRight:
            return {{CXlsCellRange(r0, c1, r1, c1), CXlsBorders::kRight}};
        case xlauto::kInsideVertical:
            // A line between two columns is the right edge of the one and
            // the left edge of the other; both cells carry it, as readers
            // look at either.
            if (c0 == c1) return {};
            return {{CXlsCellRange(r0, c0, r1, c1 - 1), CXlsBorders::kRight},
                    {CXlsCellRange(r0, c0 + 1, r1, c1), CXlsBorders::kLeft}};
        case xlauto::kInsideHorizontal:
            if (r0 == r1) return {};
            return {{CXlsCellRange(r0, c0, r1 - 1, c1), CXlsBorders::kBottom},
                    {CXlsCellRange(r0 + 1, c0, r1, c1), CXlsBorders::kTop}};
        default:
            break;
    }
    return {};
}

namespace {

template <class Change>
HRESULT ChangeLines(const CXlsRangeTarget& target, std::int32_t index, CDispatchCall& call,
                    Change change, std::u16string_view refusal) {
    for (const CXlsBorderObject::Stretch& stretch :
         CXlsBorderObject::Stretches(target.range, index)) {
        const bool changed = target.Modify(
            stretch.cells, CXlsCellFormat::kGroupBorder,
            [&](CXlsCellFormat& format) { return change(format.Borders(), stretch.edge); });
        if (!changed) return call.Raise(xlauto::kRefusedCall, std::u16string(refusal));
    }
    return S_OK;
}

}  // namespace

HRESULT CXlsBorderObject::LineStyle(CDispatchCall& call) {
    const auto stretches = Stretches(m_target.range, m_index);
    if (!call.IsPut()) {
        std::int32_t style = CXlsBorders::kLineNone;
        if (!stretches.empty()) {
            const CXlsCellRange& cells = stretches.front().cells;
            style = m_target.FormatAt(cells.FirstRow(), cells.FirstColumn())
                        .Borders()
                        .LineStyle(stretches.front().edge);
        }
        call.SetResult(CVariant::Long(style));
        return S_OK;
    }
    std::int32_t style = 0;
    if (HRESULT status = call.PutLong(style); Failed(status)) return status;
    if (style == xlauto::kNone) style = CXlsBorders::kLineNone;
    return ChangeLines(
        m_target, m_index, call,
        [style](CXlsBorders& borders, CXlsBorders::EEdge edge) {
            return borders.SetLineStyle(edge, style);
        },
        u"A line style is 0 to 13.");
}

HRESULT CXlsBorderObject::ColorIndex(CDispatchCall& call) {
    const auto stretches = Stretches(m_target.range, m_index);
    if (!call.IsPut()) {
        std::int32_t colorIndex = xlauto::kAutomatic;
        if (!stretches.empty()) {
            const CXlsCellRange& cells = stretches.front().cells;
            colorIndex = m_target.FormatAt(cells.FirstRow(), cells.FirstColumn())
                             .Borders()
                             .ColorIndex(stretches.front().edge);
        }
        call.SetResult(CVariant::Long(colorIndex));
        return S_OK;
    }
    std::int32_t colorIndex = 0;
    if (HRESULT status = call.PutLong(colorIndex); Failed(status)) return status;
    return ChangeLines(
        m_target, m_index, call,
        [colorIndex](CXlsBorders& borders, CXlsBorders::EEdge edge) {
            return borders.SetColorIndex(edge, colorIndex);
        },
        u"A colour index is 1 to 56 or -4105 (automatic).");
}
