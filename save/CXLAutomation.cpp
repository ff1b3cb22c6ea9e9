#include "save/CXLAutomation.h"

#include <cstdint>
#include <new>
#include <span>
#include <string>
#include <utility>

#include "platform/MessageSink.h"
#include "platform/automation/CServerRegistry.h"
#include "save/CDispatchFailureReport.h"

namespace {

// The start-up failures are the only messages of this layer. The message
// sink carries the text alone; kFailedCaption and the stop icon are for a
// sink that can show them.
void ShowStartUpFailure(std::u16string_view text) {
    ShowMessage(text);
}

// The object in a result, with its reference, or null when the result holds
// none (a server answering with another kind).
IDispatch* TakeObject(CVariant& result) {
    IDispatch* object = result.DetachObject();
    result.Clear();
    return object;
}

void ReleaseObject(IDispatch*& object) {
    if (object == nullptr) return;
    IDispatch* dropped = object;
    object = nullptr;
    dropped->Release();
}

}  // namespace

CXLAutomation::CXLAutomation(bool visible, std::u16string_view programId) : m_programId(programId) {
    ConnectServer(visible);
}

CXLAutomation::~CXLAutomation() {
    DisconnectServer();
    if (m_registryInitialized) {
        CServerRegistry::Uninitialize();
        m_registryInitialized = false;
    }
}

void CXLAutomation::ConnectServer(bool visible) {
    if (CServerRegistry::BuildVersion() != CServerRegistry::kBuildVersion) {
        ShowStartUpFailure(u"Incorrect version of OLE libraries.");
    } else if (Failed(CServerRegistry::Initialize())) {
        ShowStartUpFailure(u"Cannot initialize OLE.");
    } else {
        m_registryInitialized = true;
    }
    // The launch runs whatever the first steps gave: without initialisation
    // the class lookup fails and reports it.
    LaunchServer();
    SetVisible(visible);
}

bool CXLAutomation::LaunchServer() {
    if (m_application != nullptr) return true;
    Uuid classId(Uuid::Bytes16{});
    if (Failed(CServerRegistry::ClassFromProgramId(m_programId, classId))) {
        ShowStartUpFailure(u"Cannot obtain CLSID from ProgID");
        return false;
    }
    IDispatch* application = nullptr;
    if (Failed(CServerRegistry::CreateInstance(classId, &application)) || application == nullptr) {
        ShowStartUpFailure(u"Cannot start an instance of Excel for Automation.");
        return false;
    }
    m_application = application;
    return true;
}

bool CXLAutomation::SetVisible(bool visible) {
    if (m_application == nullptr) return false;
    ResetArguments();
    return PutBool(m_application, u"Visible", visible, 0);
}

void CXLAutomation::DisconnectServer() {
    // The argument list may hold server objects (a pushed range or sheet).
    ResetArguments();
    ReleaseObject(m_application);
    ReleaseObject(m_firstWorksheet);
    ReleaseObject(m_workbook);
    ReleaseObject(m_activeWorksheet);
}

bool CXLAutomation::QuitServer() {
    if (m_application != nullptr) {
        ResetArguments();
        InvokeMember(m_application, u"Quit", nullptr, DISPATCH_METHOD, 0);
        DisconnectServer();
    }
    return true;
}

// --- The dispatcher --------------------------------------------------------

