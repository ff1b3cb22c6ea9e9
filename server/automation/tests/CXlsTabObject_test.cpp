// Worksheet.Tab (ColorIndex, Color) and Window.GridlineColorIndex: what a
// put keeps, what it refuses, and what a get then reports.
#include "server/automation/CXlsTabObject.h"

#include <gtest/gtest.h>

#include "server/automation/tests/support/DispatchClient.h"

using namespace servertest;

TEST(XlsServerTab, ColorPutsKeepPaletteColoursAndRefuseTheRest) {
    constexpr std::int32_t kNone = -4142;
    constexpr std::int32_t kAutomatic = -4105;
    ServerFixture server = StartWithWorkbook();
    ObjectRef tab = GetObject(server.sheet.Get(), u"Tab");
    ObjectRef window = GetObject(server.application.Get(), u"ActiveWindow");
    EXPECT_EQ(Get(window.Get(), u"GridlineColorIndex").value.GetLong(), kAutomatic);
    // {object, member, put, accepted, reads after}: each put follows the
    // one before it, and a refused one leaves the colour.
    const struct {
        IDispatch* object;
        std::u16string_view member;
        std::int32_t put;
        bool accepted;
        std::int32_t reads;
    } puts[] = {
        {tab.Get(), u"ColorIndex", 56, true, 56},
        {tab.Get(), u"ColorIndex", 57, false, 56},
        {tab.Get(), u"ColorIndex", kAutomatic, true, kNone},
        {window.Get(), u"GridlineColorIndex", 23, true, 23},
        {window.Get(), u"GridlineColorIndex", 0, false, 23},
        {window.Get(), u"GridlineColorIndex", kNone, true, kAutomatic},
    };
    for (const auto& c : puts) {
        EXPECT_EQ(Put(c.object, c.member, CVariant::Long(c.put)).Ok(), c.accepted) << c.put;
        EXPECT_EQ(Get(c.object, c.member).value.GetLong(), c.reads) << c.put;
    }
    // Tab.Color goes through the palette: False without a colour; an RGB
    // near palette entry 20 (changed by Colors) picks it.
    EXPECT_EQ(Get(tab.Get(), u"Color").value.Type(), VT_BOOL);
    const CVariant rgb = CVariant::Long(0x123456);
    ASSERT_TRUE(
        Call(server.workbook.Get(), u"Colors", DISPATCH_PROPERTYPUT, {CVariant::Long(20)}, {}, &rgb)
            .Ok());
    ASSERT_TRUE(Put(tab.Get(), u"Color", CVariant::Long(0x133557)).Ok());
    EXPECT_EQ(Get(tab.Get(), u"ColorIndex").value.GetLong(), 20);
    EXPECT_EQ(Get(tab.Get(), u"Color").value.GetLong(), 0x123456);
    EXPECT_FALSE(Put(tab.Get(), u"Color", CVariant::Long(0x1000000)).Ok());
    ASSERT_TRUE(Put(tab.Get(), u"Color", CVariant::Bool(false)).Ok());
    EXPECT_EQ(Get(tab.Get(), u"ColorIndex").value.GetLong(), kNone);
}
