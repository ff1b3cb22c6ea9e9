#include "platform/automation/CVariant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "platform/automation/tests/support/TestObjects.h"

namespace {

// --- Kinds as the spreadsheet's automation stores them ----------------------

TEST(CVariantKinds, BooleanTrueIsAllBitsSetAndFalseIsZero) {
    EXPECT_EQ(CVariant::Bool(true).Type(), VT_BOOL);
    EXPECT_EQ(CVariant::Bool(true).GetBoolWord(), -1);
    EXPECT_EQ(static_cast<std::uint16_t>(CVariant::Bool(true).GetBoolWord()), 0xFFFF);
    EXPECT_EQ(CVariant::Bool(false).GetBoolWord(), 0);
}

TEST(CVariantKinds, CellErrorsTravelAsSpreadsheetErrorCodes) {
    // #DIV/0! is 2007 in the spreadsheet's numbering: 0x800A07D7.
    const CVariant div0 = CVariant::SheetError(0x07);
    EXPECT_EQ(div0.Type(), VT_ERROR);
    EXPECT_EQ(static_cast<std::uint32_t>(div0.GetError()), 0x800A07D7u);
    for (std::uint8_t code : {0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A}) {
        std::uint8_t back = 0xFF;
        EXPECT_TRUE(CVariant::SheetError(code).GetSheetErrorCode(back)) << int(code);
        EXPECT_EQ(back, code);
    }
    std::uint8_t unused = 0;
    EXPECT_FALSE(CVariant::SheetError(0x08).GetSheetErrorCode(unused));
    EXPECT_FALSE(CVariant::Error(DISP_E_PARAMNOTFOUND).GetSheetErrorCode(unused));
    EXPECT_FALSE(CVariant::Long(0x07).GetSheetErrorCode(unused));
}

// --- Object references ------------------------------------------------------

TEST(CVariantReferences, ObjectAddsOneAndDestructionDropsIt) {
    bool destroyed = false;
    auto* object = new CProbeObject(&destroyed);
    {
        CVariant held = CVariant::Object(object);
        EXPECT_EQ(object->RefCount(), 2u);
        CVariant copy = held;
        EXPECT_EQ(object->RefCount(), 3u);
        CVariant moved = std::move(copy);
        EXPECT_EQ(object->RefCount(), 3u);
        EXPECT_TRUE(copy.IsEmpty());
    }
    EXPECT_EQ(object->RefCount(), 1u);
    object->Release();
    EXPECT_TRUE(destroyed);
}

TEST(CVariantReferences, AdoptTakesTheCallersReference) {
    bool destroyed = false;
    auto* object = new CProbeObject(&destroyed);
    { CVariant held = CVariant::AdoptObject(object); }
    EXPECT_TRUE(destroyed);
}

TEST(CVariantReferences, DetachHandsTheReferenceOver) {
    bool destroyed = false;
    CVariant held = CVariant::AdoptObject(new CProbeObject(&destroyed));
    IDispatch* object = held.DetachObject();
    EXPECT_TRUE(held.IsEmpty());
    held.Clear();
    EXPECT_FALSE(destroyed);
    object->Release();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(CVariant::Short(3).DetachObject(), nullptr);
}

TEST(CVariantReferences, OverwritingDropsTheOldObject) {
    bool first = false;
    bool second = false;
    CVariant held = CVariant::AdoptObject(new CProbeObject(&first));
    held = CVariant::AdoptObject(new CProbeObject(&second));
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    held = CVariant::Text(u"x");
    EXPECT_TRUE(second);
    CVariant self = CVariant::Object(nullptr);
    self = self;  // a null object variant copies onto itself harmlessly
    EXPECT_EQ(self.Type(), VT_DISPATCH);
}

// --- Conversions ------------------------------------------------------------

TEST(CVariantConversion, DoublesRoundHalfToEven) {
    std::int32_t out = 0;
    ASSERT_EQ(CVariant::Double(2.5).ToLong(out), S_OK);
    EXPECT_EQ(out, 2);
    ASSERT_EQ(CVariant::Double(3.5).ToLong(out), S_OK);
    EXPECT_EQ(out, 4);
    ASSERT_EQ(CVariant::Double(-1.5).ToLong(out), S_OK);
    EXPECT_EQ(out, -2);
    ASSERT_EQ(CVariant::Double(7.49).ToLong(out), S_OK);
    EXPECT_EQ(out, 7);
}

TEST(CVariantConversion, OutOfRangeIsOverflowAndLeavesTheTargetAlone) {
    std::int32_t out = 42;
    EXPECT_EQ(CVariant::Double(3e9).ToLong(out), DISP_E_OVERFLOW);
    EXPECT_EQ(CVariant::Double(std::nan("")).ToLong(out), DISP_E_OVERFLOW);
    EXPECT_EQ(CVariant::Double(std::numeric_limits<double>::infinity()).ToLong(out),
              DISP_E_OVERFLOW);
    EXPECT_EQ(out, 42);
    std::int16_t small = 7;
    EXPECT_EQ(CVariant::Long(40000).ToShort(small), DISP_E_OVERFLOW);
    EXPECT_EQ(small, 7);
    ASSERT_EQ(CVariant::Long(-4105).ToShort(small), S_OK);
    EXPECT_EQ(small, -4105);
}

TEST(CVariantConversion, TextConvertsOnlyWhenItIsANumber) {
    double out = 0;
    ASSERT_EQ(CVariant::Text(u" 12.5 ").ToDouble(out), S_OK);
    EXPECT_EQ(out, 12.5);
    EXPECT_EQ(CVariant::Text(u"12abc").ToDouble(out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CVariant::Text(u"").ToDouble(out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CVariant::Text(u"\u0661").ToDouble(out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CVariant::Text(u"1e999").ToDouble(out), DISP_E_TYPEMISMATCH);
    bool flag = false;
    ASSERT_EQ(CVariant::Text(u"TRUE").ToBool(flag), S_OK);
    EXPECT_TRUE(flag);
    ASSERT_EQ(CVariant::Text(u"0").ToBool(flag), S_OK);
    EXPECT_FALSE(flag);
}

TEST(CVariantConversion, ObjectsErrorsAndNullDoNotConvert) {
    double number = 0;
    std::u16string text;
    bool flag = false;
    EXPECT_EQ(CVariant::Object(nullptr).ToDouble(number), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CVariant::SheetError(7).ToText(text), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CVariant::Null().ToBool(flag), DISP_E_TYPEMISMATCH);
}

TEST(CVariantConversion, EmptyIsZeroFalseAndEmptyText) {
    double number = 5;
    bool flag = true;
    std::u16string text = u"x";
    ASSERT_EQ(CVariant().ToDouble(number), S_OK);
    ASSERT_EQ(CVariant().ToBool(flag), S_OK);
    ASSERT_EQ(CVariant().ToText(text), S_OK);
    EXPECT_EQ(number, 0.0);
    EXPECT_FALSE(flag);
    EXPECT_TRUE(text.empty());
}

TEST(CVariantConversion, NumbersAndBooleansAsText) {
    std::u16string text;
    ASSERT_EQ(CVariant::Double(0.1).ToText(text), S_OK);
    EXPECT_EQ(text, u"0.1");
    ASSERT_EQ(CVariant::Short(-4167).ToText(text), S_OK);
    EXPECT_EQ(text, u"-4167");
    ASSERT_EQ(CVariant::Bool(true).ToText(text), S_OK);
    EXPECT_EQ(text, u"True");
    double back = 0;
    ASSERT_EQ(CVariant::Double(1.0 / 3).ToText(text), S_OK);
    ASSERT_EQ(CVariant::Text(text).ToDouble(back), S_OK);
    EXPECT_EQ(back, 1.0 / 3);
}

}  // namespace
