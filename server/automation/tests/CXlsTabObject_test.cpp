// Worksheet.Tab (ColorIndex, Color) and Window.GridlineColorIndex: what a
// put keeps, what it refuses, and what a get then reports.
#include "server/automation/CXlsTabObject.h"

#include <gtest/gtest.h>

#include "server/automation/tests/support/DispatchClient.h"

using namespace servertest;

namespace {

constexpr std::int32_t kNone = -4142;
constexpr std::int32_t kAutomatic = -4105;

struct ColorPut {
    std::int32_t put;
    bool accepted;
    std::int32_t reads;  // ColorIndex after the put
};

}  // namespace

TEST(XlsServerTab, ColorIndexPutsAndReadsOfTabAndGridlines) {
    ServerFixture server = StartWithWorkbook();
    ObjectRef tab = GetObject(server.sheet.Get(), u"Tab");
    ObjectRef window = GetObject(server.application.Get(), u"ActiveWindow");
    EXPECT_EQ(Get(tab.Get(), u"ColorIndex").value.GetLong(), kNone);
    EXPECT_EQ(Get(window.Get(), u"GridlineColorIndex").value.GetLong(), kAutomatic);
    // Each put follows the one before it; a refused one leaves the colour.
    const ColorPut tabPuts[] = {{10, true, 10},
                                {0, false, 10},
                                {57, false, 10},
                                {56, true, 56},
                                {kAutomatic, true, kNone},
                                {1, true, 1},
                                {kNone, true, kNone}};
    for (const ColorPut& c : tabPuts) {
        EXPECT_EQ(Put(tab.Get(), u"ColorIndex", CVariant::Long(c.put)).Ok(), c.accepted) << c.put;
        EXPECT_EQ(Get(tab.Get(), u"ColorIndex").value.GetLong(), c.reads) << c.put;
    }
    const ColorPut gridPuts[] = {{23, true, 23}, {-1, false, 23}, {kNone, true, kAutomatic}};
    for (const ColorPut& c : gridPuts) {
        EXPECT_EQ(Put(window.Get(), u"GridlineColorIndex", CVariant::Long(c.put)).Ok(), c.accepted)
            << c.put;
        EXPECT_EQ(Get(window.Get(), u"GridlineColorIndex").value.GetLong(), c.reads) << c.put;
    }
}

TEST(XlsServerTab, ColorGoesThroughTheWorkbookPalette) {
    ServerFixture server = StartWithWorkbook();
    ObjectRef tab = GetObject(server.sheet.Get(), u"Tab");
    EXPECT_EQ(Get(tab.Get(), u"Color").value.Type(), VT_BOOL) << "False without a colour";
    // Palette entry 20 made a colour of its own: an RGB near it picks it,
    // and the tab then reads the palette's colour.
    const CVariant rgb = CVariant::Long(0x123456);
    ASSERT_TRUE(
        Call(server.workbook.Get(), u"Colors", DISPATCH_PROPERTYPUT, {CVariant::Long(20)}, {}, &rgb)
            .Ok());
    ASSERT_TRUE(Put(tab.Get(), u"Color", CVariant::Long(0x133557)).Ok());
    EXPECT_EQ(Get(tab.Get(), u"ColorIndex").value.GetLong(), 20);
    EXPECT_EQ(Get(tab.Get(), u"Color").value.GetLong(), 0x123456);
    EXPECT_FALSE(Put(tab.Get(), u"Color", CVariant::Long(0x1000000)).Ok());
    EXPECT_EQ(Get(tab.Get(), u"ColorIndex").value.GetLong(), 20);
    ASSERT_TRUE(Put(tab.Get(), u"Color", CVariant::Bool(false)).Ok());
    EXPECT_EQ(Get(tab.Get(), u"ColorIndex").value.GetLong(), kNone);
}
