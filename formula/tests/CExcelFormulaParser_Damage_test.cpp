// Damaged token streams: the "deleted" marker, streams shorter than their
// length field says, operands cut off at the end, bytes that are not
// tokens, and arbitrary bytes. What survives is asserted, and every such
// decode reports itself unsound.
#include <gtest/gtest.h>

#include <random>

#include "formula/CExcelFormulaParser.h"
#include "formula/tests/support/TokenStream.h"

using namespace testsupport;

TEST(DeletedFormula, HighByte0x40OfTheLengthGivesDeletedWhateverFollows) {
    Decoded d = Decode({0x05, 0x40, 0x1E, 0x05, 0x00});
    EXPECT_EQ(d.text, "deleted");
    EXPECT_FALSE(d.sound);
    d = Decode({0x00, 0x40});
    EXPECT_EQ(d.text, "deleted");
    EXPECT_FALSE(d.sound);
}

TEST(ShortStream, NoLengthFieldOrTooFewTokenBytesGiveEmptyText) {
    Decoded d = DecodeAvailable({0x03}, 1);
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
    d = DecodeAvailable({0x03, 0x00, 0x1E, 0x05}, 4);
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
    d = Decode({0x00, 0x00});
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
    CExcelFormulaParser parser;
    EXPECT_EQ(parser.Decode(nullptr, 100, 0, 0, nullptr, nullptr, nullptr, nullptr), u"");
    EXPECT_FALSE(parser.IsSound());
}

TEST(ShortStream, TheWholeSixteenBitLengthCounts) {
    // 64 times "1+" makes 300 token bytes: the high byte of the length is 1.
    TokenStream tokens;
    tokens.Int(1);
    std::string expected = "1";
    for (int i = 0; i < 74; ++i) {
        tokens.Int(1).Op(0x03);
        expected += "+1";
    }
    const Bytes bytes = tokens.Build();
    ASSERT_EQ(bytes[1], 1);
    const Decoded d = Decode(bytes);
    EXPECT_EQ(d.text, expected);
    EXPECT_TRUE(d.sound);
}

TEST(CutOperand, ATokenWhoseOperandsRunPastTheEndIsSkipped) {
    // 1, then ptgRef with two of its four bytes: only the 1 survives.
    Decoded d = Decode(TokenStream().Int(1).Byte(0x24).U16(0).Build());
    EXPECT_EQ(d.text, "1");
    EXPECT_FALSE(d.sound);
    // ptgNum with 7 of 8 bytes.
    d = Decode(TokenStream().Int(2).Byte(0x1F).Raw({0, 0, 0, 0, 0, 0, 0}).Build());
    EXPECT_EQ(d.text, "2");
    EXPECT_FALSE(d.sound);
}

TEST(CutOperand, AStringWhoseCharactersAreCutIsSkipped) {
    // 1, then ptgStr declaring 26 characters with one present; the bytes
    // after the token id are read as tokens again (0x1A and 0x00 are not
    // tokens, 'a' is a ptgFunc cut short).
    const Decoded d = Decode(TokenStream().Int(1).Byte(0x17).Byte(0x1A).Byte(0).Raw({'a'}).Build());
    EXPECT_EQ(d.text, "1");
    EXPECT_FALSE(d.sound);
}

TEST(CutOperand, TheLastTokenReachingIntoTheExtraDataIsUnsound) {
    // A length field one byte short of the ptgInt: the token borrows the
    // first byte after the tokens.
    Bytes bytes = TokenStream().Int(0x0105).Build();
    bytes[0] = 2;
    const Decoded d = Decode(bytes);
    EXPECT_EQ(d.text, "261");
    EXPECT_FALSE(d.sound);
}

