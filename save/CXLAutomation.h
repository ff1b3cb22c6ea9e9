// The working half of the save's automation: it starts the spreadsheet
// server registered as "Excel.Application", keeps the few server objects a
// save needs, and performs each spreadsheet action as a fixed sequence of
// late-bound calls by name (which members, in which order, with which
// invocation kinds and call flags is the contract of each operation).
//
// Ownership: the application, the workbook, the active worksheet and the
// first worksheet are held with one reference each, released when replaced
// and by DisconnectServer. Objects obtained during an operation (cells,
// ranges, fonts, interiors, borders, collections) are released before it
// returns, on every path. A range handed out by SelectRange carries a
// reference for the caller.
//
// Failures: only a failed start shows messages (caption "Failed"); every
// other failure makes the operation return false (or -1 for counts) and the
// save goes on. After a failed start every operation fails quietly.
//
// Coordinates are one-based doubles, as the server's "Cells" takes them. One
// object lives on one thread (the save worker) and is not shared.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/CRefusedCalls.h"
#include "platform/automation/CVariant.h"
#include "platform/automation/IDispatch.h"
#include "save/CDispatchArguments.h"
#include "save/CDispatchIdCache.h"
#include "save/CXLCellFormat.h"
#include "save/CXLConditionRule.h"
#include "save/CXLValidationRule.h"
#include "save/CXLWindowLayout.h"

class CXLAutomation {
public:
    // Call flags of InvokeMember.
    static constexpr std::uint16_t kQuietCall = 1;       // compose no failure report
    static constexpr std::uint16_t kResetAfterCall = 2;  // reset the arguments (and be quiet)

    static constexpr std::uint32_t kMaxArguments = CDispatchArguments::kCapacity;
    // Per-argument flag: the argument borrows its value; a reset forgets it
    // without releasing it.
    static constexpr std::uint16_t kArgumentBorrowed = CDispatchArguments::kBorrowed;

    // The caption of the start-up failure messages.
    static constexpr std::u16string_view kFailedCaption = u"Failed";

    // The program id of the spreadsheet server.
    static constexpr std::u16string_view kExcelProgramId = u"Excel.Application";

    // Runs ConnectServer(visible). programId names the server to start; only
    // tests pass another one (a recording fake).
    explicit CXLAutomation(bool visible, std::u16string_view programId = kExcelProgramId);
    // DisconnectServer, then uninitialises the registry if this object
    // initialised it.
    ~CXLAutomation();
    CXLAutomation(const CXLAutomation&) = delete;
    CXLAutomation& operator=(const CXLAutomation&) = delete;

    // --- Low-level operations -------------------------------------------

    // Version test, registry initialisation, LaunchServer, SetVisible, in
    // that order; messages for the start-up failures. Nothing is thrown.
    void ConnectServer(bool visible);
    bool LaunchServer();
    bool SetVisible(bool visible);
    // Releases the held objects (and whatever the argument list holds).
    void DisconnectServer();
    // "Quit" on the application, then DisconnectServer. Always true.
    bool QuitServer();

    void ResetArguments() { m_arguments.Reset(); }
    // Each appends one argument (see CDispatchArguments); a non-empty name
    // makes it a named argument. False when the list is full (10) or, for
    // text, the copy cannot be made. PushDispatch takes over the caller's
    // reference to object unless flags has kArgumentBorrowed.
    bool PushDispatch(std::u16string_view name, std::uint16_t flags, IDispatch* object) {
        return m_arguments.PushDispatch(name, flags, object);
    }
    bool PushShort(std::u16string_view name, std::uint16_t flags, std::int16_t value) {
        return m_arguments.PushShort(name, flags, value);
    }
    bool PushBool(std::u16string_view name, std::uint16_t flags, bool value) {
        return m_arguments.PushBool(name, flags, value);
    }
    bool PushDouble(std::u16string_view name, std::uint16_t flags, double value) {
        return m_arguments.PushDouble(name, flags, value);
    }
    bool PushText(std::u16string_view name, std::uint16_t flags, std::u16string_view text) {
        return m_arguments.PushText(name, flags, text);
    }
    bool PushError(std::u16string_view name, std::uint16_t flags, HRESULT status) {
        return m_arguments.PushError(name, flags, status);
    }
    bool PushVariant(std::u16string_view name, std::uint16_t flags, CVariant value) {
        return m_arguments.PushVariant(name, flags, std::move(value));
    }

