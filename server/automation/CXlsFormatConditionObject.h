// One condition of a range's conditional format (what FormatConditions.Add
// and Item give): Type (1 cell value, 2 expression) and Operator (1-8, 0
// for an expression) read only, and the formatting it applies: Font,
// Interior and Borders(Index) (see CXlsConditionBorderObject for the
// indices; the index is needed).
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsConditionTarget.h"

class CXlsFormatConditionObject : public CTXlsServerObject<CXlsFormatConditionObject> {
public:
    explicit CXlsFormatConditionObject(CXlsConditionTarget target);

private:
    HRESULT Type(CDispatchCall& call);
    HRESULT Operator(CDispatchCall& call);
    HRESULT Font(CDispatchCall& call);
    HRESULT Interior(CDispatchCall& call);
    HRESULT Borders(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsFormatConditionObject> kMembers[] = {
        {u"Type", EMemberAccess::kGet, &CXlsFormatConditionObject::Type, {}},
        {u"Operator", EMemberAccess::kGet, &CXlsFormatConditionObject::Operator, {}},
        {u"Font", EMemberAccess::kGet, &CXlsFormatConditionObject::Font, {}},
        {u"Interior", EMemberAccess::kGet, &CXlsFormatConditionObject::Interior, {}},
        {u"Borders", EMemberAccess::kGet, &CXlsFormatConditionObject::Borders, {u"Index"}},
    };

    CXlsConditionTarget m_target;
};
