#include "model/CExcelWorkSheetList.h"

CExcelWorkSheet* CExcelWorkSheetList::Add(const CExcelWorkSheet& sheet) {
    auto* copy = new CExcelWorkSheet;
    copy->SetName(sheet.GetName());
    copy->SetStart(sheet.GetStart());
    copy->SetEnd(sheet.GetEnd());
    copy->SetVisibility(sheet.GetVisibility());
    m_sheets.Add(copy);
    return copy;
}

std::u16string CExcelWorkSheetList::GetSheetName(std::uint16_t index) const {
    const CExcelWorkSheet* sheet = m_sheets.GetAt(index);
    return sheet ? sheet->GetName() : std::u16string();
}
