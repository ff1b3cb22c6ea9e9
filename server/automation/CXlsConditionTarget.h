// What the objects of one format condition act on: the condition at
// `index` of the conditional format over `range` on a worksheet, found
// again on each call (so that an object whose format was deleted fails
// instead of pointing at freed memory), and the colour indices they
// exchange.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "server/CXlsCondition.h"
#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsConditionTarget {
public:
    CXlsConditionTarget(CXlsRangeTarget range, std::size_t index)
        : m_range(std::move(range)), m_index(index) {}

    const CXlsRangeTarget& Range() const { return m_range; }
    // The condition, or null (and the refusal raised on call) once it is
    // gone.
    CXlsCondition* Find(CDispatchCall& call) const;

    // A ColorIndex argument (1-56 or automatic) as a file colour index,
    // `automatic` standing for automatic; false for any other number.
    static bool ToFileColor(std::int32_t colorIndex, std::uint16_t automatic, std::uint16_t& out);
    // A file colour index as ColorIndex: 8-63 the palette, anything else
    // automatic.
    static std::int32_t FromFileColor(std::uint16_t color);

private:
    CXlsRangeTarget m_range;
    std::size_t m_index;
};
