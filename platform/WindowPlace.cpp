#include "platform/WindowPlace.h"

#include <array>
#include <cstddef>

namespace {

// One optionally signed decimal integer of at most six digits, the whole of
// text; nothing otherwise.
std::optional<int> ParseInteger(std::u16string_view text) {
    const bool negative = !text.empty() && text.front() == u'-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 6) return std::nullopt;
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<WindowPlace> ParseWindowPlace(std::u16string_view text) {
    std::array<int, 5> fields{};
    std::size_t count = 0;
    while (true) {
        const std::size_t comma = text.find(u',');
        if (count == fields.size()) return std::nullopt;
        const std::optional<int> value = ParseInteger(text.substr(0, comma));
        if (!value) return std::nullopt;
        fields[count++] = *value;
        if (comma == std::u16string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (count != fields.size()) return std::nullopt;
    const auto within = [](int value, int low, int high) { return value >= low && value <= high; };
    const WindowPlace place{fields[0], fields[1], fields[2], fields[3], fields[4] == 1};
    if (!within(place.x, -kMaxWindowExtent, kMaxWindowExtent) ||
        !within(place.y, -kMaxWindowExtent, kMaxWindowExtent) ||
        !within(place.width, 1, kMaxWindowExtent) || !within(place.height, 1, kMaxWindowExtent) ||
        !within(fields[4], 0, 1)) {
        return std::nullopt;
    }
    return place;
}

std::u16string FormatWindowPlace(const WindowPlace& place) {
    const std::string text = std::to_string(place.x) + ',' + std::to_string(place.y) + ',' +
                             std::to_string(place.width) + ',' + std::to_string(place.height) +
                             ',' + (place.maximised ? '1' : '0');
    return std::u16string(text.begin(), text.end());
}