bool CXLAutomation::InvokeMember(IDispatch* object, std::u16string_view name, CVariant* result,
                                 std::uint16_t kind, std::uint16_t flags) {
    if (object == nullptr) return false;
    const bool quiet = (flags & (kQuietCall | kResetAfterCall)) != 0;

    // The member and every named argument are looked up in one call, once
    // per object class.
    std::span<const std::u16string_view> names;
    try {
        names = m_arguments.NamesFor(name);
    } catch (const std::bad_alloc&) {
        return false;
    }
    HRESULT status =
        m_dispatchIdCache.Lookup(*object, names, std::span(m_dispatchIds.data(), names.size()));
    if (Failed(status)) {
        if (!quiet) {
            m_failureReport = CDispatchFailureReport::Compose(name, status, nullptr, 0);
            m_refusals.Note(m_failureReport);
        }
        return false;
    }

    if (result != nullptr) result->Clear();

    static constexpr DISPID kPropertyPutId = DISPID_PROPERTYPUT;
    CDispParams params;
    params.args = m_arguments.Values();
    params.argCount = m_arguments.Count();
    CVariant* wanted = result;
    if ((kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
        params.namedIds = &kPropertyPutId;
        params.namedCount = 1;
        wanted = nullptr;
    } else {
        params.namedIds = m_dispatchIds.data() + 1;
        params.namedCount = m_arguments.NamedCount();
    }

    CExcepInfo exception;
    std::uint32_t argError = 0;
    status = object->Invoke(m_dispatchIds[0], LOCALE_SYSTEM_DEFAULT, kind, params, wanted,
                            &exception, &argError);

    if ((flags & kResetAfterCall) != 0) ResetArguments();

    if (Succeeded(status)) return true;
    if (!quiet) {
        m_failureReport = CDispatchFailureReport::Compose(name, status, &exception, argError);
        m_refusals.Note(m_failureReport);
    }
    exception.Clear();
    return false;
}

// --- Call helpers ----------------------------------------------------------

void CXLAutomation::Replace(IDispatch*& held, IDispatch* object) {
    IDispatch* previous = held;
    held = object;
    if (previous != nullptr) previous->Release();
}

IDispatch* CXLAutomation::GetObjectMember(IDispatch* object, std::u16string_view member,
                                          std::uint16_t flags) {
    CVariant result;
    if (!InvokeMember(object, member, &result, DISPATCH_PROPERTYGET, flags)) return nullptr;
    return TakeObject(result);
}

IDispatch* CXLAutomation::GetCell(double row, double column) {
    ResetArguments();
    // Arguments travel last-first: the column goes in before the row.
    if (!PushDouble(u"", 0, column) || !PushDouble(u"", 0, row)) return nullptr;
    return GetObjectMember(m_activeWorksheet, u"Cells", kResetAfterCall);
}

IDispatch* CXLAutomation::GetWorksheet(std::int32_t index, std::uint16_t flags) {
    ResetArguments();
    // The index travels as a 16-bit integer; no workbook has that many sheets.
    if (index < 1 || index > INT16_MAX) return nullptr;
    if (!PushShort(u"", 0, static_cast<std::int16_t>(index))) return nullptr;
    return GetObjectMember(m_workbook, u"Worksheets", flags);
}

bool CXLAutomation::PutShort(IDispatch* object, std::u16string_view member, std::int16_t value,
                             std::uint16_t flags) {
    ResetArguments();
    return PushShort(u"", 0, value) &&
           InvokeMember(object, member, nullptr, DISPATCH_PROPERTYPUT, flags);
}

bool CXLAutomation::PutBool(IDispatch* object, std::u16string_view member, bool value,
                            std::uint16_t flags) {
    ResetArguments();
    return PushBool(u"", 0, value) &&
           InvokeMember(object, member, nullptr, DISPATCH_PROPERTYPUT, flags);
}

bool CXLAutomation::PutDouble(IDispatch* object, std::u16string_view member, double value,
                              std::uint16_t flags) {
    ResetArguments();
    return PushDouble(u"", 0, value) &&
           InvokeMember(object, member, nullptr, DISPATCH_PROPERTYPUT, flags);
}

bool CXLAutomation::PutText(IDispatch* object, std::u16string_view member, std::u16string_view text,
                            std::uint16_t flags, std::uint16_t argumentFlags) {
    ResetArguments();
    return PushText(u"", argumentFlags, text) &&
           InvokeMember(object, member, nullptr, DISPATCH_PROPERTYPUT, flags);
}

bool CXLAutomation::PutError(IDispatch* object, std::u16string_view member, HRESULT status,
                             std::uint16_t flags) {
    ResetArguments();
    return PushError(u"", 0, status) &&
           InvokeMember(object, member, nullptr, DISPATCH_PROPERTYPUT, flags);
}

bool CXLAutomation::CallMember(IDispatch* object, std::u16string_view member, std::uint16_t flags) {
    ResetArguments();
    return InvokeMember(object, member, nullptr, DISPATCH_PROPERTYGET, flags);
}

bool CXLAutomation::CornerAddress(double row, double column, std::u16string& address) {
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool selected = CallMember(cell, u"Select", 0);
    cell->Release();
    if (!selected) return false;

    ResetArguments();
    IDispatch* active = GetObjectMember(m_application, u"ActiveCell", 0);
    if (active == nullptr) return false;
    CVariant result;
    ResetArguments();
    const bool got = InvokeMember(active, u"Address", &result, DISPATCH_PROPERTYGET, 0);
    active->Release();
    if (!got || result.Type() != VT_BSTR) return false;
    address = result.GetText();
    return true;
}

bool CXLAutomation::FillInterior(IDispatch* object, std::int16_t colorIndex, std::int16_t pattern) {
    ResetArguments();
    IDispatch* interior = GetObjectMember(object, u"Interior", kResetAfterCall);
    if (interior == nullptr) return false;
    const bool done = PutShort(interior, u"ColorIndex", colorIndex, 0) &&
                      PutShort(interior, u"Pattern", pattern, 0) &&
                      PutShort(interior, u"PatternColorIndex", kColorAutomatic, 0);
    interior->Release();
    return done;
}

bool CXLAutomation::SetOneBorder(IDispatch* range, std::int16_t edge, std::int16_t lineStyle,
                                 std::int16_t colorIndex) {
    ResetArguments();
    if (!PushShort(u"", 0, edge)) return false;
    IDispatch* border = GetObjectMember(range, u"Borders", kResetAfterCall);
    if (border == nullptr) return false;
    const bool done = PutShort(border, u"LineStyle", lineStyle, 0) &&
                      PutShort(border, u"ColorIndex", colorIndex, 0);
    border->Release();
    return done;
}

// --- Workbook and worksheets ------------------------------------------------

bool CXLAutomation::NewWorkbook() {
    if (m_application == nullptr) return false;
    ResetArguments();
    IDispatch* workbooks = GetObjectMember(m_application, u"Workbooks", 0);
    if (workbooks == nullptr) return false;

    ResetArguments();
    CVariant result;
    const bool added = PushShort(u"Template", 0, kTemplateWorksheet) &&
                       InvokeMember(workbooks, u"Add", &result, DISPATCH_METHOD, 0);
    workbooks->Release();
    IDispatch* workbook = added ? TakeObject(result) : nullptr;
    if (workbook == nullptr) return false;
    Replace(m_workbook, workbook);

    IDispatch* first = GetWorksheet(1, 0);
    if (first == nullptr) return false;
    Replace(m_firstWorksheet, first);
    return true;
}

std::int32_t CXLAutomation::WorksheetCount() {
    if (m_workbook == nullptr) return -1;
    ResetArguments();
    IDispatch* worksheets = GetObjectMember(m_workbook, u"Worksheets", 0);
    if (worksheets == nullptr) return -1;
    ResetArguments();
    CVariant result;
    const bool got = InvokeMember(worksheets, u"Count", &result, DISPATCH_PROPERTYGET, 0);
    worksheets->Release();
    if (!got || result.Type() != VT_I4) return -1;
    return result.GetLong();
}

bool CXLAutomation::SelectWorksheetFromEnd(std::int32_t index) {
    const std::int32_t count = WorksheetCount();
    if (index < 1 || index > count) return false;
    IDispatch* sheet = GetWorksheet(count - index + 1, kResetAfterCall);
    if (sheet == nullptr) return false;
    if (!CallMember(sheet, u"Select", kResetAfterCall)) {
        sheet->Release();
        return false;
    }
    Replace(m_activeWorksheet, sheet);
    return true;
}

std::int32_t CXLAutomation::AppendWorksheet() {
    ResetArguments();
    IDispatch* workbooks = GetObjectMember(m_application, u"Workbooks", 0);
    if (workbooks == nullptr) return -1;

    if (m_workbook == nullptr) {
        // The first sheet of a new workbook: as NewWorkbook, but the sheet
        // becomes the active one.
        ResetArguments();
        CVariant result;
        const bool added = PushShort(u"Template", 0, kTemplateWorksheet) &&
                           InvokeMember(workbooks, u"Add", &result, DISPATCH_METHOD, 0);
        workbooks->Release();
        IDispatch* workbook = added ? TakeObject(result) : nullptr;
        if (workbook == nullptr) return -1;
        Replace(m_workbook, workbook);
        IDispatch* sheet = GetWorksheet(1, 0);
        if (sheet == nullptr) return -1;
        Replace(m_activeWorksheet, sheet);
        return WorksheetCount();
    }
    workbooks->Release();

    const std::int32_t count = WorksheetCount();
    if (count < 1) return -1;
    // Select the last sheet, so that the new one is added next to it.
    IDispatch* previousLast = GetWorksheet(count, kResetAfterCall);
    if (previousLast == nullptr) return -1;
    if (!CallMember(previousLast, u"Select", kResetAfterCall)) {
        previousLast->Release();
        return -1;
    }

    ResetArguments();
    IDispatch* sheets = GetObjectMember(m_workbook, u"Sheets", kResetAfterCall);
    if (sheets == nullptr) {
        previousLast->Release();
        return -1;
    }
    ResetArguments();
    IDispatch* added = GetObjectMember(sheets, u"Add", 0);
    sheets->Release();
    if (added == nullptr) {
        previousLast->Release();
        return -1;
    }

    const std::int32_t newCount = WorksheetCount();
    IDispatch* last = newCount < 1 ? nullptr : GetWorksheet(newCount, kResetAfterCall);
    const bool lastSelected = last != nullptr && CallMember(last, u"Select", kResetAfterCall);
    if (last != nullptr) last->Release();
    if (!lastSelected) {
        previousLast->Release();
        added->Release();
        return -1;
    }

    // The new sheet goes after the previous last one. The argument list
    // takes over the reference to that sheet and drops it on the next reset.
    ResetArguments();
    const bool moved = PushDispatch(u"After", 0, previousLast) &&
                       InvokeMember(added, u"Move", nullptr, DISPATCH_PROPERTYGET, 0);
    ResetArguments();
    if (!moved) {
        added->Release();
        return -1;
    }
    Replace(m_activeWorksheet, added);
    return newCount;
}

bool CXLAutomation::RenameActiveWorksheet(std::u16string_view name) {
    return PutText(m_activeWorksheet, u"Name", name, 0, kArgumentBorrowed);
}

bool CXLAutomation::ActiveWorksheetName(std::u16string& name) {
    if (m_activeWorksheet == nullptr) return false;
    ResetArguments();
    CVariant result;
    if (!InvokeMember(m_activeWorksheet, u"Name", &result, DISPATCH_PROPERTYGET, 0)) return false;
    if (result.Type() != VT_BSTR) return false;
    name = result.GetText();
    return true;
}

// --- Cells and ranges ---------------------------------------------------------

bool CXLAutomation::SelectCell(double column, double row) {
    if (m_firstWorksheet == nullptr || column < 1 || row < 1) return false;
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool selected = CallMember(cell, u"Select", kResetAfterCall);
    cell->Release();
    return selected;
}

IDispatch* CXLAutomation::SelectRange(double c1, double r1, double c2, double r2) {
    if (m_firstWorksheet == nullptr) return nullptr;
    std::u16string first;
    std::u16string second;
    if (!CornerAddress(r1, c1, first) || !CornerAddress(r2, c2, second)) return nullptr;

    ResetArguments();
    if (!PushText(u"", 0, second) || !PushText(u"", 0, first)) return nullptr;
    IDispatch* range = GetObjectMember(m_activeWorksheet, u"Range", 0);
    if (range == nullptr) return nullptr;
    if (!CallMember(range, u"Select", kResetAfterCall)) {
        range->Release();
        return nullptr;
    }
    return range;
}

bool CXLAutomation::WriteText(double column, double row, std::u16string_view text) {
    if (m_firstWorksheet == nullptr || text.empty()) return false;
    // A text put as the Value stays a text, "007" and "1/2" too: the cell
    // keeps its number format, which the cell's own XF sets.
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool written = PutText(cell, u"Value", text, 0);
    cell->Release();
    return written;
}

bool CXLAutomation::WriteNumber(double column, double row, double value,
                                std::u16string_view format) {
    if (m_firstWorksheet == nullptr) return false;
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool written = PutDouble(cell, u"Value", value, 0);
    cell->Release();
    if (!written) return false;
    if (format.empty()) return true;
    cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool formatted = PutText(cell, u"NumberFormat", format, 0);
    cell->Release();
    return formatted;
}

bool CXLAutomation::WriteValues(double c1, double r1, double c2, double r2, CVariant& values) {
    if (m_firstWorksheet == nullptr) return false;
    IDispatch* range = GetRange(c1, r1, c2, r2);
    if (range == nullptr) return false;
    ResetArguments();
    bool written = false;
    if (PushVariant(u"", 0, std::move(values))) {
        written = InvokeMember(range, u"Value", nullptr, DISPATCH_PROPERTYPUT, kQuietCall);
        values = m_arguments.Take(0);
    }
    ResetArguments();
    range->Release();
    return written;
}

bool CXLAutomation::WriteBoolean(double column, double row, bool value) {
    if (m_firstWorksheet == nullptr) return false;
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool written = PutBool(cell, u"Value", value, 0);
    cell->Release();
    return written;
}

bool CXLAutomation::WriteError(double column, double row, std::uint8_t biffErrorCode) {
    if (m_firstWorksheet == nullptr) return false;
    // Only the seven cell errors have an error value the server stores.
    const CVariant error = CVariant::SheetError(biffErrorCode);
    std::uint8_t known = 0;
    if (!error.GetSheetErrorCode(known)) return false;
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool written = PutError(cell, u"Value", error.GetError(), 0);
    cell->Release();
    return written;
}

bool CXLAutomation::ApplyNumberFormat(double column, double row, std::u16string_view format) {
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool formatted = PutText(cell, u"NumberFormat", format, 0);
    cell->Release();
    return formatted;
}

bool CXLAutomation::WriteFormula(double column, double row, std::u16string_view text,
                                 std::u16string_view format) {
    if (m_firstWorksheet == nullptr || text.empty()) return false;
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool accepted = PutText(cell, u"Formula", text, 0);
    cell->Release();
    if (!accepted) return false;
    // The formula stands even when its format cannot be set.
    if (!format.empty()) ApplyNumberFormat(column, row, format);
    return true;
}

bool CXLAutomation::WriteFilledFormula(double column, double row, std::u16string_view text,
                                       double c1, double r1, double c2, double r2) {
    if (m_firstWorksheet == nullptr || text.empty()) return false;
    IDispatch* target = SelectRange(c1, r1, c2, r2);
    if (target == nullptr) return false;
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr || !PutText(cell, u"Formula", text, 0)) {
        if (cell != nullptr) cell->Release();
        target->Release();
        return false;
    }
    const bool filled = AutoFillInto(cell, target);
    cell->Release();
    return filled;
}

