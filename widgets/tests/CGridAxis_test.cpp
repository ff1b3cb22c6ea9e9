#include "widgets/CGridAxis.h"

#include <gtest/gtest.h>

namespace {

CGridAxis MakeAxis(int count, std::function<int(int)> sizeOf = {}) {
    CGridAxis axis;
    axis.Rebuild(count, 17, sizeOf);
    return axis;
}

}  // namespace

TEST(CGridAxisLayout, UnsetAndNonPositiveSizesTakeTheDefault) {
    const CGridAxis axis =
        MakeAxis(4, [](int index) { return index == 2 ? 40 : (index == 3 ? -5 : 0); });
    EXPECT_EQ(axis.GetSize(1), 17);
    EXPECT_EQ(axis.GetSize(2), 40);
    EXPECT_EQ(axis.GetSize(3), 17);
    EXPECT_EQ(axis.GetStart(3), 57);
    EXPECT_EQ(axis.GetTotal(), 74);
}

TEST(CGridAxisLayout, HugeSizeFromDamagedDataIsCapped) {
    const CGridAxis axis = MakeAxis(3, [](int index) { return index == 1 ? 2000000000 : 0; });
    EXPECT_EQ(axis.GetSize(1), CGridAxis::kMaxSize);
    EXPECT_EQ(axis.GetTotal(), CGridAxis::kMaxSize + 17);
}

TEST(CGridAxisLayout, HeaderOnlyAndEmptyAxesHaveNoCells) {
    EXPECT_EQ(MakeAxis(0).IndexAt(5), 0);
    EXPECT_EQ(MakeAxis(1).IndexAt(5), 0);
    EXPECT_EQ(MakeAxis(1).GetTotal(), 0);
    EXPECT_EQ(MakeAxis(0).GetSize(1), 0);
}

TEST(CGridAxisSearch, PixelOnABoundaryBelongsToTheNextIndex) {
    const CGridAxis axis = MakeAxis(5);
    EXPECT_EQ(axis.IndexAt(0), 1);
    EXPECT_EQ(axis.IndexAt(16), 1);
    EXPECT_EQ(axis.IndexAt(17), 2);
    EXPECT_EQ(axis.IndexAt(67), 4);
}

TEST(CGridAxisSearch, PixelsOutsideTheAxisClampToItsEnds) {
    const CGridAxis axis = MakeAxis(5);
    EXPECT_EQ(axis.IndexAt(-100), 1);
    EXPECT_EQ(axis.IndexAt(68), 4);
    EXPECT_EQ(axis.IndexAt(1000000), 4);
    EXPECT_EQ(axis.GetStart(99), axis.GetTotal());
    EXPECT_EQ(axis.GetSize(5), 0);
}

TEST(CGridAxisSearch, FindsEveryRowOfAFullSheetWithMixedHeights) {
    const CGridAxis axis = MakeAxis(65001, [](int row) { return row % 7 == 0 ? 30 : 0; });
    for (int row = 1; row < 65001; row += 997) {
        EXPECT_EQ(axis.IndexAt(axis.GetStart(row)), row);
        EXPECT_EQ(axis.IndexAt(axis.GetStart(row) + axis.GetSize(row) - 1), row);
    }
    EXPECT_EQ(axis.IndexAt(axis.GetTotal() - 1), 65000);
}
