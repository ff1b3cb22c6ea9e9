// Operators: binary operators in token order, unary signs, percent and
// parentheses, printed without precedence (the formula's own parentheses
// are tokens), and what happens when operands are missing or left over.
#include <gtest/gtest.h>

#include "formula/tests/support/TokenStream.h"

using namespace testsupport;

namespace {

TokenStream A1B1() {
    return TokenStream().Ref(0x24, 0, Rel(0)).Ref(0x24, 0, Rel(1));
}

}  // namespace

TEST(BinaryOperator, EachTokenPrintsItsOperatorBetweenLeftAndRight) {
    const char* expected[] = {"A1+B1", "A1-B1",  "A1*B1",  "A1/B1", "A1^B1",
                              "A1&B1", "A1<B1",  "A1<=B1", "A1=B1", "A1>=B1",
                              "A1>B1", "A1<>B1", "A1 B1",  "A1,B1", "A1:B1"};
    for (std::uint8_t token = 0x03; token <= 0x11; ++token) {
        const Decoded d = Decode(A1B1().Op(token).Build());
        EXPECT_EQ(d.text, expected[token - 0x03]);
        EXPECT_TRUE(d.sound);
    }
}

TEST(BinaryOperator, PrintsWithoutPrecedenceAndParenthesesComeFromTokens) {
    // (1+2)*3 is stored as 1 2 + () 3 *.
    Decoded d = Decode(TokenStream().Int(1).Int(2).Op(0x03).Op(0x15).Int(3).Op(0x05).Build());
    EXPECT_EQ(d.text, "(1+2)*3");
    EXPECT_TRUE(d.sound);
    // 1+2*3 is stored as 1 2 3 * +.
    d = Decode(TokenStream().Int(1).Int(2).Int(3).Op(0x05).Op(0x03).Build());
    EXPECT_EQ(d.text, "1+2*3");
}

TEST(UnaryOperator, SignsPercentAndParentheses) {
    EXPECT_EQ(Decode(TokenStream().Ref(0x44, 0, Rel(0)).Op(0x13).Build()).text, "-A1");
    EXPECT_EQ(Decode(TokenStream().Ref(0x44, 0, Rel(0)).Op(0x12).Build()).text, "+A1");
    EXPECT_EQ(Decode(TokenStream().Int(50).Op(0x14).Build()).text, "50%");
    EXPECT_EQ(Decode(TokenStream().Int(5).Op(0x13).Op(0x15).Op(0x14).Build()).text, "(-5)%");
    EXPECT_TRUE(Decode(TokenStream().Int(5).Op(0x13).Op(0x15).Op(0x14).Build()).sound);
}

TEST(MissingOperands, AnOperatorOnAnEmptyStackPrintsBareAndIsUnsound) {
    Decoded d = Decode(TokenStream().Op(0x03).Build());
    EXPECT_EQ(d.text, "+");
    EXPECT_FALSE(d.sound);
    d = Decode(TokenStream().Int(1).Op(0x05).Build());
    EXPECT_EQ(d.text, "*1");
    EXPECT_FALSE(d.sound);
    d = Decode(TokenStream().Op(0x13).Build());
    EXPECT_EQ(d.text, "-");
    EXPECT_FALSE(d.sound);
}

TEST(MissingOperands, TwoOperandsAndNoOperatorYieldTheTopOneUnsound) {
    const Decoded d = Decode(A1B1().Build());
    EXPECT_EQ(d.text, "B1");
    EXPECT_FALSE(d.sound);
}

TEST(MissingOperands, AMissingArgumentIsEmptyText) {
    // IF(A1,,2): the empty middle argument is a ptgMissArg.
    const Decoded d =
        Decode(TokenStream().Ref(0x44, 0, Rel(0)).Op(0x16).Int(2).FuncVar(0x42, 3, 1).Build());
    EXPECT_EQ(d.text, "IF( A1, , 2 )");
    EXPECT_TRUE(d.sound);
}

TEST(MissingOperands, OperatorsAndCallsJoinOnlyTheOperandsTheyTake) {
    // Operands are joined where they lie: those below stay apart, missing
    // ones are empty leading arguments.
    const std::string longText(40, 'x');
    const struct {
        TokenStream tokens;
        std::string text;
        bool sound;
    } cases[] = {
        {TokenStream().Int(1).Int(2).Int(3).Op(0x03), "2+3", false},
        {TokenStream().Int(1).Int(2).Int(3).Op(0x03).Op(0x15).Op(0x05), "1*(2+3)", true},
        {TokenStream().Int(7).Func(0x41, 39), "MOD(,7)", false},
        {TokenStream().Func(0x41, 39), "MOD(,)", false},
        {TokenStream().Int(1).FuncVar(0x42, 3, 1), "IF( , , 1 )", false},
        {TokenStream().Int(4).Int(5).Int(6).FuncVar(0x42, 2, 4).Op(0x05), "4*SUM( 5, 6 )", true},
        {TokenStream().Str(u"say").Int(65535).Op(0x08).Op(0x14).Op(0x13), "-\"say\"&65535%", true},
        {TokenStream().Int(1).Str(std::u16string(longText.begin(), longText.end())).Op(0x08),
         "1&\"" + longText + "\"", true},
    };
    for (const auto& c : cases) {
        const Decoded d = Decode(c.tokens.Build());
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.sound, c.sound) << c.text;
    }
}