bool CXLAutomation::AutoFillInto(IDispatch* source, IDispatch* target) {
    // Named arguments go in last-first: "Type", then "Destination", which
    // takes over the reference to the target range.
    ResetArguments();
    const bool typePushed = PushShort(u"Type", 0, kFillDefault);
    if (!typePushed) target->Release();
    const bool filled =
        typePushed && PushDispatch(u"Destination", 0, target) &&
        InvokeMember(source, u"AutoFill", nullptr, DISPATCH_PROPERTYGET, kResetAfterCall);
    ResetArguments();
    return filled;
}

bool CXLAutomation::AutoFillRange(double c1, double r1, double c2, double r2, double dc1,
                                  double dr1, double dc2, double dr2) {
    if (m_firstWorksheet == nullptr) return false;
    IDispatch* target = SelectRange(dc1, dr1, dc2, dr2);
    if (target == nullptr) return false;
    IDispatch* source = SelectRange(c1, r1, c2, r2);
    if (source == nullptr) {
        target->Release();
        return false;
    }
    const bool filled = AutoFillInto(source, target);
    source->Release();
    return filled;
}

bool CXLAutomation::WriteFormulaArray(double column, double row, std::u16string_view text) {
    if (m_firstWorksheet == nullptr || text.empty()) return false;
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool accepted = PutText(cell, u"FormulaArray", text, 0);
    cell->Release();
    return accepted;
}

