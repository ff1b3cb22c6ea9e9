#include "widgets/CGridPanes.h"

#include <algorithm>

#include "widgets/CGridAxis.h"

int CGridPanes::Frozen(const CGridAxis& axis, int frozen, int room) {
    // A damaged PANE may freeze more rows than the sheet has.
    frozen = std::clamp(frozen, 0, std::max(0, axis.GetCount() - 1));
    if (frozen > 0 && FrozenExtent(axis, frozen) >= room) return 0;
    return frozen;
}

std::int64_t CGridPanes::FrozenExtent(const CGridAxis& axis, int frozen) {
    return frozen > 0 ? axis.GetStart(frozen + 1) : 0;
}

std::vector<CGridPanes::Band> CGridPanes::Bands(const CGridAxis& axis, int frozen,
                                                std::int64_t scroll, int header, int size) {
    std::vector<Band> bands;
    const int count = axis.GetCount();
    if (count < 2) return bands;
    const std::int64_t extent = FrozenExtent(axis, frozen);
    if (frozen > 0) bands.push_back({1, frozen, 0, header, header + static_cast<int>(extent)});
    // The scrolled band's first index is the one under its top edge; the
    // last is where the next start would lie beyond the viewport's edge, so
    // only the visible cells are read.
    Band scrolled;
    scrolled.first = std::max(axis.IndexAt(scroll + extent), frozen + 1);
    if (scrolled.first >= count) return bands;
    scrolled.last = scrolled.first;
    while (scrolled.last + 1 < count && header + axis.GetStart(scrolled.last + 1) - scroll < size)
        ++scrolled.last;
    scrolled.scroll = scroll;
    scrolled.from = header + static_cast<int>(extent);
    scrolled.to = size;
    bands.push_back(scrolled);
    return bands;
}
