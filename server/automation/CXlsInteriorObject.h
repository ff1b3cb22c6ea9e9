// The fill of a range: ColorIndex, Pattern and PatternColorIndex. Reads
// report the top-left cell; writes change every cell's fill.
//
// Pattern takes the file's fill-pattern numbers, 0 (none) to 18, which is
// what the save sends, and -4142 for none. ColorIndex takes a palette index
// 1-56, -4105 (automatic) or -4142 (none: removes the fill); a colour on a
// cell without fill makes the fill solid. PatternColorIndex takes a palette
// index or automatic.
#pragma once

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsInteriorObject : public CTXlsServerObject<CXlsInteriorObject> {
public:
    explicit CXlsInteriorObject(CXlsRangeTarget target);

private:
    HRESULT ColorIndex(CDispatchCall& call);
    HRESULT Pattern(CDispatchCall& call);
    HRESULT PatternColorIndex(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsInteriorObject> kMembers[] = {
        {u"ColorIndex", EMemberAccess::kGetPut, &CXlsInteriorObject::ColorIndex, {}},
        {u"Pattern", EMemberAccess::kGetPut, &CXlsInteriorObject::Pattern, {}},
        {u"PatternColorIndex", EMemberAccess::kGetPut, &CXlsInteriorObject::PatternColorIndex, {}},
    };

    CXlsRangeTarget m_target;
};