bool CXLAutomation::WriteRangeFormula(double c1, double r1, double c2, double r2,
                                      std::u16string_view text) {
    if (m_firstWorksheet == nullptr || text.empty()) return false;
    IDispatch* range = SelectRange(c1, r1, c2, r2);
    if (range == nullptr) return false;
    const bool accepted = PutText(range, u"Formula", text, 0);
    range->Release();
    return accepted;
}

bool CXLAutomation::WriteRangeFormulaArray(double c1, double r1, double c2, double r2,
                                           std::u16string_view text) {
    if (m_firstWorksheet == nullptr || text.empty()) return false;
    IDispatch* range = SelectRange(c1, r1, c2, r2);
    if (range == nullptr) return false;
    const bool accepted = PutText(range, u"FormulaArray", text, 0);
    range->Release();
    return accepted;
}

// --- Formats ------------------------------------------------------------------

bool CXLAutomation::SetRangeFont(double c1, double r1, double c2, double r2,
                                 std::u16string_view name, bool bold, bool italic, bool underline,
                                 std::int16_t colorIndex) {
    IDispatch* range = SelectRange(c1, r1, c2, r2);
    if (range == nullptr) return false;
    ResetArguments();
    IDispatch* font = GetObjectMember(range, u"Font", kResetAfterCall);
    range->Release();
    if (font == nullptr) return false;
    const bool done = PutText(font, u"Name", name, kResetAfterCall) &&
                      PutBool(font, u"Bold", bold, kResetAfterCall) &&
                      PutBool(font, u"Italic", italic, kResetAfterCall) &&
                      PutBool(font, u"Underline", underline, kResetAfterCall) &&
                      PutShort(font, u"ColorIndex", colorIndex, 0);
    font->Release();
    return done;
}

