#include "app/MainWindowPlace.h"

#include <gtest/gtest.h>

namespace {

struct FrameCase {
    const char* what;
    std::optional<WindowPlace> stored;
    QRect expected;
};

TEST(MainWindowPlace, StoredPlaceComesBackOnItsScreenElseTwoThirdsOfThePrimary) {
    const QRect left(0, 0, 1920, 1050);
    const QRect right(1920, 0, 1280, 1000);
    const QList<QRect> screens{left, right};
    const FrameCase cases[] = {
        {"nothing stored", std::nullopt, QRect(320, 175, 1280, 700)},
        {"on the first screen", WindowPlace{100, 50, 1000, 700, false}, QRect(100, 50, 1000, 700)},
        {"on the second screen", WindowPlace{2000, 100, 800, 600, true},
         QRect(2000, 100, 800, 600)},
        {"mostly on the second", WindowPlace{1800, 100, 800, 600, false},
         QRect(1920, 100, 800, 600)},
        {"larger than its screen", WindowPlace{1950, -30, 3000, 2000, false},
         QRect(1920, 0, 1280, 1000)},
        {"half off the bottom", WindowPlace{100, 900, 800, 600, false}, QRect(100, 450, 800, 600)},
        {"a screen that is gone", WindowPlace{4000, 100, 800, 600, false},
         QRect(320, 175, 1280, 700)},
        {"a sliver showing", WindowPlace{-790, 100, 800, 600, false}, QRect(320, 175, 1280, 700)},
    };
    for (const FrameCase& c : cases) {
        EXPECT_EQ(ChooseWindowFrame(c.stored, left, screens), c.expected) << c.what;
    }
    // A screen smaller than the smallest window: the window fills it.
    const QRect tiny(0, 0, 600, 400);
    EXPECT_EQ(ChooseWindowFrame(std::nullopt, tiny, {tiny}), tiny);
}

}  // namespace
