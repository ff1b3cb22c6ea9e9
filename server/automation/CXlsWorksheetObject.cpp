#include "server/automation/CXlsWorksheetObject.h"

#include "server/automation/CXlsCellAddress.h"
#include "server/automation/CXlsCellIndex.h"
#include "server/automation/CXlsCommentsObject.h"
#include "server/automation/CXlsHyperlinksObject.h"
#include "server/automation/CXlsNamesObject.h"
#include "server/automation/CXlsRangeObject.h"
#include "server/automation/CXlsTabObject.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

constexpr std::uint32_t kLastRow = xlsw::kMaxRows - 1;
constexpr std::uint32_t kLastColumn = xlsw::kMaxColumns - 1;

// The range a Cell1 / Cell2 argument names: an address text or a range of
// the same sheet.
bool ReadCorner(const CVariant& arg, const CXlsWorksheet& sheet, CXlsCellRange& out) {
    if (arg.Type() == VT_BSTR) return CXlsCellAddress::Parse(arg.GetText(), out);
    if (arg.Type() != VT_DISPATCH) return false;
    const auto* range = dynamic_cast<const CXlsRangeObject*>(arg.GetObject());
    if (!range || range->Target().sheet != &sheet) return false;
    out = range->Target().range;
    return true;
}

// Rows(Index) / Columns(Index): a 1-based number or an address text whose
// rows (columns) are taken; with `columns`, the column span.
bool ReadLineIndex(const CVariant& arg, bool columns, std::uint32_t& first, std::uint32_t& last) {
    if (arg.Type() == VT_BSTR) {
        CXlsCellRange range;
        if (!CXlsCellAddress::Parse(arg.GetText(), range)) return false;
        first = columns ? range.FirstColumn() : range.FirstRow();
        last = columns ? range.LastColumn() : range.LastRow();
        return true;
    }
    std::int32_t index = 0;
    const std::int32_t limit = columns ? xlsw::kMaxColumns : xlsw::kMaxRows;
    if (Failed(arg.ToLong(index)) || index < 1 || index > limit) return false;
    first = last = static_cast<std::uint32_t>(index) - 1;
    return true;
}

}  // namespace

CXlsWorksheetObject::CXlsWorksheetObject(std::shared_ptr<CXlsServerSession> session,
                                         std::shared_ptr<CXlsServerDocument> document,
                                         CXlsWorksheet& sheet)
    : CTXlsServerObject(kMembers),
      m_session(std::move(session)),
      m_document(std::move(document)),
      m_sheet(sheet) {}

HRESULT CXlsWorksheetObject::SetRange(CDispatchCall& call, const CXlsCellRange& range) {
    call.SetResult(CVariant::AdoptObject(
        new CXlsRangeObject(m_session, CXlsRangeTarget{m_document, &m_sheet, range})));
    return S_OK;
}

HRESULT CXlsWorksheetObject::Name(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Text(m_sheet.Name()));
        return S_OK;
    }
    std::u16string name;
    if (HRESULT status = call.PutText(name); Failed(status)) return status;
    if (!m_document->Book().RenameSheet(m_sheet, name)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"A sheet name has 1 to 31 characters, none of [ ] : * ? / \\, and is "
                          u"not the name of another sheet.");
    }
    return S_OK;
}

HRESULT CXlsWorksheetObject::Index(CDispatchCall& call) {
    call.SetResult(
        CVariant::Long(static_cast<std::int32_t>(m_document->Book().PositionOf(m_sheet) + 1)));
    return S_OK;
}

HRESULT CXlsWorksheetObject::Select(CDispatchCall& call) {
    if (m_sheet.Visibility() != CXlsWorksheet::kVisible) {
        return call.Raise(xlauto::kRefusedCall, u"A hidden sheet cannot be selected.");
    }
    m_document->Book().SetActiveSheet(m_document->Book().PositionOf(m_sheet));
    m_session->Activate(*m_document);
    return S_OK;
}

HRESULT CXlsWorksheetObject::Visible(CDispatchCall& call) {
    if (!call.IsPut()) {
        static constexpr std::int32_t kObjectModelValue[] = {
            xlauto::kSheetVisible, xlauto::kSheetHidden, xlauto::kSheetVeryHidden};
        call.SetResult(CVariant::Long(kObjectModelValue[m_sheet.Visibility()]));
        return S_OK;
    }
    std::uint8_t visibility = CXlsWorksheet::kVisible;
    const CVariant& value = call.PutValue();
    if (value.Type() == VT_BOOL) {
        visibility = value.GetBoolWord() != 0 ? CXlsWorksheet::kVisible : CXlsWorksheet::kHidden;
    } else {
        std::int32_t number = 0;
        if (HRESULT status = call.PutLong(number); Failed(status)) return status;
        if (number == xlauto::kSheetVisible) {
            visibility = CXlsWorksheet::kVisible;
        } else if (number == xlauto::kSheetHidden) {
            visibility = CXlsWorksheet::kHidden;
        } else if (number == xlauto::kSheetVeryHidden) {
            visibility = CXlsWorksheet::kVeryHidden;
        } else {
            return call.ArgumentError(CDispatchCall::kPutValue, DISP_E_OVERFLOW);
        }
    }
    if (!m_document->Book().SetSheetVisibility(m_sheet, visibility)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"A workbook must keep at least one visible sheet.");
    }
    return S_OK;
}

