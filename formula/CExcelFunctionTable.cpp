#include "formula/CExcelFunctionTable.h"

#include <array>
#include <cstddef>

namespace {

struct FunctionRow {
    std::uint16_t index;
    std::u16string_view name;
    std::uint8_t minArgs;
    std::uint8_t maxArgs;
};

// The filled rows only, in ascending index order: index, name, smallest and
// largest argument count. Every index missing here is an empty row.
// clang-format off
constexpr FunctionRow kFilledRows[] = {
    {0, u"COUNT", 0, 30},
    {1, u"IF", 2, 3},
    {2, u"ISNA", 1, 1},
    {3, u"ISERROR", 1, 1},
    {4, u"SUM", 0, 30},
    {5, u"AVERAGE", 1, 30},
    {6, u"MIN", 1, 30},
    {7, u"MAX", 1, 30},
    {8, u"ROW", 0, 1},
    {9, u"COLUMN", 0, 1},
    {10, u"NA", 0, 0},
    {11, u"NPV", 2, 30},
    {12, u"STDEV", 1, 30},
    {13, u"DOLLAR", 1, 2},
    {14, u"FIXED", 1, 3},
    {15, u"SIN", 1, 1},
    {16, u"COS", 1, 1},
    {17, u"TAN", 1, 1},
    {18, u"ATAN", 1, 1},
    {19, u"PI", 0, 0},
    {20, u"SQRT", 1, 1},
    {21, u"EXP", 1, 1},
    {22, u"LN", 1, 1},
    {23, u"LOG10", 1, 1},
    {24, u"ABS", 1, 1},
    {25, u"INT", 1, 1},
    {26, u"SIGN", 1, 1},
    {27, u"ROUND", 2, 2},
    {28, u"LOOKUP", 2, 3},
    {29, u"INDEX", 2, 4},
    {30, u"REPT", 2, 2},
    {31, u"MID", 3, 3},
    {32, u"LEN", 1, 1},
    {33, u"VALUE", 1, 1},
    {34, u"TRUE", 0, 0},
    {35, u"FALSE", 0, 0},
    {36, u"AND", 1, 30},
    {37, u"OR", 1, 30},
    {38, u"NOT", 1, 1},
    {39, u"MOD", 2, 2},
    {40, u"DCOUNT", 3, 3},
    {41, u"DSUM", 3, 3},
    {42, u"DAVERAGE", 3, 3},
    {43, u"DMIN", 3, 3},
    {44, u"DMAX", 3, 3},
    {45, u"DSTDEV", 3, 3},
    {46, u"VAR", 1, 30},
    {47, u"DVAR", 3, 3},
    {48, u"TEXT", 2, 2},
    {49, u"LINEST", 1, 4},
    {50, u"TREND", 1, 4},
    {51, u"LOGEST", 1, 4},
    {52, u"GROWTH", 1, 4},
    {56, u"PV", 3, 5},
    {57, u"FV", 3, 5},
    {58, u"NPER", 3, 5},
    {59, u"PMT", 3, 5},
    {60, u"RATE", 3, 6},
    {61, u"MIRR", 3, 3},
    {62, u"IRR", 1, 2},
    {63, u"RAND", 0, 0},
    {64, u"MATCH", 2, 3},
    {65, u"DATE", 3, 3},
    {66, u"TIME", 3, 3},
    {67, u"DAY", 1, 1},
    {68, u"MONTH", 1, 1},
    {69, u"YEAR", 1, 1},
    {70, u"WEEKDAY", 1, 2},
    {71, u"HOUR", 1, 1},
    {72, u"MINUTE", 1, 1},
    {73, u"SECOND", 1, 1},
    {74, u"NOW", 0, 0},
    {75, u"AREAS", 1, 1},
    {76, u"ROWS", 1, 1},
    {77, u"COLUMNS", 1, 1},
    {78, u"OFFSET", 3, 5},
    {82, u"SEARCH", 2, 3},
    {83, u"TRANSPOSE", 1, 1},
    {86, u"TYPE", 1, 1},
    {97, u"ATAN2", 2, 2},
    {98, u"ASIN", 1, 1},
    {99, u"ACOS", 1, 1},
    {100, u"CHOOSE", 2, 30},
    {101, u"HLOOKUP", 3, 4},
    {102, u"VLOOKUP", 3, 4},
    {105, u"ISREF", 1, 1},
    {109, u"LOG", 1, 2},
    {111, u"CHAR", 1, 1},
    {112, u"LOWER", 1, 1},
    {113, u"UPPER", 1, 1},
    {114, u"PROPER", 1, 1},
    {115, u"LEFT", 1, 2},
    {116, u"RIGHT", 1, 2},
    {117, u"EXACT", 2, 2},
    {118, u"TRIM", 1, 1},
    {119, u"REPLACE", 4, 4},
    {120, u"SUBSTITUTE", 3, 4},
    {121, u"CODE", 1, 1},
    {124, u"FIND", 2, 3},
    {125, u"CELL", 1, 2},
    {126, u"ISERR", 1, 1},
    {127, u"ISTEXT", 1, 1},
    {128, u"ISNUMBER", 1, 1},
    {129, u"ISBLANK", 1, 1},
    {130, u"T", 1, 1},
    {131, u"N", 1, 1},
    {140, u"DATEVALUE", 1, 1},
    {141, u"TIMEVALUE", 1, 1},
    {142, u"SLN", 3, 3},
    {143, u"SYD", 4, 4},
    {144, u"DDB", 4, 5},
    {148, u"INDIRECT", 1, 2},
    {162, u"CLEAN", 1, 1},
    {163, u"MDETERM", 1, 1},
    {164, u"MINVERSE", 1, 1},
    {165, u"MMULT", 2, 2},
    {167, u"IPMT", 4, 6},
    {168, u"PPMT", 4, 6},
    {169, u"COUNTA", 0, 30},
    {183, u"PRODUCT", 0, 30},
    {184, u"FACT", 1, 1},
    {189, u"DPRODUCT", 3, 3},
    {190, u"ISNONTEXT", 1, 1},
    {193, u"STDEVP", 1, 30},
    {194, u"VARP", 1, 30},
    {195, u"DSTDEVP", 3, 3},
    {196, u"DVARP", 3, 3},
    {197, u"TRUNC", 1, 2},
    {198, u"ISLOGICAL", 1, 1},
    {199, u"DCOUNTA", 3, 3},
    {204, u"USDOLLAR", 1, 2},
    {205, u"FINDB", 2, 3},
    {206, u"SEARCHB", 2, 3},
    {207, u"REPLACEB", 4, 4},
    {208, u"LEFTB", 1, 2},
    {209, u"RIGHTB", 1, 2},
    {210, u"MIDB", 3, 3},
    {211, u"LENB", 1, 1},
    {212, u"ROUNDUP", 2, 2},
    {213, u"ROUNDDOWN", 2, 2},
    {214, u"ASC", 1, 1},
    {215, u"DBCS", 1, 1},
    {216, u"RANK", 2, 3},
    {219, u"ADDRESS", 2, 5},
    {220, u"DAYS360", 2, 3},
    {221, u"TODAY", 0, 0},
    {222, u"VDB", 5, 7},
    {227, u"MEDIAN", 1, 30},
    {228, u"SUMPRODUCT", 1, 30},
    {229, u"SINH", 1, 1},
    {230, u"COSH", 1, 1},
    {231, u"TANH", 1, 1},
    {232, u"ASINH", 1, 1},
    {233, u"ACOSH", 1, 1},
    {234, u"ATANH", 1, 1},
    {235, u"DGET", 3, 3},
    {244, u"INFO", 1, 1},
    {247, u"DB", 4, 5},
    {252, u"FREQUENCY", 2, 2},
    {261, u"ERROR.TYPE", 1, 1},
    {269, u"AVEDEV", 1, 30},
    {270, u"BETADIST", 3, 5},
    {271, u"GAMMALN", 1, 1},
    {272, u"BETAINV", 3, 5},
    {273, u"BINOMDIST", 4, 4},
    {274, u"CHIDIST", 2, 2},
    {275, u"CHIINV", 2, 2},
    {276, u"COMBIN", 2, 2},
    {277, u"CONFIDENCE", 3, 3},
    {278, u"CRITBINOM", 3, 3},
    {279, u"EVEN", 1, 1},
    {280, u"EXPONDIST", 3, 3},
    {281, u"FDIST", 3, 3},
    {282, u"FINV", 3, 3},
    {283, u"FISHER", 1, 1},
    {284, u"FISHERINV", 1, 1},
    {285, u"FLOOR", 2, 2},
    {286, u"GAMMADIST", 4, 4},
    {287, u"GAMMAINV", 3, 3},
    {288, u"CEILING", 2, 2},
    {289, u"HYPGEOMDIST", 4, 4},
    {290, u"LOGNORMDIST", 3, 3},
    {291, u"LOGINV", 3, 3},
    {292, u"NEGBINOMDIST", 3, 3},
    {293, u"NORMDIST", 4, 4},
    {294, u"NORMSDIST", 1, 1},
    {295, u"NORMINV", 3, 3},
    {296, u"NORMSINV", 1, 1},
    {297, u"STANDARDIZE", 3, 3},
    {298, u"ODD", 1, 1},
    {299, u"PERMUT", 2, 2},
    {300, u"POISSON", 3, 3},
    {301, u"TDIST", 3, 3},
    {302, u"WEIBULL", 4, 4},
    {303, u"SUMXMY2", 2, 2},
    {304, u"SUMX2MY2", 2, 2},
    {305, u"SUMX2PY2", 2, 2},
    {306, u"CHITEST", 2, 2},
    {307, u"CORREL", 2, 2},
    {308, u"COVAR", 2, 2},
    {309, u"FORECAST", 3, 3},
    {310, u"FTEST", 2, 2},
    {311, u"INTERCEPT", 2, 2},
    {312, u"PEARSON", 2, 2},
    {313, u"RSQ", 2, 2},
    {314, u"STEYX", 2, 2},
    {315, u"SLOPE", 2, 2},
    {316, u"TTEST", 4, 4},
    {317, u"PROB", 3, 4},
    {318, u"DEVSQ", 1, 30},
    {319, u"GEOMEAN", 1, 30},
    {320, u"HARMEAN", 1, 30},
    {321, u"SUMSQ", 0, 30},
    {322, u"KURT", 1, 30},
    {323, u"SKEW", 1, 30},
    {324, u"ZTEST", 2, 3},
    {325, u"LARGE", 2, 2},
    {326, u"SMALL", 2, 2},
    {327, u"QUARTILE", 2, 2},
    {328, u"PERCENTILE", 2, 2},
    {329, u"PERCENTRANK", 2, 3},
    {330, u"MODE", 1, 30},
    {331, u"TRIMMEAN", 2, 2},
    {332, u"TINV", 2, 2},
    {336, u"CONCATENATE", 0, 30},
    {337, u"POWER", 2, 2},
    {342, u"RADIANS", 1, 1},
    {343, u"DEGREES", 1, 1},
    {344, u"SUBTOTAL", 2, 30},
    {345, u"SUMIF", 2, 3},
    {346, u"COUNTIF", 2, 2},
    {347, u"COUNTBLANK", 1, 1},
    {350, u"ISPMT", 4, 4},
    {351, u"DATEDIF", 3, 3},
    {352, u"DATESTRING", 1, 1},
    {353, u"NUMBERSTRING", 2, 2},
    {354, u"ROMAN", 1, 2},
    {358, u"GETPIVOTDATA", 2, 30},
    {359, u"HYPERLINK", 1, 2},
    {360, u"PHONETIC", 1, 1},
    {361, u"AVERAGEA", 1, 30},
    {362, u"MAXA", 1, 30},
    {363, u"MINA", 1, 30},
    {364, u"STDEVPA", 1, 30},
    {365, u"VARPA", 1, 30},
    {366, u"STDEVA", 1, 30},
    {367, u"VARA", 1, 30},
};
// clang-format on

constexpr std::size_t kFilledCount = sizeof(kFilledRows) / sizeof(kFilledRows[0]);
constexpr std::int16_t kEmptyRow = -1;

// Function index -> position in kFilledRows, or kEmptyRow. Built at compile
// time so that a lookup by index is one array access.
constexpr std::array<std::int16_t, CExcelFunctionTable::kRowCount> BuildPositions() {
    std::array<std::int16_t, CExcelFunctionTable::kRowCount> positions{};
    positions.fill(kEmptyRow);
    for (std::size_t i = 0; i < kFilledCount; ++i) {
        positions[kFilledRows[i].index] = static_cast<std::int16_t>(i);
    }
    return positions;
}

constexpr bool FilledRowsAreWellFormed() {
    for (std::size_t i = 0; i < kFilledCount; ++i) {
        const FunctionRow& row = kFilledRows[i];
        if (row.index >= CExcelFunctionTable::kRowCount) return false;
        if (i > 0 && kFilledRows[i - 1].index >= row.index) return false;
        if (row.name.empty() || row.name.size() > CExcelFunctionTable::kMaxNameLength) {
            return false;
        }
        if (row.minArgs > row.maxArgs) return false;
    }
    return true;
}
static_assert(FilledRowsAreWellFormed(), "function rows: ascending, in range, named, min <= max");

constexpr std::array<std::int16_t, CExcelFunctionTable::kRowCount> kPositions = BuildPositions();

const FunctionRow* FindRow(std::uint32_t index) {
    if (index >= CExcelFunctionTable::kRowCount) return nullptr;
    const std::int16_t position = kPositions[index];
    return position == kEmptyRow ? nullptr : &kFilledRows[position];
}

// Function names are ASCII (letters, digits, periods), so folding a-z is the
// whole of the case-insensitive comparison.
char16_t FoldAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

std::u16string CExcelFunctionTable::GetName(std::uint32_t index) {
    const FunctionRow* row = FindRow(index);
    return row ? std::u16string(row->name) : std::u16string();
}

std::uint8_t CExcelFunctionTable::GetMinArgs(std::uint32_t index) {
    const FunctionRow* row = FindRow(index);
    return row ? row->minArgs : 0;
}

std::uint8_t CExcelFunctionTable::GetMaxArgs(std::uint32_t index) {
    const FunctionRow* row = FindRow(index);
    return row ? row->maxArgs : 0;
}

int CExcelFunctionTable::FindByName(std::u16string_view name) {
    if (name.empty()) return -1;
    for (const FunctionRow& row : kFilledRows) {
        if (SameNameIgnoringCase(row.name, name)) return row.index;
    }
    return -1;
}
