// One border line a format condition applies (FormatCondition.Borders(
// Index)), Index one of the four sides as the object model names them for
// conditions: -4131 left, -4152 right, -4160 top, -4107 bottom.
// LineStyle takes the file's line styles 0-13 (-4142 for none), ColorIndex
// 1-56 or -4105 automatic; writing either makes the line part of the
// condition (a line style with automatic colour, or a colour on no line,
// until the other is written). Unset properties read Null.
#pragma once

#include <cstdint>

#include "server/CXlsCondition.h"
#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsConditionTarget.h"

class CXlsConditionBorderObject : public CTXlsServerObject<CXlsConditionBorderObject> {
public:
    static constexpr std::int32_t kLeft = -4131;
    static constexpr std::int32_t kRight = -4152;
    static constexpr std::int32_t kTop = -4160;
    static constexpr std::int32_t kBottom = -4107;

    CXlsConditionBorderObject(CXlsConditionTarget target, CXlsConditionFormat::EEdge edge);

    // The edge an Index names; false for any other number.
    static bool EdgeOf(std::int32_t index, CXlsConditionFormat::EEdge& edge);

private:
    HRESULT LineStyle(CDispatchCall& call);
    HRESULT ColorIndex(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsConditionBorderObject> kMembers[] = {
        {u"LineStyle", EMemberAccess::kGetPut, &CXlsConditionBorderObject::LineStyle, {}},
        {u"ColorIndex", EMemberAccess::kGetPut, &CXlsConditionBorderObject::ColorIndex, {}},
    };

    CXlsConditionTarget m_target;
    CXlsConditionFormat::EEdge m_edge;
};
