// The border lines of a range: Item(Index) gives one Border (indices as in
// XlsAutomationConstants.h: 1-4 each cell's left, right, top and bottom,
// 5-6 the diagonals, 7-10 the outline's left, top, bottom and right, 11-12
// the lines inside); Count is the number of indices.
#pragma once

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsBordersObject : public CTXlsServerObject<CXlsBordersObject> {
public:
    explicit CXlsBordersObject(CXlsRangeTarget target);

    // The Border for an index argument, or the failure status.
    static HRESULT ItemOf(const CXlsRangeTarget& target, CDispatchCall& call, std::size_t position);

private:
    HRESULT Item(CDispatchCall& call);
    HRESULT Count(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsBordersObject> kMembers[] = {
        {u"Item", EMemberAccess::kGet, &CXlsBordersObject::Item, {u"Index"}},
        {u"Count", EMemberAccess::kGet, &CXlsBordersObject::Count, {}},
    };

    CXlsRangeTarget m_target;
};
