// The defined-name table: which texts can be names, built-in names, scopes,
// and replacing a name in place.
#include "server/CXlsDefinedNames.h"

#include <gtest/gtest.h>

#include <string>

TEST(XlsDefinedNames, EveryTextAFileCanHoldButCellReferences) {
    struct Case {
        std::u16string text;
        bool storable;
    };
    const Case cases[] = {
        {u"Rates", true},
        {u"\\B", true},
        {u"a?b", true},
        {u"wrn.Roll.", true},
        {u"zam\u00f3wienia", true},
        {u"two words", true},
        {u"IW1", true},
        {u"A65537", true},
        {u"RC1x", true},
        {std::u16string(255, u'n'), true},
        {u"", false},
        {std::u16string(256, u'n'), false},
        {u"A1", false},
        {u"$b$3", false},
        {u"IV65536", false},
        {u"A:C", false},
        {u"R1C1", false},
        {u"rc", false},
        {u"R", false},
        {u"C", false},
        {u"R[1]C[-1]", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CXlsDefinedNames::IsStorableText(c.text), c.storable)
            << std::string(c.text.begin(), c.text.end());
    }
}

TEST(XlsDefinedNames, ScopesBuiltinsAndReplacementInPlace) {
    CXlsDefinedNames names;
    auto set = [&](std::u16string text, std::uint32_t scope, bool hidden = false) {
        CXlsDefinedName name;
        name.text = std::move(text);
        name.scopeSheetId = scope;
        name.hidden = hidden;
        name.formula = CXlsFormulaTokens({0x1E, 0x01, 0x00});
        return names.Set(std::move(name));
    };
    EXPECT_EQ(set(u"Rates", 0), 0u);
    EXPECT_EQ(set(u"Rates", 7), 1u) << "a sheet's own name beside the workbook's";
    EXPECT_EQ(set(u"print_area", 7), 2u);
    EXPECT_EQ(names.At(2).builtinCode, std::optional<std::uint8_t>(0x06));
    EXPECT_EQ(names.At(2).text, u"Print_Area");
    EXPECT_EQ(set(u"A1", 0), CXlsDefinedNames::kNotFound);

    EXPECT_EQ(set(u"RATES", 0, true), 0u) << "replaced in place, ignoring case";
    EXPECT_EQ(names.At(0).text, u"Rates") << "the first spelling stays";
    EXPECT_TRUE(names.At(0).hidden);
    EXPECT_EQ(names.Count(), 3u);

    EXPECT_EQ(names.Resolve(u"rates", 7), 1u) << "the sheet's own name first";
    EXPECT_EQ(names.Resolve(u"rates", 8), 0u);
    EXPECT_EQ(names.Resolve(u"Print_Area", 8), CXlsDefinedNames::kNotFound);

    // A NAME record must fit one record: 8224 bytes.
    CXlsDefinedName huge;
    huge.text = u"Huge";
    huge.formula = CXlsFormulaTokens({0x20, 0, 0, 0, 0, 0, 0, 0}, std::vector<std::uint8_t>(8200));
    EXPECT_EQ(names.Set(huge), CXlsDefinedNames::kNotFound);
    EXPECT_FALSE(names.SetFormula(0, huge.formula));
    EXPECT_EQ(names.At(0).formula.Tokens().size(), 3u);
}