bool CXLAutomation::SetRangeFontSize(double c1, double r1, double c2, double r2,
                                     std::int16_t size) {
    IDispatch* range = SelectRange(c1, r1, c2, r2);
    if (range == nullptr) return false;
    ResetArguments();
    IDispatch* font = GetObjectMember(range, u"Font", kResetAfterCall);
    range->Release();
    if (font == nullptr) return false;
    const bool done = PutShort(font, u"Size", size, 0);
    font->Release();
    return done;
}

bool CXLAutomation::SetCellFill(double row, double column, std::int16_t colorIndex,
                                std::int16_t pattern) {
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    const bool done = FillInterior(cell, colorIndex, pattern);
    cell->Release();
    return done;
}

bool CXLAutomation::SetColumnFill(double column, std::int16_t colorIndex, std::int16_t pattern) {
    ResetArguments();
    if (!PushDouble(u"", 0, column)) return false;
    IDispatch* columns = GetObjectMember(m_activeWorksheet, u"Columns", kResetAfterCall);
    if (columns == nullptr) return false;
    const bool done = FillInterior(columns, colorIndex, pattern);
    columns->Release();
    return done;
}

bool CXLAutomation::SetRowFill(double row, std::int16_t colorIndex, std::int16_t pattern) {
    ResetArguments();
    if (!PushDouble(u"", 0, row)) return false;
    IDispatch* rows = GetObjectMember(m_activeWorksheet, u"Rows", kResetAfterCall);
    if (rows == nullptr) return false;
    const bool done = FillInterior(rows, colorIndex, pattern);
    rows->Release();
    return done;
}

bool CXLAutomation::SetRangeBorder(double c1, double r1, double c2, double r2, std::int16_t edge,
                                   std::int16_t lineStyle, std::int16_t colorIndex) {
    IDispatch* range = SelectRange(c1, r1, c2, r2);
    if (range == nullptr) return false;
    if (edge == kOuterEdges) {
        // Left, top, bottom, right outer edges; one failing edge does not
        // keep the others from being set.
        for (std::int16_t outer = 7; outer <= 10; ++outer) {
            SetOneBorder(range, outer, lineStyle, colorIndex);
        }
    } else {
        SetOneBorder(range, edge, lineStyle, colorIndex);
    }
    range->Release();
    return true;
}

bool CXLAutomation::MergeRange(double c1, double r1, double c2, double r2) {
    IDispatch* range = SelectRange(c1, r1, c2, r2);
    if (range == nullptr) return false;
    const bool merged = PutBool(range, u"MergeCells", true, 0);
    range->Release();
    return merged;
}

bool CXLAutomation::SetColumnWidth(double column, double width) {
    // Cells with a single index counts along the first row: Cells(column) is
    // the column's cell in row 1, which carries the column's width.
    ResetArguments();
    if (!PushDouble(u"", 0, column)) return false;
    IDispatch* cell = GetObjectMember(m_activeWorksheet, u"Cells", kResetAfterCall);
    if (cell == nullptr) return false;
    const bool done = PutDouble(cell, u"ColumnWidth", width, 0);
    cell->Release();
    return done;
}

bool CXLAutomation::SetRowHeight(double row, double height) {
    ResetArguments();
    if (!PushDouble(u"", 0, row)) return false;
    IDispatch* rows = GetObjectMember(m_activeWorksheet, u"Rows", kResetAfterCall);
    if (rows == nullptr) return false;
    const bool done = PutDouble(rows, u"RowHeight", height, 0);
    rows->Release();
    return done;
}

IDispatch* CXLAutomation::GetRange(double c1, double r1, double c2, double r2) {
    if (m_activeWorksheet == nullptr) return nullptr;
    IDispatch* last = GetCell(r2, c2);
    if (last == nullptr) return nullptr;
    IDispatch* first = GetCell(r1, c1);
    if (first == nullptr) {
        last->Release();
        return nullptr;
    }
    ResetArguments();
    // The list takes over both references (even when a push fails), and a
    // reset releases them.
    if (!PushDispatch(u"", 0, last)) {
        first->Release();
        return nullptr;
    }
    if (!PushDispatch(u"", 0, first)) {
        ResetArguments();
        return nullptr;
    }
    return GetObjectMember(m_activeWorksheet, u"Range", kResetAfterCall);
}

IDispatch* CXLAutomation::GetWholeLines(double c1, double r1, double c2, double r2,
                                        std::u16string_view whole) {
    IDispatch* range = GetRange(c1, r1, c2, r2);
    if (range == nullptr) return nullptr;
    ResetArguments();
    IDispatch* lines = GetObjectMember(range, whole, kResetAfterCall);
    range->Release();
    return lines;
}

