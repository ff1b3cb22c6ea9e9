// The hyperlinks of one worksheet, in the order they were added. A range
// carries at most one hyperlink: adding one over the same range replaces
// the one there, as the spreadsheet does; hyperlinks over other ranges,
// overlapping or not, stay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "server/CXlsHyperlink.h"

class CXlsHyperlinks {
public:
    // The most hyperlinks one worksheet holds.
    static constexpr std::size_t kMaxPerSheet = 65530;

    // False, changing nothing, when the range lies outside the sheet, the
    // link has neither an address nor a sub-address, its records would not
    // fit (CXlsHyperlinkRecord), or the sheet is full.
    bool Add(CXlsHyperlink link);
    // The hyperlink over exactly this range, or null. Valid until the next
    // Add.
    const CXlsHyperlink* Find(const CXlsCellRange& range) const;
    const std::vector<CXlsHyperlink>& Items() const { return m_links; }

private:
    static std::uint64_t Key(const CXlsCellRange& range);

    std::vector<CXlsHyperlink> m_links;
    // Range key -> position in m_links, so that a sheet full of links is
    // not searched once per link added.
    std::unordered_map<std::uint64_t, std::size_t> m_byRange;
};
