#include "platform/WindowPlace.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct PlaceCase {
    std::u16string text;
    std::optional<WindowPlace> expected;
};

TEST(WindowPlace, ParsesFiveIntegersInRangeAndRefusesAnythingElse) {
    const PlaceCase cases[] = {
        {u"120,80,1280,800,0", WindowPlace{120, 80, 1280, 800, false}},
        {u"-1920,-5,640,480,1", WindowPlace{-1920, -5, 640, 480, true}},
        {u"0,0,100000,1,0", WindowPlace{0, 0, 100000, 1, false}},
        {u"", std::nullopt},
        {u"120,80,1280,800", std::nullopt},       // a field short
        {u"120,80,1280,800,0,7", std::nullopt},   // a field over
        {u"120,80,0,800,0", std::nullopt},        // no width
        {u"120,80,-5,800,0", std::nullopt},       // negative height or width
        {u"120,80,100001,800,0", std::nullopt},   // wider than any screen
        {u"999999,80,1280,800,0", std::nullopt},  // far off every screen
        {u"120,80,1280,800,2", std::nullopt},     // the flag is 0 or 1
        {u"120, 80,1280,800,0", std::nullopt},    // spaces are damage
        {u"120,,1280,800,0", std::nullopt},       // an empty field
        {u"-,80,1280,800,0", std::nullopt},       // a sign alone
        {u"1e3,80,1280,800,0", std::nullopt},     // not decimal digits
        {u"99999999999,0,1,1,0", std::nullopt},   // would overflow
    };
    for (const PlaceCase& c : cases) {
        const std::string label(c.text.begin(), c.text.end());
        const std::optional<WindowPlace> place = ParseWindowPlace(c.text);
        ASSERT_EQ(place.has_value(), c.expected.has_value()) << label;
        if (!place) continue;
        EXPECT_EQ(place->x, c.expected->x) << label;
        EXPECT_EQ(place->y, c.expected->y) << label;
        EXPECT_EQ(place->width, c.expected->width) << label;
        EXPECT_EQ(place->height, c.expected->height) << label;
        EXPECT_EQ(place->maximised, c.expected->maximised) << label;
        // What is written reads back as the same text.
        EXPECT_EQ(FormatWindowPlace(*place), c.text) << label;
    }
}

}  // namespace
