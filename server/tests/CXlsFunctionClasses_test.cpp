// The operand-class table against the function table it extends: every row
// that differs from the default belongs to a worksheet function, and the
// volatile functions are exactly the spreadsheet's.
#include "server/CXlsFunctionClasses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula/CExcelFunctionTable.h"
#include "server/XlsFormulaLayout.h"
#include "server/tests/support/FormulaBytes.h"

using namespace servertest;

namespace {

constexpr CXlsOperandRule kDefaultRule{EXlsClassConversion::kRepeat, true};

TEST(XlsFunctionClasses, EveryRowOutOfTheOrdinaryNamesAWorksheetFunction) {
    for (std::uint32_t index = 0; index < CExcelFunctionTable::kRowCount; ++index) {
        const std::uint8_t returnClass = CXlsFunctionClasses::ReturnClass(index);
        EXPECT_TRUE(returnClass == xlsw::kClassReference || returnClass == xlsw::kClassValue ||
                    returnClass == xlsw::kClassArray)
            << index;
        const bool ordinary = returnClass == xlsw::kClassValue &&
                              CXlsFunctionClasses::Argument(index, 0) == kDefaultRule &&
                              CXlsFunctionClasses::Argument(index, 29) == kDefaultRule &&
                              !CXlsFunctionClasses::IsVolatile(index);
        if (!ordinary) {
            EXPECT_FALSE(CExcelFunctionTable::GetName(index).empty()) << index;
        }
    }
}

TEST(XlsFunctionClasses, TheLastRuleHoldsForAllFurtherArguments) {
    const int sum = CExcelFunctionTable::FindByName(u"SUM");
    const int vlookup = CExcelFunctionTable::FindByName(u"VLOOKUP");
    ASSERT_GE(sum, 0);
    ASSERT_GE(vlookup, 0);
    EXPECT_FALSE(CXlsFunctionClasses::Argument(sum, 0).valueType);
    EXPECT_EQ(CXlsFunctionClasses::Argument(sum, 29), CXlsFunctionClasses::Argument(sum, 0));
    EXPECT_TRUE(CXlsFunctionClasses::Argument(vlookup, 0).valueType);
    EXPECT_FALSE(CXlsFunctionClasses::Argument(vlookup, 1).valueType);
    EXPECT_TRUE(CXlsFunctionClasses::Argument(vlookup, 3).valueType);
}

TEST(XlsFunctionClasses, VolatileFunctionsAreTheSpreadsheetsOwn) {
    std::vector<std::string> names;
    for (std::uint32_t index = 0; index < CExcelFunctionTable::kRowCount; ++index) {
        if (CXlsFunctionClasses::IsVolatile(index)) {
            names.push_back(Ascii(CExcelFunctionTable::GetName(index)));
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"RAND", "NOW", "OFFSET", "CELL", "INDIRECT", "TODAY",
                                               "INFO"}));
}

}  // namespace