TEST(UnknownBytes, AreSteppedOverOneAtATime) {
    for (const std::uint8_t junk : {0x00, 0x1A, 0x1B, 0x30, 0x38, 0x3E, 0x3F, 0x50, 0x58, 0x5E,
                                    0x70, 0x78, 0x7F, 0x80, 0xFF}) {
        const Decoded d = Decode(TokenStream().Int(1).Byte(junk).Int(2).Op(0x03).Build());
        EXPECT_EQ(d.text, "1+2") << int(junk);
        EXPECT_FALSE(d.sound) << int(junk);
    }
    // 0x18 consumes nothing either, and has no text.
    const Decoded d = Decode(TokenStream().Int(1).Byte(0x18).Build());
    EXPECT_EQ(d.text, "1");
    EXPECT_FALSE(d.sound);
}

TEST(MemTokens, SubexpressionsAreDecodedAsOrdinaryTokens) {
    // ptgMemFunc around A1:B2 C1:D2 (intersection).
    const Decoded d = Decode(TokenStream()
                                 .Byte(0x29)
                                 .U16(19)
                                 .Area(0x25, 0, 1, Rel(0), Rel(1))
                                 .Area(0x25, 0, 1, Rel(2), Rel(3))
                                 .Op(0x0F)
                                 .FuncVar(0x22, 1, 4)
                                 .Build());
    EXPECT_EQ(d.text, "SUM( A1:B2 C1:D2 )");
    EXPECT_TRUE(d.sound);
}

TEST(MemTokens, MemAreaRectanglesInTheExtraDataAreSteppedOver) {
    // ptgMemArea keeps one cached rectangle in the extra data, before the
    // array constant of the later ptgArray.
    TokenStream tokens;
    tokens.Byte(0x26).U16(0).U16(0).U16(11);
    tokens.Area(0x25, 0, 1, Rel(0), Rel(1)).Area(0x25, 0, 1, Rel(2), Rel(3)).Op(0x0F);
    tokens.Array(0x60).Op(0x05).FuncVar(0x22, 1, 4);
    tokens.ExtraU16(1).ExtraU16(0).ExtraU16(1).ExtraU16(2).ExtraU16(3);
    tokens.ArrayHeader(1, 1).ArrayNumber(2);
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "SUM( A1:B2 C1:D2*{2} )");
    EXPECT_TRUE(d.sound);
}

TEST(OperandStack, PushesPastTheLimitAreDroppedUnsound) {
    TokenStream tokens;
    for (std::uint32_t i = 0; i < CExcelFormulaParser::kMaxOperands + 5; ++i) tokens.Op(0x16);
    tokens.Int(8);
    const Decoded d = Decode(tokens.Build());
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
}

TEST(ArbitraryBytes, EveryTruncationAndEveryBytePatternDecodesWithinTheBuffer) {
    // A formula using most token groups, cut at every length.
    TokenStream tokens;
    tokens.Ref(0x44, 0, Rel(0)).Area(0x25, 0, 3, Abs(1), Rel(2)).Str(u"x\"y").Op(0x08);
    tokens.Num(2.5).Attr(0x10, 0).Array(0x60).Int(3).FuncVar(0x42, 4, 4).Op(0x03);
    tokens.ArrayHeader(2, 1).ArrayString(u"s").ArrayBool(true);
    const Bytes whole = tokens.Build();
    ASSERT_TRUE(Decode(whole).sound) << Decode(whole).text;
    for (std::uint32_t n = 0; n < whole.size(); ++n) {
        const Decoded d = DecodeAvailable(whole, n);
        EXPECT_FALSE(d.sound) << n << ": " << d.text;
    }
    // The length field cut with the tokens: the stream ends inside a token.
    for (std::uint32_t count = 0; count + 2 < whole.size(); ++count) {
        Bytes cut = whole;
        cut[0] = static_cast<std::uint8_t>(count);
        cut[1] = 0;
        DecodeAvailable(cut, count + 2);
    }
    // Random bytes behind a random length: no read past the buffer (the
    // sanitizer run checks), no hang.
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes(2 + random() % 80);
        for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random());
        bytes[1] = static_cast<std::uint8_t>(random() % 2);
        DecodeAvailable(bytes, static_cast<std::uint32_t>(bytes.size()));
    }
}