bool CXLAutomation::SetColumnsLayout(double c1, double c2, double width, bool hidden) {
    IDispatch* columns = GetWholeLines(c1, 1, c2, 1, u"EntireColumn");
    if (columns == nullptr) return false;
    bool done = PutDouble(columns, u"ColumnWidth", width, 0);
    if (hidden) done = PutBool(columns, u"Hidden", true, 0) && done;
    columns->Release();
    return done;
}

bool CXLAutomation::SetRowsLayout(double r1, double r2, double height, bool hidden) {
    IDispatch* rows = GetWholeLines(1, r1, 1, r2, u"EntireRow");
    if (rows == nullptr) return false;
    bool done = true;
    if (height >= 0.0) done = PutDouble(rows, u"RowHeight", height, 0);
    if (hidden) done = PutBool(rows, u"Hidden", true, 0) && done;
    rows->Release();
    return done;
}

bool CXLAutomation::SetStandardWidth(double width) {
    return m_activeWorksheet != nullptr && PutDouble(m_activeWorksheet, u"StandardWidth", width, 0);
}

bool CXLAutomation::SetStandardHeight(double height) {
    return m_activeWorksheet != nullptr &&
           PutDouble(m_activeWorksheet, u"StandardHeight", height, 0);
}

bool CXLAutomation::SetWindowLayout(const CXLWindowLayout& layout) {
    if (m_application == nullptr) return false;
    ResetArguments();
    IDispatch* window = GetObjectMember(m_application, u"ActiveWindow", kResetAfterCall);
    if (window == nullptr) return false;
    bool done = PutDouble(window, u"ScrollRow", layout.scrollRow, 0);
    done = PutDouble(window, u"ScrollColumn", layout.scrollColumn, 0) && done;
    done = PutBool(window, u"FreezePanes", false, 0) && done;
    if (layout.frozen) {
        done = PutDouble(window, u"SplitRow", layout.splitRow, 0) && done;
        done = PutDouble(window, u"SplitColumn", layout.splitColumn, 0) && done;
        done = PutBool(window, u"FreezePanes", true, 0) && done;
    } else if (layout.splitVertical > 0.0 || layout.splitHorizontal > 0.0) {
        done = PutDouble(window, u"SplitVertical", layout.splitVertical, 0) && done;
        done = PutDouble(window, u"SplitHorizontal", layout.splitHorizontal, 0) && done;
    }
    done = PutDouble(window, u"Zoom", layout.zoom, 0) && done;
    done = PutBool(window, u"DisplayGridlines", layout.gridlines, 0) && done;
    done = PutBool(window, u"DisplayHeadings", layout.headings, 0) && done;
    if (layout.gridlineColorIndex != CXLCellFormat::kAutomatic) {
        done = PutShort(window, u"GridlineColorIndex", layout.gridlineColorIndex, 0) && done;
    }
    window->Release();
    return done;
}

bool CXLAutomation::SetTabColorIndex(std::int16_t colorIndex) {
    if (m_activeWorksheet == nullptr) return false;
    ResetArguments();
    IDispatch* tab = GetObjectMember(m_activeWorksheet, u"Tab", kResetAfterCall);
    if (tab == nullptr) return false;
    const bool done = PutShort(tab, u"ColorIndex", colorIndex, 0);
    tab->Release();
    return done;
}

bool CXLAutomation::SetWorksheetVisible(std::int32_t sheet, std::int16_t visible) {
    if (m_workbook == nullptr) return false;
    IDispatch* worksheet = GetWorksheet(sheet, kResetAfterCall);
    if (worksheet == nullptr) return false;
    const bool done = PutShort(worksheet, u"Visible", visible, 0);
    worksheet->Release();
    return done;
}

bool CXLAutomation::SetPaletteColor(std::int16_t index, std::int32_t rgb) {
    if (m_workbook == nullptr) return false;
    ResetArguments();
    // The put value goes first, the index after it (arguments travel
    // last-first).
    return PushDouble(u"", 0, static_cast<double>(rgb)) && PushShort(u"", 0, index) &&
           InvokeMember(m_workbook, u"Colors", nullptr, DISPATCH_PROPERTYPUT, kResetAfterCall);
}

bool CXLAutomation::AddComment(double column, double row, std::u16string_view text,
                               std::u16string_view author, bool visible) {
    if (m_firstWorksheet == nullptr) return false;
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    ResetArguments();
    CVariant result;
    const bool added = PushText(u"", 0, text) &&
                       InvokeMember(cell, u"AddComment", &result, DISPATCH_METHOD, kResetAfterCall);
    cell->Release();
    IDispatch* comment = added ? TakeObject(result) : nullptr;
    if (comment == nullptr) return false;
    PutText(comment, u"Author", author, kQuietCall);
    const bool shown = PutBool(comment, u"Visible", visible, 0);
    comment->Release();
    return shown;
}

bool CXLAutomation::SetDate1904(bool value) {
    if (m_workbook == nullptr) return false;
    return PutBool(m_workbook, u"Date1904", value, 0);
}

bool CXLAutomation::SetLinkValue(std::u16string_view path, std::u16string_view sheet,
                                 std::int32_t row, std::int32_t column, const CVariant& value) {
    if (m_workbook == nullptr) return false;
    ResetArguments();
    bool pushed = false;
    double number = 0.0;
    switch (value.Type()) {
        case VT_R8:
            pushed = value.ToDouble(number) == S_OK && PushDouble(u"Value", 0, number);
            break;
        case VT_BSTR:
            pushed = PushText(u"Value", 0, value.GetText());
            break;
        case VT_BOOL:
            pushed = PushBool(u"Value", 0, value.GetBoolWord() != 0);
            break;
        case VT_ERROR:
            pushed = PushError(u"Value", 0, value.GetError());
            break;
        default:
            return false;
    }
    pushed = pushed && PushDouble(u"Column", 0, column) && PushDouble(u"Row", 0, row) &&
             PushText(u"Sheet", 0, sheet) && PushText(u"Name", 0, path);
    return pushed &&
           InvokeMember(m_workbook, u"SetLinkValue", nullptr, DISPATCH_METHOD, kResetAfterCall);
}

