// The fill a format condition applies (FormatCondition.Interior):
// ColorIndex (the fill colour: 1-56 or -4105 automatic), Pattern (the
// file's fill patterns 0-18, -4142 for none) and PatternColorIndex. A
// solid fill set through ColorIndex alone is what the spreadsheet stores
// for a coloured condition. Unset properties read Null.
#pragma once

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsConditionTarget.h"

class CXlsConditionInteriorObject : public CTXlsServerObject<CXlsConditionInteriorObject> {
public:
    explicit CXlsConditionInteriorObject(CXlsConditionTarget target);

private:
    HRESULT ColorIndex(CDispatchCall& call);
    HRESULT Pattern(CDispatchCall& call);
    HRESULT PatternColorIndex(CDispatchCall& call);

    HRESULT Color(CDispatchCall& call, std::optional<std::uint8_t> CXlsConditionFormat::*field,
                  std::uint16_t automatic);

    static constexpr CTDispatchMember<CXlsConditionInteriorObject> kMembers[] = {
        {u"ColorIndex", EMemberAccess::kGetPut, &CXlsConditionInteriorObject::ColorIndex, {}},
        {u"Pattern", EMemberAccess::kGetPut, &CXlsConditionInteriorObject::Pattern, {}},
        {u"PatternColorIndex",
         EMemberAccess::kGetPut,
         &CXlsConditionInteriorObject::PatternColorIndex,
         {}},
    };

    CXlsConditionTarget m_target;
};
