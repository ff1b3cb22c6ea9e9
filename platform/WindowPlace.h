// Where the main window stood when it last closed: its normal frame (the
// size it returns to when no longer maximised), in screen pixels, and
// whether it was maximised. Kept in the settings as one line
// "x,y,width,height,maximised", e.g. "120,80,1280,800,0".
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool maximised = false;
};

// The place a settings value describes; nothing when the value is empty or
// not five integers in range (sizes 1..kMaxWindowExtent, positions within
// that much either side of the origin, the flag 0 or 1), as a hand-edited or
// damaged file can give.
std::optional<WindowPlace> ParseWindowPlace(std::u16string_view text);
std::u16string FormatWindowPlace(const WindowPlace& place);

inline constexpr int kMaxWindowExtent = 100000;
