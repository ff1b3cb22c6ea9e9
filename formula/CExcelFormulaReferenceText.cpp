#include "formula/CExcelFormulaReferenceText.h"

#include <string>

#include "formula/FormulaTokens.h"
#include "records/CExcelCelRange.h"

namespace {

bool IsColumnRelative(std::uint16_t columnField) {
    return (columnField & biff8::kColumnRelative) != 0;
}
bool IsRowRelative(std::uint16_t columnField) {
    return (columnField & biff8::kRowRelative) != 0;
}

std::u16string Print(std::uint32_t row, std::uint8_t column, std::uint16_t columnField) {
    std::u16string text;
    if (!IsColumnRelative(columnField)) text.push_back(u'$');
    text += CExcelCelRange::ColumnName(column);
    if (!IsRowRelative(columnField)) text.push_back(u'$');
    const std::string digits = std::to_string(row + 1);
    text.append(digits.begin(), digits.end());
    return text;
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

std::u16string CExcelFormulaReferenceText::Cell(std::uint16_t row, std::uint16_t columnField) {
    return Print(row, static_cast<std::uint8_t>(columnField & biff8::kColumnMask), columnField);
}

std::u16string CExcelFormulaReferenceText::Area(std::uint16_t firstRow, std::uint16_t lastRow,
                                                std::uint16_t firstColumnField,
                                                std::uint16_t lastColumnField) {
    return Cell(firstRow, firstColumnField) + u':' + Cell(lastRow, lastColumnField);
}

std::u16string CExcelFormulaReferenceText::RelativeCell(std::uint16_t row,
                                                        std::uint16_t columnField,
                                                        std::uint32_t baseRow,
                                                        std::uint16_t baseColumn) {
    return Print(ResolveRow(row, columnField, baseRow), ResolveColumn(columnField, baseColumn),
                 columnField);
}

std::u16string CExcelFormulaReferenceText::RelativeArea(
    std::uint16_t firstRow, std::uint16_t lastRow, std::uint16_t firstColumnField,
    std::uint16_t lastColumnField, std::uint32_t baseRow, std::uint16_t baseColumn) {
    return RelativeCell(firstRow, firstColumnField, baseRow, baseColumn) + u':' +
           RelativeCell(lastRow, lastColumnField, baseRow, baseColumn);
}
