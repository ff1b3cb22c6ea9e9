#include "formula/CExcelFormulaReferenceText.h"

#include <string>

#include "formula/FormulaTokens.h"

namespace {

bool IsColumnRelative(std::uint16_t columnField) {
    return (columnField & biff8::kColumnRelative) != 0;
}
bool IsRowRelative(std::uint16_t columnField) {
    return (columnField & biff8::kRowRelative) != 0;
}

// Letters A to IV: one letter below column 26, else two.
void AppendColumn(std::u16string& out, std::uint8_t column) {
    if (column >= 26) out.push_back(static_cast<char16_t>(u'@' + column / 26));
    out.push_back(static_cast<char16_t>(u'A' + column % 26));
}

void Print(std::u16string& out, std::uint32_t row, std::uint8_t column, std::uint16_t columnField) {
    if (!IsColumnRelative(columnField)) out.push_back(u'$');
    AppendColumn(out, column);
    if (!IsRowRelative(columnField)) out.push_back(u'$');
    CExcelFormulaReferenceText::AppendDecimal(out, row + 1);
}

// Offsets are added modulo the grid: the row offset as a 16-bit and the
// column offset as an 8-bit two's-complement value, so that one row above
// row 1 is row 65536, as the spreadsheet resolves it.
std::uint32_t ResolveRow(std::uint16_t row, std::uint16_t columnField, std::uint32_t baseRow) {
    if (!IsRowRelative(columnField)) return row;
    return (baseRow + row) % biff8::kGridRows;
}

std::uint8_t ResolveColumn(std::uint16_t columnField, std::uint16_t baseColumn) {
    const std::uint32_t column = columnField & biff8::kColumnMask;
    if (!IsColumnRelative(columnField)) return static_cast<std::uint8_t>(column);
    return static_cast<std::uint8_t>((baseColumn + column) % biff8::kGridColumns);
}

}  // namespace

void CExcelFormulaReferenceText::AppendCell(std::u16string& out, std::uint16_t row,
                                            std::uint16_t columnField) {
    Print(out, row, static_cast<std::uint8_t>(columnField & biff8::kColumnMask), columnField);
}

void CExcelFormulaReferenceText::AppendArea(std::u16string& out, std::uint16_t firstRow,
                                            std::uint16_t lastRow, std::uint16_t firstColumnField,
                                            std::uint16_t lastColumnField) {
    AppendCell(out, firstRow, firstColumnField);
    out.push_back(u':');
    AppendCell(out, lastRow, lastColumnField);
}

void CExcelFormulaReferenceText::AppendRelativeCell(std::u16string& out, std::uint16_t row,
                                                    std::uint16_t columnField,
                                                    std::uint32_t baseRow,
                                                    std::uint16_t baseColumn) {
    Print(out, ResolveRow(row, columnField, baseRow), ResolveColumn(columnField, baseColumn),
          columnField);
}

void CExcelFormulaReferenceText::AppendRelativeArea(std::u16string& out, std::uint16_t firstRow,
                                                    std::uint16_t lastRow,
                                                    std::uint16_t firstColumnField,
                                                    std::uint16_t lastColumnField,
                                                    std::uint32_t baseRow,
                                                    std::uint16_t baseColumn) {
    AppendRelativeCell(out, firstRow, firstColumnField, baseRow, baseColumn);
    out.push_back(u':');
    AppendRelativeCell(out, lastRow, lastColumnField, baseRow, baseColumn);
}

std::u16string CExcelFormulaReferenceText::Cell(std::uint16_t row, std::uint16_t columnField) {
    std::u16string text;
    AppendCell(text, row, columnField);
    return text;
}

std::u16string CExcelFormulaReferenceText::Area(std::uint16_t firstRow, std::uint16_t lastRow,
                                                std::uint16_t firstColumnField,
                                                std::uint16_t lastColumnField) {
    std::u16string text;
    AppendArea(text, firstRow, lastRow, firstColumnField, lastColumnField);
    return text;
}

std::u16string CExcelFormulaReferenceText::RelativeCell(std::uint16_t row,
                                                        std::uint16_t columnField,
                                                        std::uint32_t baseRow,
                                                        std::uint16_t baseColumn) {
    std::u16string text;
    AppendRelativeCell(text, row, columnField, baseRow, baseColumn);
    return text;
}

std::u16string CExcelFormulaReferenceText::RelativeArea(
    std::uint16_t firstRow, std::uint16_t lastRow, std::uint16_t firstColumnField,
    std::uint16_t lastColumnField, std::uint32_t baseRow, std::uint16_t baseColumn) {
    std::u16string text;
    AppendRelativeArea(text, firstRow, lastRow, firstColumnField, lastColumnField, baseRow,
                       baseColumn);
    return text;
}

void CExcelFormulaReferenceText::AppendDecimal(std::u16string& out, std::uint32_t value) {
    char16_t digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) out.push_back(digits[--count]);
}
