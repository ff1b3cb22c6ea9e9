// Named styles and the XF each cell gets from its style and its own groups,
// read back by xlrd: cells that show the same format but came to it through
// another style, or by putting a group on the cell, keep XFs of their own.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "server/automation/tests/support/DispatchClient.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlrdReadBack.h"

using namespace servertest;

namespace {

// One cell of column A: the style put on it (empty: none), then a number
// format and a font boldness put on it (empty / absent: not put).
struct Case {
    int row;
    std::u16string_view style;
    std::u16string_view numberFormat;
    int bold;  // -1: not put
    // What xlrd reads: the parent style by name, the resolved number format,
    // (empty: not checked), and the XF's used bits for the number format and the font.
    std::string parent;
    std::string shownFormat;
    std::string numberUsed;
    std::string fontUsed;
};

constexpr Case kCases[] = {
    {1, u"Figures", u"", -1, "Figures", "0.000", "0", "0"},
    {2, u"Figures", u"0.000", -1, "Figures", "0.000", "1", "0"},
    {3, u"", u"0.000", -1, "Normal", "0.000", "1", "0"},
    {4, u"Figures", u"", 0, "Figures", "0.000", "0", "1"},
    {5, u"Comma", u"", -1, "Comma", "", "0", "0"},                // its accounting format
    {6, u"Figures", u"0.000", -1, "Figures", "0.000", "1", "0"},  // A2's XF again
};

}  // namespace

TEST(XlsStylesReadBack, SameFormatThroughAnotherStyleOrOwnGroupKeepsItsOwnXf) {
    MENDWELL_REQUIRE_XLRD();
    TempFolder folder;
    const std::filesystem::path path = folder.Path() / "styles.xls";
    {
        ServerFixture server = StartWithWorkbook();
        ObjectRef styles = GetObject(server.workbook.Get(), u"Styles");
        CallResult added =
            Call(styles.Get(), u"Add", DISPATCH_METHOD, {CVariant::Text(u"Figures")});
        ASSERT_EQ(added.status, S_OK);
        ObjectRef figures = added.Object();
        ASSERT_EQ(Put(figures.Get(), u"NumberFormat", CVariant::Text(u"0.000")).status, S_OK);
        ASSERT_EQ(Put(figures.Get(), u"IncludeAlignment", CVariant::Bool(false)).status, S_OK);
        EXPECT_EQ(Call(styles.Get(), u"Add", DISPATCH_METHOD, {CVariant::Text(u"figures")}).status,
                  DISP_E_EXCEPTION)
            << "names are taken ignoring case";

        for (const Case& c : kCases) {
            ObjectRef cell = CellAt(server.sheet.Get(), c.row, 1);
            ASSERT_EQ(Put(cell.Get(), u"Value", CVariant::Double(c.row)).status, S_OK);
            if (!c.style.empty()) {
                ASSERT_EQ(Put(cell.Get(), u"Style", CVariant::Text(std::u16string(c.style))).status,
                          S_OK);
            }
            if (!c.numberFormat.empty()) {
                ASSERT_EQ(
                    Put(cell.Get(), u"NumberFormat", CVariant::Text(std::u16string(c.numberFormat)))
                        .status,
                    S_OK);
            }
            if (c.bold >= 0) {
                ObjectRef font = GetObject(cell.Get(), u"Font");
                ASSERT_EQ(Put(font.Get(), u"Bold", CVariant::Bool(c.bold != 0)).status, S_OK);
            }
        }
        EXPECT_EQ(
            Put(CellAt(server.sheet.Get(), 7, 1).Get(), u"Style", CVariant::Text(u"None")).status,
            DISP_E_EXCEPTION);
        ASSERT_EQ(Call(server.workbook.Get(), u"SaveAs", DISPATCH_METHOD,
                       {CVariant::Text(path.u16string())})
                      .status,
                  S_OK);
    }

    const XlrdDump d = RunXlrd(path);
    ASSERT_TRUE(d.Ran()) << d.Output();
    for (const DumpLine& warning : d.All("warning")) ADD_FAILURE() << warning[1];
    std::map<std::string, std::string> styleXf;  // style XF index to name
    for (const DumpLine& style : d.All("style")) styleXf[style[3]] = style[1];
    EXPECT_EQ(d.Find({"style", "\"Comma\""}), (DumpLine{"1", "16"})) << "a built-in style";
    EXPECT_EQ(d.Find({"style", "\"Figures\""}).at(0), "0") << "a style of the workbook's own";

    std::map<std::string, int> rowOfXf;
    for (const Case& c : kCases) {
        const std::string row = std::to_string(c.row - 1);
        SCOPED_TRACE("row " + std::to_string(c.row));
        const DumpLine xf = d.Find({"xf", "0", row, "0"});
        ASSERT_EQ(xf.size(), 2u);
        EXPECT_EQ(styleXf[xf[1]], "\"" + c.parent + "\"");
        if (!c.shownFormat.empty()) {
            EXPECT_EQ(d.Find({"format", "0", row, "0"}), (DumpLine{"\"" + c.shownFormat + "\""}));
        }
        const DumpLine used = d.Find({"used", "0", row, "0"});
        ASSERT_EQ(used.size(), 4u);
        EXPECT_EQ(used[0], c.numberUsed);
        EXPECT_EQ(used[1], c.fontUsed);
        rowOfXf.emplace(xf[0], c.row);
    }
    EXPECT_EQ(rowOfXf.size(), std::size(kCases) - 1) << "only A6 shares an XF (A2's)";
}
