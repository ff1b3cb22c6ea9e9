#include "server/CXlsFunctionClasses.h"

#include <array>
#include <cstddef>

#include "server/XlsFormulaLayout.h"

namespace {

using Conv = EXlsClassConversion;

// Argument rules. "Ref" rules take the operand as it comes (a reference stays
// a reference), "Val" rules want a value.
constexpr CXlsOperandRule kRefKeep{Conv::kKeep, false};
constexpr CXlsOperandRule kRefArray{Conv::kArray, false};
constexpr CXlsOperandRule kRefRepeat{Conv::kRepeat, false};
constexpr CXlsOperandRule kRefAny{Conv::kRepeatForReference, false};
constexpr CXlsOperandRule kValKeep{Conv::kKeep, true};
constexpr CXlsOperandRule kValValue{Conv::kValue, true};
constexpr CXlsOperandRule kValArray{Conv::kArray, true};
constexpr CXlsOperandRule kValRepeat{Conv::kRepeat, true};
constexpr CXlsOperandRule kValAny{Conv::kRepeatForReference, true};

constexpr std::uint8_t R = xlsw::kClassReference;
constexpr std::uint8_t V = xlsw::kClassValue;
constexpr std::uint8_t A = xlsw::kClassArray;

struct Row {
    std::uint16_t index;
    std::uint8_t returnClass;
    bool isVolatile;
    std::array<CXlsOperandRule, 4> rules;
    std::size_t ruleCount;
};

// Every function not listed returns a value, wants values for all its
// arguments and converts them as its caller does (kValRepeat): the
// arithmetic, text, date and financial functions.
constexpr Row kRows[] = {
    {0, V, false, {kRefAny}, 1},                                   // COUNT
    {1, R, false, {kValKeep, kRefKeep}, 2},                        // IF
    {4, V, false, {kRefAny}, 1},                                   // SUM
    {5, V, false, {kRefAny}, 1},                                   // AVERAGE
    {6, V, false, {kRefAny}, 1},                                   // MIN
    {7, V, false, {kRefAny}, 1},                                   // MAX
    {8, V, false, {kRefKeep}, 1},                                  // ROW
    {9, V, false, {kRefKeep}, 1},                                  // COLUMN
    {11, V, false, {kValRepeat, kRefAny}, 2},                      // NPV
    {12, V, false, {kRefAny}, 1},                                  // STDEV
    {28, V, false, {kValRepeat, kRefArray}, 2},                    // LOOKUP
    {29, R, false, {kRefArray, kValValue}, 2},                     // INDEX
    {36, V, false, {kRefAny}, 1},                                  // AND
    {37, V, false, {kRefAny}, 1},                                  // OR
    {40, V, false, {kRefKeep, kRefRepeat}, 2},                     // DCOUNT
    {41, V, false, {kRefKeep, kRefRepeat}, 2},                     // DSUM
    {42, V, false, {kRefKeep, kRefRepeat}, 2},                     // DAVERAGE
    {43, V, false, {kRefKeep, kRefRepeat}, 2},                     // DMIN
    {44, V, false, {kRefKeep, kRefRepeat}, 2},                     // DMAX
    {45, V, false, {kRefKeep, kRefRepeat}, 2},                     // DSTDEV
    {46, V, false, {kRefAny}, 1},                                  // VAR
    {47, V, false, {kRefKeep, kRefRepeat}, 2},                     // DVAR
    {49, A, false, {kRefArray, kRefArray, kValValue}, 3},          // LINEST
    {50, A, false, {kRefArray, kRefArray, kRefArray, kValValue}, 4},  // TREND
    {51, A, false, {kRefArray, kRefArray, kValValue}, 3},          // LOGEST
    {52, A, false, {kRefArray, kRefArray, kRefArray, kValValue}, 4},  // GROWTH
    {61, V, false, {kRefArray, kValRepeat}, 2},                    // MIRR
    {62, V, false, {kRefArray, kValRepeat}, 2},                    // IRR
    {63, V, true, {kValRepeat}, 1},                                // RAND
    {64, V, false, {kValRepeat, kRefAny, kRefRepeat}, 3},          // MATCH
    {74, V, true, {kValRepeat}, 1},                                // NOW
    {75, V, false, {kRefKeep}, 1},                                 // AREAS
    {76, V, false, {kRefKeep}, 1},                                 // ROWS
    {77, V, false, {kRefKeep}, 1},                                 // COLUMNS
    {78, R, true, {kRefKeep, kValRepeat}, 2},                      // OFFSET
    {83, A, false, {kValKeep}, 1},                                 // TRANSPOSE
    {86, V, false, {kValAny}, 1},                                  // TYPE
    {100, R, false, {kValKeep, kRefKeep}, 2},                      // CHOOSE
    {101, V, false, {kValValue, kRefKeep, kRefKeep, kValValue}, 4},  // HLOOKUP
    {102, V, false, {kValValue, kRefKeep, kRefKeep, kValValue}, 4},  // VLOOKUP
    {105, V, false, {kRefAny}, 1},                                 // ISREF
    {125, V, true, {kValValue, kRefKeep}, 2},                      // CELL
    {130, V, false, {kRefKeep}, 1},                                // T
    {131, V, false, {kRefKeep}, 1},                                // N
    {148, R, true, {kValRepeat}, 1},                               // INDIRECT
    {163, V, false, {kValArray}, 1},                               // MDETERM
    {164, A, false, {kValArray}, 1},                               // MINVERSE
    {165, A, false, {kValArray}, 1},                               // MMULT
    {169, V, false, {kRefAny}, 1},                                 // COUNTA
    {183, V, false, {kRefAny}, 1},                                 // PRODUCT
    {189, V, false, {kRefKeep, kRefRepeat}, 2},                    // DPRODUCT
    {193, V, false, {kRefAny}, 1},                                 // STDEVP
    {194, V, false, {kRefAny}, 1},                                 // VARP
    {195, V, false, {kRefKeep, kRefRepeat}, 2},                    // DSTDEVP
    {196, V, false, {kRefKeep, kRefRepeat}, 2},                    // DVARP
    {199, V, false, {kRefKeep, kRefRepeat}, 2},                    // DCOUNTA
    {216, V, false, {kValRepeat, kRefKeep, kValRepeat}, 3},        // RANK
    {221, V, true, {kValRepeat}, 1},                               // TODAY
    {227, V, false, {kRefAny}, 1},                                 // MEDIAN
    {228, V, false, {kValArray}, 1},                               // SUMPRODUCT
    {235, V, false, {kRefKeep, kRefRepeat}, 2},                    // DGET
    {244, V, true, {kValRepeat}, 1},                               // INFO
    {252, A, false, {kRefArray}, 1},                               // FREQUENCY
    {269, V, false, {kRefAny}, 1},                                 // AVEDEV
    {303, V, false, {kValArray}, 1},                               // SUMXMY2
    {304, V, false, {kValArray}, 1},                               // SUMX2MY2
    {305, V, false, {kValArray}, 1},                               // SUMX2PY2
    {306, V, false, {kValArray}, 1},                               // CHITEST
    {307, V, false, {kValArray}, 1},                               // CORREL
    {308, V, false, {kValArray}, 1},                               // COVAR
    {309, V, false, {kValRepeat, kValArray}, 2},                   // FORECAST
    {310, V, false, {kValArray}, 1},                               // FTEST
    {311, V, false, {kValArray}, 1},                               // INTERCEPT
    {312, V, false, {kValArray}, 1},                               // PEARSON
    {313, V, false, {kValArray}, 1},                               // RSQ
    {314, V, false, {kValArray}, 1},                               // STEYX
    {315, V, false, {kValArray}, 1},                               // SLOPE
    {316, V, false, {kValArray, kValArray, kValRepeat}, 3},        // TTEST
    {317, V, false, {kValArray, kValArray, kValRepeat}, 3},        // PROB
    {318, V, false, {kRefAny}, 1},                                 // DEVSQ
    {319, V, false, {kRefAny}, 1},                                 // GEOMEAN
    {320, V, false, {kRefAny}, 1},                                 // HARMEAN
    {321, V, false, {kRefAny}, 1},                                 // SUMSQ
    {322, V, false, {kRefAny}, 1},                                 // KURT
    {323, V, false, {kRefAny}, 1},                                 // SKEW
    {324, V, false, {kRefAny, kValRepeat}, 2},                     // ZTEST
    {325, V, false, {kRefAny, kValRepeat}, 2},                     // LARGE
    {326, V, false, {kRefAny, kValRepeat}, 2},                     // SMALL
    {327, V, false, {kRefAny, kValRepeat}, 2},                     // QUARTILE
    {328, V, false, {kRefAny, kValRepeat}, 2},                     // PERCENTILE
    {329, V, false, {kRefAny, kValRepeat}, 2},                     // PERCENTRANK
    {330, V, false, {kValArray}, 1},                               // MODE
    {331, V, false, {kRefAny, kValRepeat}, 2},                     // TRIMMEAN
    {344, V, false, {kValRepeat, kRefKeep}, 2},                    // SUBTOTAL
    {345, V, false, {kRefKeep, kValRepeat, kRefKeep}, 3},          // SUMIF
    {346, V, false, {kRefKeep, kValRepeat}, 2},                    // COUNTIF
    {347, V, false, {kRefKeep}, 1},                                // COUNTBLANK
    {358, V, false, {kRefRepeat, kRefRepeat, kValRepeat}, 3},      // GETPIVOTDATA
    {359, V, false, {kValValue, kValKeep}, 2},                     // HYPERLINK
    {360, V, false, {kRefKeep}, 1},                                // PHONETIC
    {361, V, false, {kRefAny}, 1},                                 // AVERAGEA
    {362, V, false, {kRefAny}, 1},                                 // MAXA
    {363, V, false, {kRefAny}, 1},                                 // MINA
    {364, V, false, {kRefAny}, 1},                                 // STDEVPA
    {365, V, false, {kRefAny}, 1},                                 // VARPA
    {366, V, false, {kRefAny}, 1},                                 // STDEVA
    {367, V, false, {kRefAny}, 1},                                 // VARA
};

constexpr Row kDefault{0, V, false, {kValRepeat}, 1};

const Row& Find(std::uint32_t index) {
    // The rows are in index order; a binary search would save little on a
    // table this small.
    for (const Row& row : kRows) {
        if (row.index == index) return row;
        if (row.index > index) break;
    }
    return kDefault;
}

}  // namespace

std::uint8_t CXlsFunctionClasses::ReturnClass(std::uint32_t index) {
    return Find(index).returnClass;
}

CXlsOperandRule CXlsFunctionClasses::Argument(std::uint32_t index, std::uint32_t argument) {
    const Row& row = Find(index);
    return row.rules[argument < row.ruleCount ? argument : row.ruleCount - 1];
}

bool CXlsFunctionClasses::IsVolatile(std::uint32_t index) { return Find(index).isVolatile; }
