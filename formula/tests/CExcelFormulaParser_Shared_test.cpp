// ptgExp: the tokens of the SHRFMLA or ARRAY record attached to a FORMULA
// record, decoded relative to the cell that holds the ptgExp.
#include <gtest/gtest.h>

#include "biff/CByteBuffer.h"
#include "formula/tests/support/TokenStream.h"

using namespace testsupport;

namespace {

// SHRFMLA data: range B2:B9, reserved byte, use count, then the formula.
CByteBuffer Shared(const Bytes& formula) {
    Bytes data = {1, 0, 8, 0, 1, 1, 0, 8};
    data.insert(data.end(), formula.begin(), formula.end());
    return CByteBuffer(data.data(), static_cast<std::uint32_t>(data.size()));
}

// ARRAY data: range, option flags, chn, then the formula.
CByteBuffer ArrayRecord(const Bytes& formula) {
    Bytes data = {1, 0, 2, 0, 1, 1, 0, 0, 0, 0, 0, 0};
    data.insert(data.end(), formula.begin(), formula.end());
    return CByteBuffer(data.data(), static_cast<std::uint32_t>(data.size()));
}

Bytes Exp() {
    return TokenStream().Byte(0x01).U16(1).U16(1).Build();
}

}  // namespace

TEST(SharedFormula, RelativeTokensResolveAgainstTheCellHoldingTheExp) {
    // =A2*$C$1+B$1 filled down from B2: A-column one left, same row.
    const CByteBuffer shared = Shared(TokenStream()
                                          .Ref(0x4C, 0, Rel(0xFF))
                                          .Ref(0x4C, 0, Abs(2))
                                          .Op(0x05)
                                          .Ref(0x4C, 0, Col(0, true, false))
                                          .Op(0x03)
                                          .Build());
    Decoded d = Decode(Exp(), 1, 1, nullptr, nullptr, &shared, nullptr);
    EXPECT_EQ(d.text, "A2*$C$1+B$1");
    EXPECT_TRUE(d.sound);
    // The same shared tokens seen from B5.
    d = Decode(Exp(), 4, 1, nullptr, nullptr, &shared, nullptr);
    EXPECT_EQ(d.text, "A5*$C$1+B$1");
}

TEST(SharedFormula, ArrayDataIsDecodedWhenNoSharedDataIsAttached) {
    const CByteBuffer array =
        ArrayRecord(TokenStream().Area(0x65, 0, 2, Rel(0), Rel(0)).FuncVar(0x42, 1, 4).Build());
    const Decoded d = Decode(Exp(), 1, 1, nullptr, nullptr, nullptr, &array);
    EXPECT_EQ(d.text, "SUM( A1:A3 )");
    EXPECT_TRUE(d.sound);
}

TEST(SharedFormula, SharedDataIsPreferredOverArrayData) {
    const CByteBuffer shared = Shared(TokenStream().Int(1).Build());
    const CByteBuffer array = ArrayRecord(TokenStream().Int(2).Build());
    EXPECT_EQ(Decode(Exp(), 0, 0, nullptr, nullptr, &shared, &array).text, "1");
}

TEST(SharedFormula, AnExpWithNothingAttachedYieldsNothing) {
    const Decoded d = Decode(Exp());
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
}

TEST(SharedFormula, AnExpInsideSharedTokensPushesNothing) {
    const CByteBuffer shared =
        Shared(TokenStream().Byte(0x01).U16(0).U16(0).Int(3).Op(0x03).Build());
    const Decoded d = Decode(Exp(), 0, 0, nullptr, nullptr, &shared, nullptr);
    EXPECT_EQ(d.text, "+3");
    EXPECT_FALSE(d.sound);
}

TEST(SharedFormula, UnsoundSharedTokensMakeTheCellUnsound) {
    const CByteBuffer shared = Shared(TokenStream().Int(3).Byte(0xFF).Build());
    const Decoded d = Decode(Exp(), 0, 0, nullptr, nullptr, &shared, nullptr);
    EXPECT_EQ(d.text, "3");
    EXPECT_FALSE(d.sound);
}

TEST(SharedFormula, AttachedDataTooShortForItsLengthFieldGivesEmptyText) {
    const Bytes stub = {1, 0, 8, 0, 1};
    const CByteBuffer shared(stub.data(), 5);
    Decoded d = Decode(Exp(), 0, 0, nullptr, nullptr, &shared, nullptr);
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
    // Length field present, tokens missing.
    const Bytes cut = {1, 0, 8, 0, 1, 1, 0, 8, 5, 0, 0x1E};
    const CByteBuffer sharedCut(cut.data(), static_cast<std::uint32_t>(cut.size()));
    d = Decode(Exp(), 0, 0, nullptr, nullptr, &sharedCut, nullptr);
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
}
