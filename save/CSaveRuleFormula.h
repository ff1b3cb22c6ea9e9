// The formula of a rule (a DV or CF record) as the text the object model
// takes: "=" and the decoder's text, decoded for a given base cell so that
// ptgRefN / ptgAreaN offsets land on the cells they name from there.
#pragma once

#include <cstdint>
#include <string>

class CExcelStoredFormula;
class CExcelWorkBook;
class CExcelWorkSheet;

class CSaveRuleFormula {
public:
    // Empty text for no formula. False, with text empty, when the decode is
    // not sound (CExcelFormulaParser::IsSound).
    static bool Text(const CExcelStoredFormula& formula, std::uint32_t baseRow,
                     std::uint32_t baseColumn, const CExcelWorkBook& workbook,
                     const CExcelWorkSheet& worksheet, std::u16string& text);
};
