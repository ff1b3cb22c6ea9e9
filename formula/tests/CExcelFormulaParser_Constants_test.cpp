// Constants: integers, doubles that need up to 17 digits, strings with
// quotes and 16-bit characters, booleans, errors and array constants of
// every element type.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "formula/tests/support/TokenStream.h"

using namespace testsupport;

TEST(IntegerConstant, PrintsTheUnsignedValue) {
    EXPECT_EQ(Decode(TokenStream().Int(5).Build()).text, "5");
    EXPECT_EQ(Decode(TokenStream().Int(0).Build()).text, "0");
    EXPECT_EQ(Decode(TokenStream().Int(65535).Build()).text, "65535");
    // The stream 1E 05 00 exactly.
    const Decoded d = Decode({0x03, 0x00, 0x1E, 0x05, 0x00});
    EXPECT_EQ(d.text, "5");
    EXPECT_TRUE(d.sound);
}

TEST(NumberConstant, PrintsTheShortestTextThatReadsBackAsTheSameDouble) {
    EXPECT_EQ(Decode(TokenStream().Num(0.5).Build()).text, "0.5");
    EXPECT_EQ(Decode(TokenStream().Num(3.14159265).Build()).text, "3.14159265");
    EXPECT_EQ(Decode(TokenStream().Num(0.1 + 0.2).Build()).text, "0.30000000000000004");
    EXPECT_EQ(Decode(TokenStream().Num(1.0 / 3).Build()).text, "0.3333333333333333");
    EXPECT_EQ(Decode(TokenStream().Num(123456789.123).Build()).text, "123456789.123");
    EXPECT_EQ(Decode(TokenStream().Num(1e20).Build()).text, "1E+20");
    EXPECT_EQ(Decode(TokenStream().Num(1.5e-7).Build()).text, "1.5E-07");
    EXPECT_TRUE(Decode(TokenStream().Num(1e20).Build()).sound);
}

TEST(NumberConstant, NotANumberAndInfinityHaveNoFormulaText) {
    Decoded d = Decode(TokenStream().Num(std::numeric_limits<double>::quiet_NaN()).Build());
    EXPECT_EQ(d.text, "NAN");
    EXPECT_FALSE(d.sound);
    d = Decode(TokenStream().Num(std::numeric_limits<double>::infinity()).Build());
    EXPECT_EQ(d.text, "INF");
    EXPECT_FALSE(d.sound);
}

TEST(StringConstant, QuotesInsideAreDoubled) {
    const Decoded d = Decode(TokenStream().Str(u"say \"hi\"").Build());
    EXPECT_EQ(d.text, "\"say \"\"hi\"\"\"");
    EXPECT_TRUE(d.sound);
    EXPECT_EQ(Decode(TokenStream().Str(u"\"").Build()).text, "\"\"\"\"");
}

TEST(StringConstant, SixteenBitCharactersAndTheEmptyString) {
    EXPECT_EQ(Decode(TokenStream().Str(u"\u00e9t\u00e9 \u20ac", true).Build()).text,
              "\"\u00e9t\u00e9 \u20ac\"");
    // ="" as the whole formula: the token's two bytes end the record.
    const Decoded d = Decode(TokenStream().Str(u"").Build());
    EXPECT_EQ(d.text, "\"\"");
    EXPECT_TRUE(d.sound);
    // 8-bit characters above 0x7F are widened to the same value.
    EXPECT_EQ(Decode(TokenStream().Str(u"\u00e9").Build()).text, "\"\u00e9\"");
}

TEST(StringConstant, ConcatenatedWithAReference) {
    EXPECT_EQ(Decode(TokenStream().Ref(0x44, 0, Rel(0)).Str(u"x").Op(0x08).Build()).text,
              "A1&\"x\"");
}

TEST(BooleanConstant, NonZeroIsTrue) {
    EXPECT_EQ(Decode(TokenStream().Bool(true).Build()).text, "TRUE");
    EXPECT_EQ(Decode(TokenStream().Bool(false).Build()).text, "FALSE");
    EXPECT_EQ(Decode(TokenStream().Byte(0x1D).Byte(7).Build()).text, "TRUE");
}

