// The conditional formats of one worksheet: each a range and its
// conditions, tested in the order they were added. Conditions added over a
// range that already has a format join that format; over any other range,
// overlapping or not, they start a format of their own (the file keeps
// overlapping formats apart as well).
#pragma once

#include <cstddef>
#include <vector>

#include "server/CXlsCellRange.h"
#include "server/CXlsCondition.h"

struct CXlsConditionalFormat {
    CXlsCellRange range;
    std::vector<CXlsCondition> conditions;
};

class CXlsConditionalFormats {
public:
    // The most conditions one worksheet holds here.
    static constexpr std::size_t kMaxConditions = 65534;

    // The condition's position within the format of `range`, or -1 when
    // the range lies outside the sheet or the sheet is full.
    int Add(const CXlsCellRange& range, CXlsCondition condition);
    // The format over exactly this range, or null. Valid until the next Add
    // or Remove.
    CXlsConditionalFormat* Find(const CXlsCellRange& range);
    // Removes every format whose range lies inside `range`.
    void RemoveInside(const CXlsCellRange& range);
    const std::vector<CXlsConditionalFormat>& Items() const { return m_formats; }

private:
    std::vector<CXlsConditionalFormat> m_formats;
    std::size_t m_conditions = 0;
};
