#include "formula/CExcelFormulaNameText.h"

#include "formula/CExcelFormulaSheetName.h"
#include "formula/CExcelFormulaWorkbook.h"
#include "records/CExcelRecordNAME.h"

namespace {

constexpr std::u16string_view kFuturePrefix = u"_xlfn.";

char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Defined names compare without regard to case.
bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) return false;
    }
    return true;
}

bool HiddenBySheetName(const CExcelFormulaWorkbook& workbook, std::uint32_t sheetNumber,
                       const std::u16string& display) {
    if (sheetNumber == 0) return false;
    for (const CExcelRecordNAME& name : workbook.GetNames()) {
        if (name.GetSheetIndex() == sheetNumber && SameName(name.GetDisplayName(), display))
            return true;
    }
    return false;
}

}  // namespace

bool CExcelFormulaNameText::Resolve(const CExcelFormulaWorkbook* workbook,
                                    const CExcelSheetFormulas* worksheet, std::uint32_t index,
                                    std::u16string& text) {
    if (!workbook || index == 0) return false;
    const CExcelRecordNAME* name = workbook->GetNames().GetAt(index - 1);
    if (!name) return false;
    const std::u16string display = name->GetDisplayName();
    if (display.empty()) return false;
    const std::uint32_t sheetNumber = workbook->GetSheetNumber(worksheet);
    const std::uint32_t owner = name->GetSheetIndex();
    if (owner == 0) {
        if (HiddenBySheetName(*workbook, sheetNumber, display)) return false;
        text = display;
        return true;
    }
    if (owner == sheetNumber) {
        text = display;
        return true;
    }
    const std::u16string sheet = workbook->GetSheetName(static_cast<std::uint16_t>(owner - 1));
    if (sheet.empty()) return false;
    text = CExcelFormulaSheetName::Prefix(sheet) + display;
    return true;
}

std::u16string CExcelFormulaNameText::FunctionName(std::u16string_view name) {
    if (name.size() > kFuturePrefix.size() &&
        SameName(name.substr(0, kFuturePrefix.size()), kFuturePrefix))
        name.remove_prefix(kFuturePrefix.size());
    return std::u16string(name);
}
