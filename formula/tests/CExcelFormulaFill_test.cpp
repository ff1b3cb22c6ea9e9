// Which FORMULA records hold the record above them filled down one row.
#include "formula/CExcelFormulaFill.h"

#include <gtest/gtest.h>

#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/tests/support/FormulaRecordBuilder.h"

using testsupport::Bytes;
using testsupport::Concat;
using testsupport::FormulaBody;
using testsupport::NumberResult;

namespace {

// ptgRef (value class) with its row and column field.
Bytes Ref(std::uint16_t row, std::uint16_t columnField) {
    return {0x44, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(row >> 8),
            static_cast<std::uint8_t>(columnField), static_cast<std::uint8_t>(columnField >> 8)};
}

constexpr std::uint16_t kBothRelative = 0xC000;
const Bytes kPlusOne = {0x1E, 0x01, 0x00, 0x03};  // ptgInt 1, ptgAdd

}  // namespace

TEST(FormulaFill, OnlyTheSameFormulaOneRowDownContinuesIt) {
    struct Case {
        const char* name;
        Bytes above;
        Bytes below;
        std::uint16_t belowRow = 5;
        std::uint16_t belowColumn = 2;
        bool continues;
    };
    const Case cases[] = {
        {"A5+1 above A6+1", Concat(Ref(4, kBothRelative), kPlusOne),
         Concat(Ref(5, kBothRelative), kPlusOne), 5, 2, true},
        {"$A$1 stays", Concat(Ref(0, 0x0000), kPlusOne), Concat(Ref(0, 0x0000), kPlusOne), 5, 2,
         true},
        {"a relative row that did not move", Concat(Ref(4, kBothRelative), kPlusOne),
         Concat(Ref(4, kBothRelative), kPlusOne), 5, 2, false},
        {"an absolute row that moved", Concat(Ref(4, 0x4000), kPlusOne),
         Concat(Ref(5, 0x4000), kPlusOne), 5, 2, false},
        {"another column", Concat(Ref(4, kBothRelative), kPlusOne),
         Concat(Ref(5, kBothRelative | 1), kPlusOne), 5, 2, false},
        {"another constant", Concat(Ref(4, kBothRelative), kPlusOne),
         Concat(Ref(5, kBothRelative), {0x1E, 0x02, 0x00, 0x03}), 5, 2, false},
        {"two rows down", Concat(Ref(4, kBothRelative), kPlusOne),
         Concat(Ref(5, kBothRelative), kPlusOne), 6, 2, false},
        {"the next column", Concat(Ref(4, kBothRelative), kPlusOne),
         Concat(Ref(5, kBothRelative), kPlusOne), 5, 3, false},
        {"area: relative first row, absolute last row",
         {0x25, 0x04, 0x00, 0x09, 0x00, 0x00, 0xC0, 0x00, 0x40},
         {0x25, 0x05, 0x00, 0x09, 0x00, 0x00, 0xC0, 0x00, 0x40},
         5,
         2,
         true},
        {"same string", {0x17, 0x02, 0x00, 'a', 'b'}, {0x17, 0x02, 0x00, 'a', 'b'}, 5, 2, true},
        {"other string", {0x17, 0x02, 0x00, 'a', 'b'}, {0x17, 0x02, 0x00, 'a', 'c'}, 5, 2, false},
        {"3-D reference, same sheet index",
         {0x5A, 0x01, 0x00, 0x04, 0x00, 0x00, 0xC0},
         {0x5A, 0x01, 0x00, 0x05, 0x00, 0x00, 0xC0},
         5,
         2,
         true},
        {"3-D reference, another sheet index",
         {0x5A, 0x01, 0x00, 0x04, 0x00, 0x00, 0xC0},
         {0x5A, 0x02, 0x00, 0x05, 0x00, 0x00, 0xC0},
         5,
         2,
         false},
        {"array constant (extra data)",
         {0x60, 0, 0, 0, 0, 0, 0, 0},
         {0x60, 0, 0, 0, 0, 0, 0, 0},
         5,
         2,
         false},
        {"tokens cut short", {0x44, 0x04, 0x00}, {0x44, 0x05, 0x00}, 5, 2, false},
    };
    for (const Case& c : cases) {
        const Bytes above = FormulaBody(4, 2, 0, NumberResult(0), c.above);
        const Bytes below = FormulaBody(c.belowRow, c.belowColumn, 0, NumberResult(0), c.below);
        const CExcelRecordFormula a(above.data(), static_cast<std::uint32_t>(above.size()));
        const CExcelRecordFormula b(below.data(), static_cast<std::uint32_t>(below.size()));
        EXPECT_EQ(CExcelFormulaFill::ContinuesDown(a, b, nullptr, nullptr), c.continues) << c.name;
    }
}
