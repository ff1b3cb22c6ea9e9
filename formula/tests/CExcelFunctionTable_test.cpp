#include "formula/CExcelFunctionTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

namespace {

using Table = CExcelFunctionTable;

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

// --- The table as a whole ---------------------------------------------------------------------

TEST(CExcelFunctionTable, FilledRowsHaveUniqueNamesAndOrderedCounts) {
    std::set<std::u16string> names;
    std::uint32_t filled = 0;
    for (std::uint32_t index = 0; index < Table::kRowCount; ++index) {
        const std::u16string name = Table::GetName(index);
        if (name.empty()) {
            EXPECT_EQ(Table::GetMinArgs(index), 0) << index;
            EXPECT_EQ(Table::GetMaxArgs(index), 0) << index;
            continue;
        }
        ++filled;
        EXPECT_TRUE(names.insert(name).second) << "duplicate " << Narrow(name) << " at " << index;
        EXPECT_LE(name.size(), Table::kMaxNameLength) << index;
        EXPECT_LE(Table::GetMinArgs(index), Table::GetMaxArgs(index)) << index;
        EXPECT_LE(Table::GetMaxArgs(index), 30) << index;
        for (char16_t c : name) {
            const bool allowed = (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.';
            EXPECT_TRUE(allowed) << "index " << index << " " << Narrow(name);
        }
    }
    EXPECT_EQ(filled, 247u);
}

TEST(CExcelFunctionTable, RowsFrom368UpAndPastTheEndAreEmpty) {
    for (std::uint32_t index = 368; index < Table::kRowCount + 4; ++index) {
        EXPECT_TRUE(Table::GetName(index).empty()) << index;
        EXPECT_EQ(Table::GetMaxArgs(index), 0) << index;
    }
    EXPECT_TRUE(Table::GetName(0xFFFF).empty());
    EXPECT_TRUE(Table::GetName(0xFFFFFFFFu).empty());
    EXPECT_EQ(Table::GetMinArgs(0xFFFFFFFFu), 0);
}

TEST(CExcelFunctionTable, EveryFilledRowRoundTripsThroughItsName) {
    for (std::uint32_t index = 0; index < Table::kRowCount; ++index) {
        const std::u16string name = Table::GetName(index);
        if (name.empty()) continue;
        EXPECT_EQ(Table::FindByName(name), static_cast<int>(index)) << Narrow(name);
        EXPECT_EQ(Table::GetName(static_cast<std::uint32_t>(Table::FindByName(name))), name);
    }
}

// --- Rows the decoder depends on --------------------------------------------------------------

TEST(CExcelFunctionTable, KnownRowsHoldTheirNamesAndCounts) {
    struct Expected {
        std::uint32_t index;
        const char16_t* name;
        std::uint8_t minArgs;
        std::uint8_t maxArgs;
    };
    const Expected rows[] = {
        {0, u"COUNT", 0, 30},  {1, u"IF", 2, 3},          {4, u"SUM", 0, 30},
        {19, u"PI", 0, 0},     {14, u"FIXED", 1, 3},  // the number of decimals is optional
        {60, u"RATE", 3, 6},   {100, u"CHOOSE", 2, 30},   {189, u"DPRODUCT", 3, 3},
        {222, u"VDB", 5, 7},   {344, u"SUBTOTAL", 2, 30}, {358, u"GETPIVOTDATA", 2, 30},
        {367, u"VARA", 1, 30},
    };
    for (const Expected& row : rows) {
        EXPECT_EQ(Table::GetName(row.index), row.name) << row.index;
        EXPECT_EQ(Table::GetMinArgs(row.index), row.minArgs) << row.index;
        EXPECT_EQ(Table::GetMaxArgs(row.index), row.maxArgs) << row.index;
    }
}

TEST(CExcelFunctionTable, DescribedRowsHoldTheirPublishedNames) {
    EXPECT_EQ(Table::GetName(18), u"ATAN");
    EXPECT_EQ(Table::GetName(215), u"DBCS");
    EXPECT_EQ(Table::GetName(261), u"ERROR.TYPE");
    EXPECT_EQ(Table::GetName(289), u"HYPGEOMDIST");
    EXPECT_EQ(Table::GetMaxArgs(289), 4);
    EXPECT_EQ(Table::GetName(296), u"NORMSINV");
}

TEST(CExcelFunctionTable, MacroOnlyAndUnusedIndicesAreEmpty) {
    for (std::uint32_t index : {53u, 54u, 55u, 79u, 191u, 192u, 255u, 333u, 400u, 511u}) {
        EXPECT_TRUE(Table::GetName(index).empty()) << index;
        EXPECT_EQ(Table::GetMaxArgs(index), 0) << index;
    }
}

// --- Lookup by name ---------------------------------------------------------------------------

TEST(CExcelFunctionTable, FindByNameIgnoresCase) {
    EXPECT_EQ(Table::FindByName(u"sum"), 4);
    EXPECT_EQ(Table::FindByName(u"Vlookup"), 102);
    EXPECT_EQ(Table::FindByName(u"error.type"), 261);
    EXPECT_EQ(Table::FindByName(u"Log10"), 23);
}

TEST(CExcelFunctionTable, FindByNameRejectsWhatNoRowHolds) {
    EXPECT_EQ(Table::FindByName(u""), -1);
    EXPECT_EQ(Table::FindByName(u"SUMS"), -1);
    EXPECT_EQ(Table::FindByName(u"SU"), -1);
    EXPECT_EQ(Table::FindByName(u" SUM"), -1);
    EXPECT_EQ(Table::FindByName(u"_xlfn.IFERROR"), -1);
    // Only ASCII letters fold: a name with a non-ASCII letter matches nothing.
    EXPECT_EQ(Table::FindByName(u"S\u00DCM"), -1);
    EXPECT_EQ(Table::FindByName(std::u16string(u"SUM\0", 4)), -1);
}

}  // namespace
