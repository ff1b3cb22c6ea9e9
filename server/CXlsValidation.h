// One data validation of a worksheet, as the DV record stores it. Type,
// alert style and operator are the record's numbers: type 0 any value, 1
// whole number, 2 decimal, 3 list, 4 date, 5 time, 6 text length, 7 custom;
// alert style 0 stop, 1 warning, 2 information; operator 0 between, 1 not
// between, 2 equal, 3 not equal, 4 greater, 5 less, 6 greater or equal, 7
// less or equal. The formulas are in the records' relative form
// (CXlsRelativeFormula), based on the range's first cell; a literal list
// is one ptgStr whose items are separated by zero characters.
#pragma once

#include <cstdint>
#include <string>

#include "server/CXlsCellRange.h"
#include "server/CXlsFormulaTokens.h"

struct CXlsValidation {
    // The longest text of each of the four message texts.
    static constexpr std::size_t kMaxText = 255;

    CXlsCellRange range;
    std::uint8_t type = 0;
    std::uint8_t alertStyle = 0;
    std::uint8_t op = 0;
    bool literalList = false;
    bool ignoreBlank = true;
    bool inCellDropdown = true;
    bool showInput = true;
    bool showError = true;
    std::u16string inputTitle;
    std::u16string errorTitle;
    std::u16string inputMessage;
    std::u16string errorMessage;
    CXlsFormulaTokens formula1;
    CXlsFormulaTokens formula2;
};
