// Function calls (fixed and variable argument counts, empty rows of the
// function table, indices past it) and the ptgAttr kinds.
#include <gtest/gtest.h>

#include "formula/tests/support/TokenStream.h"

using namespace testsupport;

namespace {

TokenStream A1() {
    return TokenStream().Ref(0x44, 0, Rel(0));
}
TokenStream A1B1() {
    return A1().Ref(0x44, 0, Rel(1));
}

}  // namespace

TEST(FixedFunction, TakesTheTableCountAndJoinsWithCommas) {
    Decoded d = Decode(A1().Func(0x41, 24).Build());
    EXPECT_EQ(d.text, "ABS(A1)");
    EXPECT_TRUE(d.sound);
    // ROUND(A1,2): two fixed arguments in written order.
    d = Decode(A1().Int(2).Func(0x41, 27).Build());
    EXPECT_EQ(d.text, "ROUND(A1,2)");
    EXPECT_TRUE(d.sound);
    // Every class.
    EXPECT_EQ(Decode(A1().Func(0x21, 24).Build()).text, "ABS(A1)");
    EXPECT_EQ(Decode(A1().Func(0x61, 24).Build()).text, "ABS(A1)");
}

TEST(FixedFunction, NoArgumentsPrintAnEmptyPair) {
    const Decoded d = Decode(TokenStream().Func(0x41, 19).Build());
    EXPECT_EQ(d.text, "PI()");
    EXPECT_TRUE(d.sound);
    // PI consumes nothing: 2*PI().
    EXPECT_EQ(Decode(TokenStream().Int(2).Func(0x41, 19).Op(0x05).Build()).text, "2*PI()");
}

TEST(FixedFunction, EmptyTableRowsPrintANamelessPairAndAreUnsound) {
    for (const std::uint16_t index : {53, 191, 255, 400, 511}) {
        const Decoded d = Decode(TokenStream().Func(0x41, index).Build());
        EXPECT_EQ(d.text, "()") << index;
        EXPECT_FALSE(d.sound) << index;
    }
}

TEST(FixedFunction, IndexPastTheTablePopsNothingAndPushesNothing) {
    const Decoded d = Decode(A1().Func(0x41, 512).Build());
    EXPECT_EQ(d.text, "A1");
    EXPECT_FALSE(d.sound);
}

TEST(FixedFunction, TooFewOperandsAreEmptyAndUnsound) {
    const Decoded d = Decode(TokenStream().Int(1).Func(0x41, 27).Build());
    EXPECT_EQ(d.text, "ROUND(,1)");
    EXPECT_FALSE(d.sound);
}

TEST(VariableFunction, JoinsWithCommaAndSpaceInsideSpacedParentheses) {
    Decoded d = Decode(A1B1().FuncVar(0x42, 2, 4).Build());
    EXPECT_EQ(d.text, "SUM( A1, B1 )");
    EXPECT_TRUE(d.sound);
    d = Decode(TokenStream()
                   .Area(0x25, 0, 2, Rel(0), Rel(0))
                   .Area(0x25, 0, 2, Rel(2), Rel(2))
                   .FuncVar(0x22, 2, 4)
                   .Build());
    EXPECT_EQ(d.text, "SUM( A1:A3, C1:C3 )");
    // One argument, and none.
    EXPECT_EQ(Decode(A1().FuncVar(0x42, 1, 6).Build()).text, "MIN( A1 )");
    d = Decode(TokenStream().FuncVar(0x42, 0, 4).Build());
    EXPECT_EQ(d.text, "SUM(  )");
    EXPECT_TRUE(d.sound);
}

TEST(VariableFunction, PromptBitOfTheCountIsIgnored) {
    EXPECT_EQ(Decode(A1B1().FuncVar(0x42, 0x82, 4).Build()).text, "SUM( A1, B1 )");
}