// --- Defined names --------------------------------------------------------------

bool CXLAutomation::AddWorkbookName(std::u16string_view name, std::u16string_view refersTo,
                                    bool visible, std::int16_t macroType) {
    if (m_workbook == nullptr || name.empty()) return false;
    return AddName(m_workbook, name, refersTo, visible, macroType);
}

bool CXLAutomation::AddWorksheetName(std::int32_t sheet, std::u16string_view name,
                                     std::u16string_view refersTo, bool visible,
                                     std::int16_t macroType) {
    if (m_workbook == nullptr || name.empty()) return false;
    IDispatch* worksheet = GetWorksheet(sheet, kResetAfterCall);
    if (worksheet == nullptr) return false;
    const bool added = AddName(worksheet, name, refersTo, visible, macroType);
    worksheet->Release();
    return added;
}

bool CXLAutomation::AddName(IDispatch* owner, std::u16string_view name,
                            std::u16string_view refersTo, bool visible, std::int16_t macroType) {
    ResetArguments();
    IDispatch* names = GetObjectMember(owner, u"Names", kResetAfterCall);
    if (names == nullptr) return false;
    // Named arguments last-first; the ones a name does not have are left
    // out, so that the server applies its own defaults. The refusal of
    // "Add" is reported: it tells why a name could not be made.
    ResetArguments();
    const bool pushed = (macroType == 0 || PushShort(u"MacroType", 0, macroType)) &&
                        PushBool(u"Visible", 0, visible) &&
                        (refersTo.empty() || PushText(u"RefersTo", 0, refersTo)) &&
                        PushText(u"Name", 0, name);
    const bool added = pushed && InvokeMember(names, u"Add", nullptr, DISPATCH_METHOD, 0);
    ResetArguments();
    names->Release();
    return added;
}

// --- Hyperlinks -----------------------------------------------------------------

bool CXLAutomation::ReadCellText(double column, double row, std::u16string& text) {
    if (m_firstWorksheet == nullptr) return false;
    IDispatch* cell = GetCell(row, column);
    if (cell == nullptr) return false;
    ResetArguments();
    CVariant value;
    const bool got = InvokeMember(cell, u"Value", &value, DISPATCH_PROPERTYGET, 0);
    cell->Release();
    if (!got || value.Type() != VT_BSTR) return false;
    text = value.GetText();
    return true;
}

bool CXLAutomation::AddHyperlink(double c1, double r1, double c2, double r2,
                                 std::u16string_view address, std::u16string_view subAddress,
                                 std::u16string_view screenTip, std::u16string_view textToDisplay) {
    if (m_firstWorksheet == nullptr) return false;
    IDispatch* anchor = SelectRange(c1, r1, c2, r2);
    if (anchor == nullptr) return false;
    ResetArguments();
    IDispatch* links = GetObjectMember(m_activeWorksheet, u"Hyperlinks", kResetAfterCall);
    if (links == nullptr) {
        anchor->Release();
        return false;
    }
    const auto pushOptional = [this](std::u16string_view name, std::u16string_view text) {
        return text.empty() || PushText(name, 0, text);
    };
    ResetArguments();
    const bool textsPushed =
        pushOptional(u"TextToDisplay", textToDisplay) && pushOptional(u"ScreenTip", screenTip) &&
        pushOptional(u"SubAddress", subAddress) && PushText(u"Address", 0, address);
    if (!textsPushed) anchor->Release();
    CVariant link;
    const bool added = textsPushed && PushDispatch(u"Anchor", 0, anchor) &&
                       InvokeMember(links, u"Add", &link, DISPATCH_METHOD, kResetAfterCall);
    ResetArguments();
    links->Release();
    return added;
}

// --- Data validation ------------------------------------------------------------

bool CXLAutomation::AddValidation(double c1, double r1, double c2, double r2,
                                  const CXLValidationRule& rule) {
    if (m_firstWorksheet == nullptr) return false;
    IDispatch* range = SelectRange(c1, r1, c2, r2);
    if (range == nullptr) return false;
    ResetArguments();
    IDispatch* validation = GetObjectMember(range, u"Validation", kResetAfterCall);
    range->Release();
    if (validation == nullptr) return false;
    ResetArguments();
    const bool added = (rule.formula2.empty() || PushText(u"Formula2", 0, rule.formula2)) &&
                       (rule.formula1.empty() || PushText(u"Formula1", 0, rule.formula1)) &&
                       PushShort(u"Operator", 0, rule.op) &&
                       PushShort(u"AlertStyle", 0, rule.alertStyle) &&
                       PushShort(u"Type", 0, rule.type) &&
                       InvokeMember(validation, u"Add", nullptr, DISPATCH_METHOD, kResetAfterCall);
    if (added) {
        const std::pair<std::u16string_view, bool> flags[] = {
            {u"IgnoreBlank", rule.ignoreBlank},
            {u"InCellDropdown", rule.inCellDropdown},
            {u"ShowInput", rule.showInput},
            {u"ShowError", rule.showError},
        };
        for (const auto& [member, value] : flags) {
            if (!value) PutBool(validation, member, false, 0);
        }
        const std::pair<std::u16string_view, const std::u16string*> texts[] = {
            {u"InputTitle", &rule.inputTitle},
            {u"ErrorTitle", &rule.errorTitle},
            {u"InputMessage", &rule.inputMessage},
            {u"ErrorMessage", &rule.errorMessage},
        };
        for (const auto& [member, text] : texts) {
            if (!text->empty()) PutText(validation, member, *text, 0);
        }
    }
    ResetArguments();
    validation->Release();
    return added;
}