    // Calls member `name` of object with the argument list: kind is
    // DISPATCH_METHOD, DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT; flags a
    // combination of kQuietCall and kResetAfterCall. result may be null.
    // The names are looked up once per object class (CDispatchIdCache); a
    // refused lookup is asked again, and reported, on every call.
    bool InvokeMember(IDispatch* object, std::u16string_view name, CVariant* result,
                      std::uint16_t kind, std::uint16_t flags);

    // The report of the last failed call that was not quiet (empty before
    // one). Nothing shows it; it is kept for a debugger and for tests.
    const std::u16string& GetFailureReport() const { return m_failureReport; }
    // Every failed call that was not quiet, by its report: what the server
    // refused during this session.
    const CRefusedCalls& GetRefusals() const { return m_refusals; }

    // --- Spreadsheet operations -----------------------------------------

    bool NewWorkbook();
    // -1 when there is no workbook, a call fails or the count is not a
    // 32-bit integer.
    std::int32_t WorksheetCount();
    // 1 selects the last worksheet, WorksheetCount() the first.
    bool SelectWorksheetFromEnd(std::int32_t index);
    // The new worksheet count, or -1.
    std::int32_t AppendWorksheet();
    bool RenameActiveWorksheet(std::u16string_view name);
    // The active worksheet's Name; false (name untouched) without one.
    bool ActiveWorksheetName(std::u16string& name);
    bool SelectCell(double column, double row);
    // The selected range with one reference for the caller, or null.
    IDispatch* SelectRange(double c1, double r1, double c2, double r2);
    bool WriteText(double column, double row, std::u16string_view text);
    // Cells(row, column) "Value" = value, then its "NumberFormat" = format;
    // an empty format leaves the cell's number format as it is (a cell
    // format put afterwards carries it).
    bool WriteNumber(double column, double row, double value, std::u16string_view format);
    // Range(Cells(r1, c1), Cells(r2, c2)) (get; 2), not selected, its
    // "Value" = values (put; 1), an array variant of the block's rows and
    // columns (an empty element clears its cell). The array travels
    // without a copy and comes back in `values`. Quiet: a refused block is
    // the caller's to write again cell by cell, where each refusal is
    // reported.
    bool WriteValues(double c1, double r1, double c2, double r2, CVariant& values);
    // Cells(row, column) (get; 2), "Value" = the Boolean (put; 0). The cell
    // keeps its number format.
    bool WriteBoolean(double column, double row, bool value);
    // Cells(row, column) (get; 2), "Value" = the cell error value of the
    // BIFF error code as an error variant (put; 0). A code that is not one
    // of the seven cell errors makes no call and gives false.
    bool WriteError(double column, double row, std::uint8_t biffErrorCode);
    bool ApplyNumberFormat(double column, double row, std::u16string_view format);
    // Cells(row, column) "Formula" = text, then "NumberFormat" = format
    // unless it is empty.
    bool WriteFormula(double column, double row, std::u16string_view text,
                      std::u16string_view format);
    bool WriteFilledFormula(double column, double row, std::u16string_view text, double c1,
                            double r1, double c2, double r2);
    bool WriteFormulaArray(double column, double row, std::u16string_view text);
    // One formula over the range (c1, r1)-(c2, r2): SelectRange, then the
    // range's "Formula" = text (put; 0). The text is the top-left cell's;
    // the server gives each other cell the formula a fill gives it.
    bool WriteRangeFormula(double c1, double r1, double c2, double r2, std::u16string_view text);
    // One array formula over the range (c1, r1)-(c2, r2): SelectRange, then
    // the range's "FormulaArray" = text (put; 0).
    bool WriteRangeFormulaArray(double c1, double r1, double c2, double r2,
                                std::u16string_view text);
    // Fills the destination range (c1..c2, r1..r2 and beyond) from the
    // cells the source range holds, without writing anything first:
    // SelectRange (destination), SelectRange (source), then the source's
    // "AutoFill" with "Destination" and "Type" = 0 as for WriteFilledFormula.
    bool AutoFillRange(double c1, double r1, double c2, double r2, double dc1, double dr1,
                       double dc2, double dr2);
    bool SetRangeFont(double c1, double r1, double c2, double r2, std::u16string_view name,
                      bool bold, bool italic, bool underline, std::int16_t colorIndex);
    bool SetRangeFontSize(double c1, double r1, double c2, double r2, std::int16_t size);
    bool SetCellFill(double row, double column, std::int16_t colorIndex, std::int16_t pattern);
    // One whole cell format over (c1, r1)-(c2, r2): the active worksheet's
    // "Range" (get; 2) with the corner addresses ("B3", "D3"), then puts (0)
    // on it of NumberFormat, HorizontalAlignment, VerticalAlignment,
    // WrapText, Orientation, IndentLevel, ShrinkToFit, Locked and
    // FormulaHidden; its "Font" (get; 2) and puts of Name, Size, Bold,
    // Italic, Underline, Strikethrough, Superscript, Subscript, ColorIndex;
    // its "Interior" (get; 2) and puts of ColorIndex, Pattern,
    // PatternColorIndex (Pattern alone for no fill); per edge 1-6
    // "Borders" (get; 2) with the index and puts of LineStyle and
    // ColorIndex. Unless complete, only the values that differ from a fresh
    // cell's (CXLCellFormat{}) are put, and an object with none is not got.
    // True once the range was got: a value the server refuses is left.
    //
    // With a named style, or complete, the range's "Style" is put first
    // (Normal for no style), and `base` says what the cells show then (null:
    // a fresh cell's format, every group included): values are put where
    // they differ from that, complete puts every value of the groups the
    // style leaves out, and a group the format holds as its own gets at
    // least one member put (NumberFormat, Font.Bold, HorizontalAlignment,
    // Borders(6).LineStyle, Interior.Pattern, Locked),
    // so that the server marks it the cells' own.
    bool ApplyCellFormat(double c1, double r1, double c2, double r2, const CXLCellFormat& format,
                         bool complete, const CXLStyleBase* base = nullptr);
    // The workbook's "Styles" (get; 2), its "Item" with the name (get; 2),
    // else its "Add" with the name; then puts of IncludeNumber,
    // IncludeFont, IncludeAlignment, IncludeBorder, IncludePatterns,
    // IncludeProtection from `included`, and of the format's values of the
    // included groups and the others that differ from a fresh cell's.
    bool ApplyStyle(std::u16string_view name, const CXLCellFormat& format, std::uint8_t included);
    bool SetColumnFill(double column, std::int16_t colorIndex, std::int16_t pattern);
    bool SetRowFill(double row, std::int16_t colorIndex, std::int16_t pattern);
    // Edge 1-10 as the server numbers them; 13 sets the four outer edges
    // 7, 8, 9, 10. True once the range was selected.
    bool SetRangeBorder(double c1, double r1, double c2, double r2, std::int16_t edge,
                        std::int16_t lineStyle, std::int16_t colorIndex);
    bool MergeRange(double c1, double r1, double c2, double r2);
    bool SetColumnWidth(double column, double width);
    bool SetRowHeight(double row, double height);
    // The whole columns c1..c2 of the active worksheet: Range(Cells(1, c1),
    // Cells(1, c2)) (get; 2), its "EntireColumn" (get; 2), then
    // "ColumnWidth" = width (put; 0) and, when hidden, "Hidden" = True
    // (put; 0). True when every put succeeded.
    bool SetColumnsLayout(double c1, double c2, double width, bool hidden);
    // The whole rows r1..r2 likewise through "EntireRow": "RowHeight" =
    // height in points (put; 0) unless height is negative, then "Hidden" =
    // True when hidden.
    bool SetRowsLayout(double r1, double r2, double height, bool hidden);
    // The active worksheet's "StandardWidth" (characters) / "StandardHeight"
    // (points) (put; 0).
    bool SetStandardWidth(double width);
    bool SetStandardHeight(double height);
    // The application's "ActiveWindow" (get; 2), then puts (0) of
    // ScrollRow, ScrollColumn, FreezePanes = False, then SplitRow and
    // SplitColumn (frozen) or SplitVertical and SplitHorizontal (not
    // frozen) when a split is given, FreezePanes = True when frozen, Zoom,
    // DisplayGridlines and DisplayHeadings, and GridlineColorIndex unless
    // automatic. True when every put succeeded;
    // a refused one does not keep the others from being made.
    bool SetWindowLayout(const CXLWindowLayout& layout);
    // The active worksheet's "Tab" (get; 2), its "ColorIndex" = colorIndex
    // (put; 0): 1-56 a palette colour.
    bool SetTabColorIndex(std::int16_t colorIndex);
    // Worksheets(sheet) (get; 2; 1 the first), its "Visible" = visible
    // (put; 0): -1 shown, 0 hidden, 2 very hidden.
    bool SetWorksheetVisible(std::int32_t sheet, std::int16_t visible);
    // The held workbook's "Colors" with the index (1 to 56) = the colour as
    // red + green * 256 + blue * 65536 (put; 0).
    bool SetPaletteColor(std::int16_t index, std::int32_t rgb);
    // Cells(row, column) (get; 2), its "AddComment" with the text (method;
    // 2) giving the new comment, then the comment's "Author" = author (put;
    // quiet: the spreadsheet's own Author is read-only, so a refusal is no
    // failure) and "Visible" = visible (put; 0). True when the comment was
    // added and its visibility set.
    bool AddComment(double column, double row, std::u16string_view text, std::u16string_view author,
                    bool visible);
    // The held workbook's "Date1904" = the Boolean (put; 0): true counts
    // serial dates from 1904-01-01.
    bool SetDate1904(bool value);
    // The held workbook's "SetLinkValue" (method; 0) with the named
    // arguments last-first: "Value" (a double, text, Boolean or cell error
    // value; any other kind makes no call), "Column", "Row" (from 1),
    // "Sheet", "Name" (the other workbook's path as formulas write it).
    bool SetLinkValue(std::u16string_view path, std::u16string_view sheet, std::int32_t row,
                      std::int32_t column, const CVariant& value);
    // A defined name: the owner's "Names" (get; 2), then its "Add" (method;
    // 0) with the named arguments last-first: "MacroType" (only when not 0;
    // 1 a function, 2 a command), "Visible", "RefersTo" (only when not
    // empty; "=" and the formula), "Name". The owner is the held workbook
    // for AddWorkbookName, Worksheets(sheet) (get; 2; 1 the first sheet)
    // for a name of one worksheet. An empty name makes no call.
    bool AddWorkbookName(std::u16string_view name, std::u16string_view refersTo, bool visible,
                         std::int16_t macroType);
    bool AddWorksheetName(std::int32_t sheet, std::u16string_view name,
                          std::u16string_view refersTo, bool visible, std::int16_t macroType);
    // Cells(row, column) (get; 2), "Value" (get; 0): true with the cell's
    // text when it holds one; false for any other value or a failed call.
    bool ReadCellText(double column, double row, std::u16string& text);
    // SelectRange (the anchor), the active worksheet's "Hyperlinks" (get;
    // 2), then its "Add" (method; 2) with the named arguments "Anchor" (the
    // range, taken over by the argument list), "Address" (always, "" for a
    // place in this workbook) and "SubAddress", "ScreenTip" and
    // "TextToDisplay" when not empty, pushed last-first. The hyperlink it
    // returns is released.
    bool AddHyperlink(double c1, double r1, double c2, double r2, std::u16string_view address,
                      std::u16string_view subAddress, std::u16string_view screenTip,
                      std::u16string_view textToDisplay);
    // SelectRange, its "Validation" (get; 2), that object's "Add" (method;
    // 2) with the named arguments "Type", "AlertStyle", "Operator" and,
    // when not empty, "Formula1" and "Formula2", pushed last-first; then a
    // put (0) of each flag that is False and each text that is not empty,
    // in the order of CXLValidationRule. True once Add succeeded: a
    // property the server refuses stays at its default.
    bool AddValidation(double c1, double r1, double c2, double r2, const CXLValidationRule& rule);
    // SelectRange, its "FormatConditions" (get; 2), that object's "Add"
    // (method; 2) with the named arguments "Type", "Operator" (for Type 1
    // only), "Formula1" and, when not empty, "Formula2", pushed last-first.
    // Then, on the condition it returns: "Font" (get; 2) and a put (0) of
    // each font part with a value (Bold, Italic, Strikethrough, Underline,
    // ColorIndex, Size); "Interior" (get; 2) and puts of ColorIndex,
    // Pattern, PatternColorIndex; per side with a line, "Borders" (get; 2)
    // with the side's index and puts of LineStyle and ColorIndex. True once
    // Add succeeded: a part the server refuses is left to the cell.
    bool AddFormatCondition(double c1, double r1, double c2, double r2,
                            const CXLConditionRule& rule);
    // SelectRange, its "FormatConditions" (get; 2), "Delete" (method; 2):
    // the conditional formats inside the range go.
    bool DeleteFormatConditions(double c1, double r1, double c2, double r2);
    bool SaveWorkbookAs(std::u16string_view fileName, std::u16string_view password,
                        std::u16string_view writeResPassword, bool readOnlyRecommended,
                        bool createBackup);