TEST(VariableFunction, CommandsUserDefinedCallsAndEmptyRowsAreUnsound) {
    // The command bit on SUM's index.
    Decoded d = Decode(A1().FuncVar(0x42, 1, 0x8004).Build());
    EXPECT_EQ(d.text, "SUM( A1 )");
    EXPECT_FALSE(d.sound);
    // Index 255: an add-in or macro function named by its first operand.
    d = Decode(A1B1().FuncVar(0x42, 2, 255).Build());
    EXPECT_EQ(d.text, "( A1, B1 )");
    EXPECT_FALSE(d.sound);
    // An add-in name (ptgNameX) pushes nothing: one operand short.
    d = Decode(TokenStream().Byte(0x59).U16(0).U16(1).U16(0).Int(7).FuncVar(0x42, 2, 255).Build());
    EXPECT_EQ(d.text, "( , 7 )");
    EXPECT_FALSE(d.sound);
}

TEST(VariableFunction, IndexPastTheTableIsUnsoundAndConsumesItsBytes) {
    const Decoded d = Decode(A1().FuncVar(0x42, 1, 0x0200).Int(3).Op(0x03).Build());
    EXPECT_EQ(d.text, "A1+3");
    EXPECT_FALSE(d.sound);
}

// ---- ptgAttr ---------------------------------------------------------------------------

TEST(Attribute, SumOfTheTopOperand) {
    const Decoded d = Decode(TokenStream().Area(0x25, 0, 2, Rel(0), Rel(0)).Attr(0x10, 0).Build());
    EXPECT_EQ(d.text, "SUM(A1:A3)");
    EXPECT_TRUE(d.sound);
}

TEST(Attribute, VolatileIfSkipAndSpacesPrintNothing) {
    // IF(A1,1,2) as Excel stores it: A1 attrIf 1 attrSkip 2 attrSkip IF.
    TokenStream tokens;
    tokens.Attr(0x01, 0).Attr(0x40, 0x0100);  // volatile, one leading space
    tokens.Ref(0x44, 0, Rel(0)).Attr(0x02, 7).Int(1).Attr(0x08, 10).Int(2).Attr(0x08, 3);
    tokens.Attr(0x41, 0x0200).FuncVar(0x42, 3, 1);
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "IF( A1, 1, 2 )");
    EXPECT_TRUE(d.sound);
}

TEST(Attribute, ChooseStepsOverItsJumpTable) {
    // CHOOSE(A1,1,2): attrChoose with 2 cases and 3 jump offsets.
    TokenStream tokens;
    tokens.Ref(0x44, 0, Rel(0)).Byte(0x19).Byte(0x04).U16(2).U16(6).U16(12).U16(18);
    tokens.Int(1).Attr(0x08, 6).Int(2).Attr(0x08, 3).FuncVar(0x42, 3, 100);
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "CHOOSE( A1, 1, 2 )");
    EXPECT_TRUE(d.sound);
}

TEST(Attribute, UnknownKindsConsumeOnlyTheirKindByte) {
    // Kind 0x03 then what reads as ptgInt 5.
    const Decoded d = Decode(TokenStream().Byte(0x19).Byte(0x03).Int(5).Build());
    EXPECT_EQ(d.text, "5");
    EXPECT_FALSE(d.sound);
}

TEST(Attribute, AJumpTableRunningPastTheTokensIsUnsound) {
    TokenStream tokens;
    tokens.Int(4).Byte(0x19).Byte(0x04).U16(100);
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "4");
    EXPECT_FALSE(d.sound);
    // Its case count itself cut off.
    EXPECT_FALSE(Decode(TokenStream().Int(4).Byte(0x19).Byte(0x04).Byte(1).Build()).sound);
    // attrSum on an empty stack.
    const Decoded sum = Decode(TokenStream().Attr(0x10, 0).Build());
    EXPECT_EQ(sum.text, "SUM()");
    EXPECT_FALSE(sum.sound);
}
