// One border line of a range (see CXlsBordersObject for the indices):
// LineStyle takes the file's line-style numbers, 0 (none) to 13, which is
// what the save sends, and -4142 for none; ColorIndex a palette index 1-56
// or -4105 (automatic; -4142 is taken as automatic). Reads report the first
// cell the line runs along.
#pragma once

#include <cstdint>
#include <vector>

#include "server/CXlsBorders.h"
#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsBorderObject : public CTXlsServerObject<CXlsBorderObject> {
public:
    static constexpr std::int32_t kFirstIndex = 1;
    static constexpr std::int32_t kLastIndex = 12;

    // index: kFirstIndex to kLastIndex.
    CXlsBorderObject(CXlsRangeTarget target, std::int32_t index);

    // The cells and the cell edge that a border index draws on, for a range:
    // an index of the outline or the inside names the part of the range it
    // runs along; empty when the range has no such part (the inside of one
    // cell).
    struct Stretch {
        CXlsCellRange cells;
        CXlsBorders::EEdge edge;
    };
    static std::vector<Stretch> Stretches(const CXlsCellRange& range, std::int32_t index);

private:
    HRESULT LineStyle(CDispatchCall& call);
    HRESULT ColorIndex(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsBorderObject> kMembers[] = {
        {u"LineStyle", EMemberAccess::kGetPut, &CXlsBorderObject::LineStyle, {}},
        {u"ColorIndex", EMemberAccess::kGetPut, &CXlsBorderObject::ColorIndex, {}},
    };

    CXlsRangeTarget m_target;
    std::int32_t m_index;
};