HRESULT CXlsWorksheetObject::StandardWidth(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Double(m_sheet.StandardWidth()));
        return S_OK;
    }
    double width = 0.0;
    if (HRESULT status = call.PutDouble(width); Failed(status)) return status;
    if (!m_sheet.SetStandardWidth(width)) {
        return call.Raise(xlauto::kRefusedCall, u"A column is 0 to 255 characters wide.");
    }
    return S_OK;
}

HRESULT CXlsWorksheetObject::StandardHeight(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Double(m_sheet.StandardHeight()));
        return S_OK;
    }
    double height = 0.0;
    if (HRESULT status = call.PutDouble(height); Failed(status)) return status;
    if (!m_sheet.SetStandardHeight(height)) {
        return call.Raise(xlauto::kRefusedCall, u"The standard height is 0 to 409.5 points.");
    }
    return S_OK;
}

HRESULT CXlsWorksheetObject::Move(CDispatchCall& call) {
    const bool before = call.Has(0);
    const bool after = call.Has(1);
    if (before == after) {
        // Neither would move the sheet into a new workbook of its own.
        return call.Raise(xlauto::kRefusedCall, u"Give Before or After (one of them).");
    }
    const std::size_t position = before ? 0 : 1;
    const auto* anchor = ArgObject<CXlsWorksheetObject>(call, position);
    if (!anchor || anchor->Document() != m_document) {
        return call.ArgumentError(position, DISP_E_TYPEMISMATCH);
    }
    CXlsWorkbook& book = m_document->Book();
    const std::size_t from = book.PositionOf(m_sheet);
    std::size_t to = book.PositionOf(anchor->Sheet()) + (after ? 1 : 0);
    // Taking the sheet out first shifts the sheets after it one place left.
    if (to > from) --to;
    book.MoveSheet(from, to);
    return S_OK;
}

HRESULT CXlsWorksheetObject::Cells(CDispatchCall& call) {
    if (!call.Has(0) && !call.Has(1)) {
        return SetRange(call, CXlsCellRange(0, 0, kLastRow, kLastColumn));
    }
    CXlsCellRange cell;
    if (HRESULT status = CXlsCellIndex::Resolve(call, 0, 0, xlsw::kMaxColumns, cell);
        Failed(status)) {
        return status;
    }
    return SetRange(call, cell);
}

HRESULT CXlsWorksheetObject::Range(CDispatchCall& call) {
    const CVariant* first = call.Arg(0);
    if (first == nullptr) return DISP_E_PARAMNOTOPTIONAL;
    CXlsCellRange range;
    if (!ReadCorner(*first, m_sheet, range)) return call.ArgumentError(0, DISP_E_TYPEMISMATCH);
    if (const CVariant* second = call.Arg(1)) {
        CXlsCellRange other;
        if (!ReadCorner(*second, m_sheet, other)) {
            return call.ArgumentError(1, DISP_E_TYPEMISMATCH);
        }
        range = range.Union(other);
    }
    return SetRange(call, range);
}

HRESULT CXlsWorksheetObject::Rows(CDispatchCall& call) {
    std::uint32_t first = 0;
    std::uint32_t last = kLastRow;
    if (const CVariant* index = call.Arg(0); index && !ReadLineIndex(*index, false, first, last)) {
        return call.ArgumentError(0, DISP_E_BADINDEX);
    }
    return SetRange(call, CXlsCellRange(first, 0, last, kLastColumn));
}

HRESULT CXlsWorksheetObject::Columns(CDispatchCall& call) {
    std::uint32_t first = 0;
    std::uint32_t last = kLastColumn;
    if (const CVariant* index = call.Arg(0); index && !ReadLineIndex(*index, true, first, last)) {
        return call.ArgumentError(0, DISP_E_BADINDEX);
    }
    return SetRange(call, CXlsCellRange(0, first, kLastRow, last));
}

HRESULT CXlsWorksheetObject::Names(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsNamesObject(m_session, m_document, m_sheet.Id())));
    return S_OK;
}

HRESULT CXlsWorksheetObject::Comments(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsCommentsObject(m_document, m_sheet)));
    return S_OK;
}

HRESULT CXlsWorksheetObject::Hyperlinks(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsHyperlinksObject(m_session, m_document, m_sheet)));
    return S_OK;
}

HRESULT CXlsWorksheetObject::Tab(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsTabObject(m_document, m_sheet)));
    return S_OK;
}