    // The "AutoFill" type that copies the source as the spreadsheet's fill.
    static constexpr std::int16_t kFillDefault = 0;
    // "Add" Template value for a workbook with one worksheet.
    static constexpr std::int16_t kTemplateWorksheet = -4167;
    static constexpr std::int16_t kColorAutomatic = -4105;
    static constexpr std::int16_t kOuterEdges = 13;

private:
    // Obtains object.member(args) as an object (get); the argument list must
    // be prepared. Null when the call fails or gives no object.
    IDispatch* GetObjectMember(IDispatch* object, std::u16string_view member, std::uint16_t flags);
    // Cells(row, column) of the active worksheet, got with call flags 2.
    IDispatch* GetCell(double row, double column);
    // Range(Cells(r1, c1), Cells(r2, c2)) of the active worksheet, not
    // selected, with one reference for the caller, or null.
    IDispatch* GetRange(double c1, double r1, double c2, double r2);
    // GetRange, then its `whole` member ("EntireColumn" / "EntireRow").
    IDispatch* GetWholeLines(double c1, double r1, double c2, double r2, std::u16string_view whole);
    // source.AutoFill(Destination:=target, Type:=default); takes over the
    // reference to target, keeps the one to source.
    bool AutoFillInto(IDispatch* source, IDispatch* target);
    // The sheet Worksheets(index) of the workbook, got with the given flags.
    IDispatch* GetWorksheet(std::int32_t index, std::uint16_t flags);
    // Puts one value on object.member (call flags given); the value is the
    // only argument.
    bool PutShort(IDispatch* object, std::u16string_view member, std::int16_t value,
                  std::uint16_t flags);
    bool PutBool(IDispatch* object, std::u16string_view member, bool value, std::uint16_t flags);
    bool PutDouble(IDispatch* object, std::u16string_view member, double value,
                   std::uint16_t flags);
    bool PutText(IDispatch* object, std::u16string_view member, std::u16string_view text,
                 std::uint16_t flags, std::uint16_t argumentFlags = 0);
    bool PutError(IDispatch* object, std::u16string_view member, HRESULT status,
                  std::uint16_t flags);
    // A get or method call with no arguments and no result.
    bool CallMember(IDispatch* object, std::u16string_view member, std::uint16_t flags);
    // "Address" of the application's active cell after selecting Cells(r, c).
    bool CornerAddress(double row, double column, std::u16string& address);
    // The value puts of ApplyCellFormat on a range or a style: values that
    // differ from `shown`, every value of the `putAll` groups, and one
    // member of each `own` group that got no put otherwise.
    void PutFormatValues(IDispatch* target, const CXLCellFormat& format, const CXLCellFormat& shown,
                         std::uint8_t putAll, std::uint8_t own);
    // "Interior" of object, then its ColorIndex, Pattern, PatternColorIndex.
    bool FillInterior(IDispatch* object, std::int16_t colorIndex, std::int16_t pattern);
    bool SetOneBorder(IDispatch* range, std::int16_t edge, std::int16_t lineStyle,
                      std::int16_t colorIndex);
    // SelectRange and its "FormatConditions" (get; 2), with one reference
    // for the caller, or null.
    IDispatch* GetFormatConditions(double c1, double r1, double c2, double r2);
    // The Font, Interior and Borders puts of AddFormatCondition.
    void PutConditionFormat(IDispatch* condition, const CXLConditionRule& rule);
    static void Replace(IDispatch*& held, IDispatch* object);
    // Names.Add on owner's "Names", as AddWorkbookName describes.
    bool AddName(IDispatch* owner, std::u16string_view name, std::u16string_view refersTo,
                 bool visible, std::int16_t macroType);

    CDispatchArguments m_arguments;
    // The ids of the member and of the named arguments from the last lookup.
    std::array<DISPID, kMaxArguments + 1> m_dispatchIds{};
    // Every lookup that succeeded, by object class and names.
    CDispatchIdCache m_dispatchIdCache;

    IDispatch* m_application = nullptr;
    IDispatch* m_workbook = nullptr;
    IDispatch* m_activeWorksheet = nullptr;
    IDispatch* m_firstWorksheet = nullptr;

    std::u16string m_programId;
    bool m_registryInitialized = false;
    std::u16string m_failureReport;
    CRefusedCalls m_refusals;
};
