// How one direction of the grid splits into panes when the sheet freezes
// its first rows (or columns): the frozen ones stay at the top (left) of
// the viewport, and the scrolled ones start right after them, the scroll
// bar's value counting from there. Without frozen ones there is one pane.
//
// Pixels are in the viewport's coordinates; indices are grid indices.
#pragma once
#include <cstdint>
#include <vector>

class CGridAxis;

class CGridPanes {
public:
    struct Band {
        int first = 0;  // the band's first and last index that shows
        int last = 0;
        std::int64_t scroll = 0;  // the scroll offset its cells are drawn at
        int from = 0;             // the viewport pixels it covers, [from, to)
        int to = 0;
    };

    // How many of the first indices stay frozen: frozen, held within the
    // axis, or none when they would fill the room the viewport gives
    // (header excluded), since nothing could scroll then.
    static int Frozen(const CGridAxis& axis, int frozen, int room);
    // Where the scrolled indices start, in axis pixels: the frozen extent.
    static std::int64_t FrozenExtent(const CGridAxis& axis, int frozen);

    // The frozen band (when frozen > 0) and the scrolled band that show in
    // a viewport of size pixels whose header takes header pixels; frozen as
    // Frozen gives it.
    static std::vector<Band> Bands(const CGridAxis& axis, int frozen, std::int64_t scroll,
                                   int header, int size);
};
