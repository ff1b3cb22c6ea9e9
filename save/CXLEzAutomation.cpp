#include "save/CXLEzAutomation.h"

#include <utility>

namespace {

double At(std::int32_t coordinate) {
    return static_cast<double>(coordinate);
}

}  // namespace

CXLEzAutomation::CXLEzAutomation(bool visible, std::u16string_view programId)
    : m_automation(std::make_unique<CXLAutomation>(visible, programId)) {}

CXLEzAutomation::~CXLEzAutomation() = default;

bool CXLEzAutomation::NewWorkbook() {
    return m_automation->NewWorkbook();
}

std::int32_t CXLEzAutomation::WorksheetCount() {
    return m_automation->WorksheetCount();
}

bool CXLEzAutomation::SelectWorksheetFromEnd(std::int32_t index) {
    return m_automation->SelectWorksheetFromEnd(index);
}

std::int32_t CXLEzAutomation::AppendWorksheet() {
    return m_automation->AppendWorksheet();
}

bool CXLEzAutomation::RenameActiveWorksheet(std::u16string_view name) {
    return m_automation->RenameActiveWorksheet(name);
}

bool CXLEzAutomation::ActiveWorksheetName(std::u16string& name) {
    return m_automation->ActiveWorksheetName(name);
}

bool CXLEzAutomation::SelectCell(std::int32_t column, std::int32_t row) {
    return m_automation->SelectCell(At(column), At(row));
}

IDispatch* CXLEzAutomation::SelectRange(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                        std::int32_t r2) {
    return m_automation->SelectRange(At(c1), At(r1), At(c2), At(r2));
}

bool CXLEzAutomation::WriteText(std::int32_t column, std::int32_t row, std::u16string_view text) {
    return m_automation->WriteText(At(column), At(row), text);
}

bool CXLEzAutomation::WriteNumber(std::int32_t column, std::int32_t row, double value,
                                  std::u16string_view format) {
    return m_automation->WriteNumber(At(column), At(row), value, format);
}

bool CXLEzAutomation::AutoFillRange(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                    std::int32_t r2, std::int32_t dc1, std::int32_t dr1,
                                    std::int32_t dc2, std::int32_t dr2) {
    return m_automation->AutoFillRange(At(c1), At(r1), At(c2), At(r2), At(dc1), At(dr1), At(dc2),
                                       At(dr2));
}

bool CXLEzAutomation::WriteValues(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                  std::int32_t r2, CVariant& values) {
    return m_automation->WriteValues(At(c1), At(r1), At(c2), At(r2), values);
}

bool CXLEzAutomation::WriteBoolean(std::int32_t column, std::int32_t row, bool value) {
    return m_automation->WriteBoolean(At(column), At(row), value);
}

bool CXLEzAutomation::WriteError(std::int32_t column, std::int32_t row,
                                 std::uint8_t biffErrorCode) {
    return m_automation->WriteError(At(column), At(row), biffErrorCode);
}

bool CXLEzAutomation::ApplyNumberFormat(std::int32_t column, std::int32_t row,
                                        std::u16string_view format) {
    return m_automation->ApplyNumberFormat(At(column), At(row), format);
}

bool CXLEzAutomation::WriteFormula(std::int32_t column, std::int32_t row, std::u16string_view text,
                                   std::u16string_view format) {
    return m_automation->WriteFormula(At(column), At(row), text, format);
}

bool CXLEzAutomation::WriteFilledFormula(std::int32_t column, std::int32_t row,
                                         std::u16string_view text, std::int32_t c1, std::int32_t r1,
                                         std::int32_t c2, std::int32_t r2) {
    return m_automation->WriteFilledFormula(At(column), At(row), text, At(c1), At(r1), At(c2),
                                            At(r2));
}

bool CXLEzAutomation::WriteFormulaArray(std::int32_t column, std::int32_t row,
                                        std::u16string_view text) {
    return m_automation->WriteFormulaArray(At(column), At(row), text);
}

bool CXLEzAutomation::WriteRangeFormula(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                        std::int32_t r2, std::u16string_view text) {
    return m_automation->WriteRangeFormula(At(c1), At(r1), At(c2), At(r2), text);
}

bool CXLEzAutomation::WriteRangeFormulaArray(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                             std::int32_t r2, std::u16string_view text) {
    return m_automation->WriteRangeFormulaArray(At(c1), At(r1), At(c2), At(r2), text);
}

bool CXLEzAutomation::SetRangeFont(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                   std::int32_t r2, std::u16string_view name, bool bold,
                                   bool italic, bool underline, std::int16_t colorIndex) {
    return m_automation->SetRangeFont(At(c1), At(r1), At(c2), At(r2), name, bold, italic, underline,
                                      colorIndex);
}

bool CXLEzAutomation::SetRangeFontSize(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                       std::int32_t r2, std::int16_t size) {
    return m_automation->SetRangeFontSize(At(c1), At(r1), At(c2), At(r2), size);
}

bool CXLEzAutomation::SetCellFill(std::int32_t row, std::int32_t column, std::int16_t colorIndex,
                                  std::int16_t pattern) {
    return m_automation->SetCellFill(At(row), At(column), colorIndex, pattern);
}

bool CXLEzAutomation::ApplyCellFormat(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                      std::int32_t r2, const CXLCellFormat& format, bool complete,
                                      const CXLStyleBase* base) {
    return m_automation->ApplyCellFormat(At(c1), At(r1), At(c2), At(r2), format, complete, base);
}

