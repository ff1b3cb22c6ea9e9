// The font a format condition applies (FormatCondition.Font): Bold,
// Italic, Strikethrough, Underline (the styles of Font.Underline), ColorIndex
// (1-56 or -4105 automatic) and Size (points, 1 to 409). A property the
// condition leaves as the cell has it reads Null; a write makes it part of
// the condition.
#pragma once

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsConditionTarget.h"

class CXlsConditionFontObject : public CTXlsServerObject<CXlsConditionFontObject> {
public:
    explicit CXlsConditionFontObject(CXlsConditionTarget target);

private:
    HRESULT Bold(CDispatchCall& call);
    HRESULT Italic(CDispatchCall& call);
    HRESULT Strikethrough(CDispatchCall& call);
    HRESULT Underline(CDispatchCall& call);
    HRESULT ColorIndex(CDispatchCall& call);
    HRESULT Size(CDispatchCall& call);

    HRESULT Flag(CDispatchCall& call, std::optional<bool> CXlsConditionFormat::*field);

    static constexpr CTDispatchMember<CXlsConditionFontObject> kMembers[] = {
        {u"Bold", EMemberAccess::kGetPut, &CXlsConditionFontObject::Bold, {}},
        {u"Italic", EMemberAccess::kGetPut, &CXlsConditionFontObject::Italic, {}},
        {u"Strikethrough", EMemberAccess::kGetPut, &CXlsConditionFontObject::Strikethrough, {}},
        {u"Underline", EMemberAccess::kGetPut, &CXlsConditionFontObject::Underline, {}},
        {u"ColorIndex", EMemberAccess::kGetPut, &CXlsConditionFontObject::ColorIndex, {}},
        {u"Size", EMemberAccess::kGetPut, &CXlsConditionFontObject::Size, {}},
    };

    CXlsConditionTarget m_target;
};