TEST(ErrorConstant, EachCodePrintsItsTextAndAnUnknownCodeIsUnsound) {
    const struct {
        std::uint8_t code;
        const char* text;
    } cases[] = {{0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
                 {0x1D, "#NAME?"}, {0x24, "#NUM!"},   {0x2A, "#N/A"}};
    for (const auto& c : cases) {
        const Decoded d = Decode(TokenStream().Err(c.code).Build());
        EXPECT_EQ(d.text, c.text);
        EXPECT_TRUE(d.sound);
    }
    const Decoded d = Decode(TokenStream().Err(0x01).Int(1).Op(0x03).Build());
    EXPECT_EQ(d.text, "+1");
    EXPECT_FALSE(d.sound);
}

// ---- Array constants ------------------------------------------------------------------

TEST(ArrayConstant, RowsAreSeparatedBySemicolonsAndElementsByCommas) {
    TokenStream tokens;
    tokens.Array(0x60).ArrayHeader(2, 2);
    for (const double v : {1.0, 2.0, 3.0, 4.0}) tokens.ArrayNumber(v);
    Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "{1,2;3,4}");
    EXPECT_TRUE(d.sound);

    TokenStream row;
    row.Array(0x40).ArrayHeader(3, 1).ArrayNumber(1).ArrayNumber(2).ArrayNumber(3);
    EXPECT_EQ(Decode(row.Build()).text, "{1,2,3}");
    TokenStream column;
    column.Array(0x40).ArrayHeader(1, 3).ArrayNumber(1).ArrayNumber(2).ArrayNumber(3);
    EXPECT_EQ(Decode(column.Build()).text, "{1;2;3}");
}

TEST(ArrayConstant, EveryElementType) {
    TokenStream tokens;
    tokens.Array(0x60)
        .ArrayHeader(6, 1)
        .ArrayNumber(-2.5)
        .ArrayString(u"a\"b")
        .ArrayString(u"\u00fc", true)
        .ArrayBool(true)
        .ArrayBool(false)
        .ArrayError(0x2A);
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "{-2.5,\"a\"\"b\",\"\u00fc\",TRUE,FALSE,#N/A}");
    EXPECT_TRUE(d.sound);
}

TEST(ArrayConstant, NumbersUseTheRoundTripForm) {
    TokenStream tokens;
    tokens.Array(0x60).ArrayHeader(2, 1).ArrayNumber(3.14159265).ArrayNumber(1e20);
    EXPECT_EQ(Decode(tokens.Build()).text, "{3.14159265,1E+20}");
}

TEST(ArrayConstant, TwoArraysInOneFormulaReadConsecutiveExtraData) {
    // SUM({1,2}*{3;4}).
    TokenStream tokens;
    tokens.Array(0x60).Array(0x60).Op(0x05).FuncVar(0x22, 1, 4);
    tokens.ArrayHeader(2, 1).ArrayNumber(1).ArrayNumber(2);
    tokens.ArrayHeader(1, 2).ArrayNumber(3).ArrayNumber(4);
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "SUM( {1,2}*{3;4} )");
    EXPECT_TRUE(d.sound);
}

TEST(ArrayConstant, AnEmptyElementPrintsAsOneSpaceAndIsUnsound) {
    TokenStream tokens;
    tokens.Array(0x60).ArrayHeader(2, 1).ArrayNumber(1).ArrayNil();
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "{1, }");
    EXPECT_FALSE(d.sound);
}

TEST(ArrayConstant, AnUnknownElementTypePushesNothing) {
    TokenStream tokens;
    tokens.Int(9).Array(0x60).ArrayHeader(2, 1).ArrayNumber(1).ExtraByte(0x03);
    for (int i = 0; i < 8; ++i) tokens.ExtraByte(0);
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "9");
    EXPECT_FALSE(d.sound);
}

TEST(ArrayConstant, ElementsPastTheEndPushNothingAndStopLaterArrays) {
    // Declared 3 x 1 with two elements present; a second array follows it
    // in the tokens but cannot be found.
    TokenStream tokens;
    tokens.Int(9).Array(0x60).Array(0x60).ArrayHeader(3, 1).ArrayNumber(1).ArrayNumber(2);
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "9");
    EXPECT_FALSE(d.sound);
    // A string element whose characters are cut.
    TokenStream cut;
    cut.Array(0x60).ArrayHeader(1, 1).ExtraByte(0x02).ExtraU16(5).ExtraByte(0).ExtraByte('a');
    EXPECT_EQ(Decode(cut.Build()).text, "");
    // No extra data at all.
    EXPECT_EQ(Decode(TokenStream().Array(0x60).Build()).text, "");
}