// --- Conditional formats ---------------------------------------------------------

IDispatch* CXLAutomation::GetFormatConditions(double c1, double r1, double c2, double r2) {
    if (m_firstWorksheet == nullptr) return nullptr;
    IDispatch* range = SelectRange(c1, r1, c2, r2);
    if (range == nullptr) return nullptr;
    ResetArguments();
    IDispatch* conditions = GetObjectMember(range, u"FormatConditions", kResetAfterCall);
    range->Release();
    return conditions;
}

void CXLAutomation::PutConditionFormat(IDispatch* condition, const CXLConditionRule& rule) {
    if (rule.bold || rule.italic || rule.strikethrough || rule.underline || rule.fontColorIndex ||
        rule.fontSize) {
        ResetArguments();
        IDispatch* font = GetObjectMember(condition, u"Font", kResetAfterCall);
        if (font != nullptr) {
            if (rule.bold) PutBool(font, u"Bold", *rule.bold, 0);
            if (rule.italic) PutBool(font, u"Italic", *rule.italic, 0);
            if (rule.strikethrough) PutBool(font, u"Strikethrough", *rule.strikethrough, 0);
            if (rule.underline) PutShort(font, u"Underline", *rule.underline, 0);
            if (rule.fontColorIndex) PutShort(font, u"ColorIndex", *rule.fontColorIndex, 0);
            if (rule.fontSize) PutDouble(font, u"Size", *rule.fontSize, 0);
            font->Release();
        }
    }
    if (rule.fillColorIndex || rule.pattern || rule.patternColorIndex) {
        ResetArguments();
        IDispatch* interior = GetObjectMember(condition, u"Interior", kResetAfterCall);
        if (interior != nullptr) {
            if (rule.fillColorIndex) PutShort(interior, u"ColorIndex", *rule.fillColorIndex, 0);
            if (rule.pattern) PutShort(interior, u"Pattern", *rule.pattern, 0);
            if (rule.patternColorIndex)
                PutShort(interior, u"PatternColorIndex", *rule.patternColorIndex, 0);
            interior->Release();
        }
    }
    for (std::size_t side = 0; side < rule.lines.size(); ++side) {
        if (!rule.lines[side]) continue;
        ResetArguments();
        if (!PushShort(u"", 0, CXLConditionRule::kSides[side])) continue;
        IDispatch* border = GetObjectMember(condition, u"Borders", kResetAfterCall);
        if (border == nullptr) continue;
        PutShort(border, u"LineStyle", rule.lines[side]->lineStyle, 0);
        PutShort(border, u"ColorIndex", rule.lines[side]->colorIndex, 0);
        border->Release();
    }
}

bool CXLAutomation::AddFormatCondition(double c1, double r1, double c2, double r2,
                                       const CXLConditionRule& rule) {
    IDispatch* conditions = GetFormatConditions(c1, r1, c2, r2);
    if (conditions == nullptr) return false;
    ResetArguments();
    CVariant result;
    const bool added = (rule.formula2.empty() || PushText(u"Formula2", 0, rule.formula2)) &&
                       PushText(u"Formula1", 0, rule.formula1) &&
                       (rule.type != 1 || PushShort(u"Operator", 0, rule.op)) &&
                       PushShort(u"Type", 0, rule.type) &&
                       InvokeMember(conditions, u"Add", &result, DISPATCH_METHOD, kResetAfterCall);
    conditions->Release();
    IDispatch* condition = added ? TakeObject(result) : nullptr;
    if (condition == nullptr) return false;
    PutConditionFormat(condition, rule);
    ResetArguments();
    condition->Release();
    return true;
}

bool CXLAutomation::DeleteFormatConditions(double c1, double r1, double c2, double r2) {
    IDispatch* conditions = GetFormatConditions(c1, r1, c2, r2);
    if (conditions == nullptr) return false;
    ResetArguments();
    const bool deleted =
        InvokeMember(conditions, u"Delete", nullptr, DISPATCH_METHOD, kResetAfterCall);
    conditions->Release();
    return deleted;
}

bool CXLAutomation::SaveWorkbookAs(std::u16string_view fileName, std::u16string_view password,
                                   std::u16string_view writeResPassword, bool readOnlyRecommended,
                                   bool createBackup) {
    if (m_workbook == nullptr) return false;
    ResetArguments();
    // Named arguments last-first. No file format is passed: the server's
    // default for a new workbook applies.
    const bool pushed = PushBool(u"CreateBackup", 0, createBackup) &&
                        PushBool(u"ReadOnlyRecommended", 0, readOnlyRecommended) &&
                        PushText(u"WriteResPassword", 0, writeResPassword) &&
                        PushText(u"Password", 0, password) && PushText(u"FileName", 0, fileName);
    return pushed && InvokeMember(m_workbook, u"SaveAs", nullptr, DISPATCH_METHOD, kResetAfterCall);
}
