// The numbers the spreadsheet's object model exchanges with its callers,
// for the members our server implements: template and sheet kinds, fill
// and underline styles, alignments and orientations, border indices, and the error number of a
// refused call. Colour indices are CXlsColorIndex's; line styles and fill patterns arrive as the
// file's own numbers (CXlsBorders, CXlsInterior).
#pragma once

#include <cstdint>

namespace xlauto {

// Workbooks.Add(Template): a workbook with one worksheet. Without a
// template a new workbook gets kSheetsInNewWorkbook worksheets.
constexpr std::int32_t kTemplateWorksheet = -4167;
constexpr int kSheetsInNewWorkbook = 3;
// Sheets.Add(Type): a worksheet (the same number as the template).
constexpr std::int32_t kSheetTypeWorksheet = -4167;

// "None" and "automatic" wherever a style or colour takes them.
constexpr std::int32_t kNone = -4142;
constexpr std::int32_t kAutomatic = -4105;

// Font.Underline as the object model reads and writes it; True and False
// stand for single and none.
constexpr std::int32_t kUnderlineNone = -4142;
constexpr std::int32_t kUnderlineSingle = 2;
constexpr std::int32_t kUnderlineDouble = -4119;
constexpr std::int32_t kUnderlineSingleAccounting = 4;
constexpr std::int32_t kUnderlineDoubleAccounting = 5;

// Range.HorizontalAlignment.
constexpr std::int32_t kHAlignGeneral = 1;
constexpr std::int32_t kHAlignLeft = -4131;
constexpr std::int32_t kHAlignCenter = -4108;
constexpr std::int32_t kHAlignRight = -4152;
constexpr std::int32_t kHAlignFill = 5;
constexpr std::int32_t kHAlignJustify = -4130;
constexpr std::int32_t kHAlignCenterAcrossSelection = 7;
constexpr std::int32_t kHAlignDistributed = -4117;

// Range.VerticalAlignment.
constexpr std::int32_t kVAlignTop = -4160;
constexpr std::int32_t kVAlignCenter = -4108;
constexpr std::int32_t kVAlignBottom = -4107;
constexpr std::int32_t kVAlignJustify = -4130;
constexpr std::int32_t kVAlignDistributed = -4117;

// Range.Orientation: degrees -90 to 90, or one of these.
constexpr std::int32_t kOrientationHorizontal = -4128;  // 0 degrees
constexpr std::int32_t kOrientationUpward = -4171;      // 90 degrees
constexpr std::int32_t kOrientationDownward = -4170;    // -90 degrees
constexpr std::int32_t kOrientationVertical = -4166;    // letters stacked

// Range.Borders(Index). 1-4 are every cell's own left, right, top and
// bottom line; 5 and 6 the diagonals of every cell; 7-10 the outline of the
// range; 11 and 12 the lines between its cells.
constexpr std::int32_t kBorderLeft = 1;
constexpr std::int32_t kBorderRight = 2;
constexpr std::int32_t kBorderTop = 3;
constexpr std::int32_t kBorderBottom = 4;
constexpr std::int32_t kDiagonalDown = 5;
constexpr std::int32_t kDiagonalUp = 6;
constexpr std::int32_t kEdgeLeft = 7;
constexpr std::int32_t kEdgeTop = 8;
constexpr std::int32_t kEdgeBottom = 9;
constexpr std::int32_t kEdgeRight = 10;
constexpr std::int32_t kInsideVertical = 11;
constexpr std::int32_t kInsideHorizontal = 12;

// Range.AutoFill(Type): the fill that copies formulas with their relative
// references moved (and constants as they are).
constexpr std::int32_t kFillDefault = 0;

// Workbook.SaveAs(FileFormat): the Excel 97-2003 workbook, under its two
// names (the one new workbooks default to, and the explicit one).
constexpr std::int32_t kFileFormatWorkbookNormal = -4143;
constexpr std::int32_t kFileFormatExcel8 = 56;

// Worksheet.Visible: shown, hidden (the user may show it again) and very
// hidden (only a program may). True and False stand for the first two.
constexpr std::int32_t kSheetVisible = -1;
constexpr std::int32_t kSheetHidden = 0;
constexpr std::int32_t kSheetVeryHidden = 2;

// The error number of a call the spreadsheet refuses (an application- or
// object-defined error), carried in the exception record.
constexpr std::uint16_t kRefusedCall = 1004;

}  // namespace xlauto