bool CXLEzAutomation::ApplyStyle(std::u16string_view name, const CXLCellFormat& format,
                                 std::uint8_t included) {
    return m_automation->ApplyStyle(name, format, included);
}

bool CXLEzAutomation::SetColumnFill(std::int32_t column, std::int16_t colorIndex,
                                    std::int16_t pattern) {
    return m_automation->SetColumnFill(At(column), colorIndex, pattern);
}

bool CXLEzAutomation::SetRowFill(std::int32_t row, std::int16_t colorIndex, std::int16_t pattern) {
    return m_automation->SetRowFill(At(row), colorIndex, pattern);
}

bool CXLEzAutomation::SetRangeBorder(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                     std::int32_t r2, std::int16_t edge, std::int16_t lineStyle,
                                     std::int16_t colorIndex) {
    return m_automation->SetRangeBorder(At(c1), At(r1), At(c2), At(r2), edge, lineStyle,
                                        colorIndex);
}

bool CXLEzAutomation::MergeRange(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                 std::int32_t r2) {
    return m_automation->MergeRange(At(c1), At(r1), At(c2), At(r2));
}

bool CXLEzAutomation::SetColumnWidth(std::int32_t column, double width) {
    return m_automation->SetColumnWidth(At(column), width);
}

bool CXLEzAutomation::SetRowHeight(std::int32_t row, double height) {
    return m_automation->SetRowHeight(At(row), height);
}

bool CXLEzAutomation::SetColumnsLayout(std::int32_t c1, std::int32_t c2, double width,
                                       bool hidden) {
    return m_automation->SetColumnsLayout(At(c1), At(c2), width, hidden);
}

bool CXLEzAutomation::SetRowsLayout(std::int32_t r1, std::int32_t r2, double height, bool hidden) {
    return m_automation->SetRowsLayout(At(r1), At(r2), height, hidden);
}

bool CXLEzAutomation::SetStandardWidth(double width) {
    return m_automation->SetStandardWidth(width);
}

bool CXLEzAutomation::SetStandardHeight(double height) {
    return m_automation->SetStandardHeight(height);
}

bool CXLEzAutomation::SetWindowLayout(const CXLWindowLayout& layout) {
    return m_automation->SetWindowLayout(layout);
}

bool CXLEzAutomation::SetTabColorIndex(std::int16_t colorIndex) {
    return m_automation->SetTabColorIndex(colorIndex);
}

bool CXLEzAutomation::SetWorksheetVisible(std::int32_t sheet, std::int16_t visible) {
    return m_automation->SetWorksheetVisible(sheet, visible);
}

bool CXLEzAutomation::SetPaletteColor(std::int16_t index, std::int32_t rgb) {
    return m_automation->SetPaletteColor(index, rgb);
}

bool CXLEzAutomation::AddComment(std::int32_t column, std::int32_t row, std::u16string_view text,
                                 std::u16string_view author, bool visible) {
    return m_automation->AddComment(At(column), At(row), text, author, visible);
}

bool CXLEzAutomation::SetDate1904(bool value) {
    return m_automation->SetDate1904(value);
}

bool CXLEzAutomation::SetLinkValue(std::u16string_view path, std::u16string_view sheet,
                                   std::int32_t row, std::int32_t column, const CVariant& value) {
    return m_automation->SetLinkValue(path, sheet, row, column, value);
}

bool CXLEzAutomation::AddWorkbookName(std::u16string_view name, std::u16string_view refersTo,
                                      bool visible, std::int16_t macroType) {
    return m_automation->AddWorkbookName(name, refersTo, visible, macroType);
}

bool CXLEzAutomation::AddWorksheetName(std::int32_t sheet, std::u16string_view name,
                                       std::u16string_view refersTo, bool visible,
                                       std::int16_t macroType) {
    return m_automation->AddWorksheetName(sheet, name, refersTo, visible, macroType);
}

bool CXLEzAutomation::ReadCellText(std::int32_t column, std::int32_t row, std::u16string& text) {
    return m_automation->ReadCellText(At(column), At(row), text);
}

bool CXLEzAutomation::AddHyperlink(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                   std::int32_t r2, std::u16string_view address,
                                   std::u16string_view subAddress, std::u16string_view screenTip,
                                   std::u16string_view textToDisplay) {
    return m_automation->AddHyperlink(At(c1), At(r1), At(c2), At(r2), address, subAddress,
                                      screenTip, textToDisplay);
}

bool CXLEzAutomation::AddValidation(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                    std::int32_t r2, const CXLValidationRule& rule) {
    return m_automation->AddValidation(At(c1), At(r1), At(c2), At(r2), rule);
}

bool CXLEzAutomation::AddFormatCondition(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                         std::int32_t r2, const CXLConditionRule& rule) {
    return m_automation->AddFormatCondition(At(c1), At(r1), At(c2), At(r2), rule);
}

bool CXLEzAutomation::DeleteFormatConditions(std::int32_t c1, std::int32_t r1, std::int32_t c2,
                                             std::int32_t r2) {
    return m_automation->DeleteFormatConditions(At(c1), At(r1), At(c2), At(r2));
}

bool CXLEzAutomation::SaveWorkbookAs(std::u16string_view fileName) {
    return m_automation->SaveWorkbookAs(fileName, u"", u"", false, false);
}

bool CXLEzAutomation::QuitServer() {
    return m_automation->QuitServer();
}
