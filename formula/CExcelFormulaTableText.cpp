#include "formula/CExcelFormulaTableText.h"

#include "formula/CExcelRecordMulOpTable.h"
#include "formula/CExcelSheetFormulas.h"

std::u16string CExcelFormulaTableText::Text(const CExcelSheetFormulas* worksheet, std::uint16_t row,
                                            std::uint16_t column) {
    if (!worksheet) return {};
    for (const CExcelRecordMulOpTable& table : worksheet->GetTables()) {
        if (table.GetFirstRow() != row || table.GetFirstColumn() != column) continue;
        switch (table.GetTableFlags()) {
            case 0:
                return u"{=TABLE(," + table.GetInput1Text() + u")}";
            case CExcelRecordMulOpTable::kRowInput:
                return u"{=TABLE(" + table.GetInput1Text() + u",)}";
            case CExcelRecordMulOpTable::kRowInput | CExcelRecordMulOpTable::kTwoInputs:
                return u"{=TABLE(" + table.GetInput1Text() + u"," + table.GetInput2Text() + u")}";
            default:
                return {};
        }
    }
    return {};
}
