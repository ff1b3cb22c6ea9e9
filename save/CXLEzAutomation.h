// The automation facade that the save holds: it owns one CXLAutomation
// (started in the constructor, destroyed with the facade) and forwards each
// operation to it one to one, turning the save's whole-number one-based
// coordinates into the doubles that the server's "Cells" takes.
//
// Results are those of CXLAutomation: false / -1 when an operation did not
// happen; after a failed start every operation fails quietly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/automation/IDispatch.h"
#include "save/CXLAutomation.h"

class CXLEzAutomation {
public:
    // Starts the server (hidden when visible is false); a failed start shows
    // its message and leaves a facade whose operations all fail.
    // programId: as for CXLAutomation (tests only).
    explicit CXLEzAutomation(bool visible,
                             std::u16string_view programId = CXLAutomation::kExcelProgramId);
    ~CXLEzAutomation();
    CXLEzAutomation(const CXLEzAutomation&) = delete;
    CXLEzAutomation& operator=(const CXLEzAutomation&) = delete;

    bool NewWorkbook();
    std::int32_t WorksheetCount();
    bool SelectWorksheetFromEnd(std::int32_t index);
    std::int32_t AppendWorksheet();
    bool RenameActiveWorksheet(std::u16string_view name);
    bool ActiveWorksheetName(std::u16string& name);
    bool SelectCell(std::int32_t column, std::int32_t row);
    // The selected range with one reference for the caller, or null.
    IDispatch* SelectRange(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2);
    bool WriteText(std::int32_t column, std::int32_t row, std::u16string_view text);
    bool WriteNumber(std::int32_t column, std::int32_t row, double value,
                     std::u16string_view format);
    // A block of cells (c1, r1)-(c2, r2) in one call: values is an array
    // variant of its rows and columns; an empty element clears its cell.
    // values comes back as it went. False when the server refused the block
    // (see CXLAutomation).
    bool WriteValues(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                     CVariant& values);
    // A Boolean or a cell error value (by its BIFF code) as the cell's value.
    bool WriteBoolean(std::int32_t column, std::int32_t row, bool value);
    bool WriteError(std::int32_t column, std::int32_t row, std::uint8_t biffErrorCode);
    bool ApplyNumberFormat(std::int32_t column, std::int32_t row, std::u16string_view format);
    bool WriteFormula(std::int32_t column, std::int32_t row, std::u16string_view text,
                      std::u16string_view format);
    bool WriteFilledFormula(std::int32_t column, std::int32_t row, std::u16string_view text,
                            std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2);
    bool WriteFormulaArray(std::int32_t column, std::int32_t row, std::u16string_view text);
    bool WriteRangeFormula(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                           std::u16string_view text);
    bool WriteRangeFormulaArray(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                                std::u16string_view text);
    // Fills destination (dc1, dr1)-(dc2, dr2) from the source range
    // (c1, r1)-(c2, r2) as it stands.
    bool AutoFillRange(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                       std::int32_t dc1, std::int32_t dr1, std::int32_t dc2, std::int32_t dr2);
    bool SetRangeFont(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                      std::u16string_view name, bool bold, bool italic, bool underline,
                      std::int16_t colorIndex);
    bool SetRangeFontSize(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                          std::int16_t size);
    bool SetCellFill(std::int32_t row, std::int32_t column, std::int16_t colorIndex,
                     std::int16_t pattern);
    // The whole format over (c1, r1)-(c2, r2), its named style first;
    // complete puts every value the style leaves out, else only those that
    // differ from what the cells show (`base`, null for a fresh cell).
    bool ApplyCellFormat(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                         const CXLCellFormat& format, bool complete,
                         const CXLStyleBase* base = nullptr);
    // A named style of the workbook with its values and included groups.
    bool ApplyStyle(std::u16string_view name, const CXLCellFormat& format, std::uint8_t included);
    bool SetColumnFill(std::int32_t column, std::int16_t colorIndex, std::int16_t pattern);
    bool SetRowFill(std::int32_t row, std::int16_t colorIndex, std::int16_t pattern);
    bool SetRangeBorder(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                        std::int16_t edge, std::int16_t lineStyle, std::int16_t colorIndex);
    bool MergeRange(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2);
    bool SetColumnWidth(std::int32_t column, double width);
    bool SetRowHeight(std::int32_t row, double height);
    // Whole columns c1..c2 / rows r1..r2: width in characters / height in
    // points (a negative height leaves the height), then hidden when asked.
    bool SetColumnsLayout(std::int32_t c1, std::int32_t c2, double width, bool hidden);
    bool SetRowsLayout(std::int32_t r1, std::int32_t r2, double height, bool hidden);
    // The active worksheet's standard column width and row height.
    bool SetStandardWidth(double width);
    bool SetStandardHeight(double height);
    // The window of the active worksheet.
    bool SetWindowLayout(const CXLWindowLayout& layout);
    // The active worksheet's tab colour, a palette index 1-56.
    bool SetTabColorIndex(std::int16_t colorIndex);
    // Worksheet `sheet` (1 the first): -1 shown, 0 hidden, 2 very hidden.
    bool SetWorksheetVisible(std::int32_t sheet, std::int16_t visible);
    // Palette colour index (1 to 56) as red + green * 256 + blue * 65536.
    bool SetPaletteColor(std::int16_t index, std::int32_t rgb);
    // A comment on the cell with its author, shown at all times or not.
    bool AddComment(std::int32_t column, std::int32_t row, std::u16string_view text,
                    std::u16string_view author, bool visible);
    // The workbook's date system: true for dates counted from 1904.
    bool SetDate1904(bool value);
    // The value of cell (row, column), from 1, of sheet `sheet` of the
    // other workbook at `path`, as the links of the saved workbook keep it.
    bool SetLinkValue(std::u16string_view path, std::u16string_view sheet, std::int32_t row,
                      std::int32_t column, const CVariant& value);
    // A defined name of the whole workbook, or of worksheet `sheet` (1 the
    // first): refersTo is "=" and its formula, or empty for a name without
    // one; macroType 1 for a function, 2 for a command, 0 for neither.
    bool AddWorkbookName(std::u16string_view name, std::u16string_view refersTo, bool visible,
                         std::int16_t macroType);
    bool AddWorksheetName(std::int32_t sheet, std::u16string_view name,
                          std::u16string_view refersTo, bool visible, std::int16_t macroType);
    // The cell's text; false when it holds none.
    bool ReadCellText(std::int32_t column, std::int32_t row, std::u16string& text);
    // A hyperlink over (c1, r1)-(c2, r2); empty texts are left out (an
    // empty address: a place in this workbook).
    bool AddHyperlink(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                      std::u16string_view address, std::u16string_view subAddress,
                      std::u16string_view screenTip, std::u16string_view textToDisplay);
    // A data validation over (c1, r1)-(c2, r2).
    bool AddValidation(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                       const CXLValidationRule& rule);
    // A condition of the conditional format over (c1, r1)-(c2, r2), and the
    // removal of the formats inside that range.
    bool AddFormatCondition(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                            const CXLConditionRule& rule);
    bool DeleteFormatConditions(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2);
    // Saves with no passwords, not read-only-recommended, no backup.
    bool SaveWorkbookAs(std::u16string_view fileName);
    bool QuitServer();

    // The wrapper, for tests and diagnostics (its failure report).
    const CXLAutomation& Automation() const { return *m_automation; }

private:
    std::unique_ptr<CXLAutomation> m_automation;
};
