#include "save/CSaveRuleFormula.h"

#include "formula/CExcelFormulaParser.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelStoredFormula.h"

bool CSaveRuleFormula::Text(const CExcelStoredFormula& formula, std::uint32_t baseRow,
                            std::uint32_t baseColumn, const CExcelWorkBook& workbook,
                            const CExcelWorkSheet& worksheet, std::u16string& text) {
    text.clear();
    if (formula.IsEmpty()) return true;
    CExcelFormulaParser parser;
    const std::u16string decoded = parser.Decode(formula.Data(), formula.Size(), baseRow,
                                                 static_cast<std::uint16_t>(baseColumn), &workbook,
                                                 &worksheet, nullptr, nullptr);
    if (!parser.IsSound()) return false;
    text = u"=" + decoded;
    return true;
}
