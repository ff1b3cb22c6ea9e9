#include "server/automation/CXlsSheetsObject.h"

#include "server/automation/CXlsWorksheetObject.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

// Most sheets one Add makes; the workbook's own limit stops it earlier.
constexpr std::int32_t kMaxAddCount = 255;

}  // namespace

CXlsSheetsObject::CXlsSheetsObject(std::shared_ptr<CXlsServerSession> session,
                                   std::shared_ptr<CXlsServerDocument> document)
    : CTXlsServerObject(kMembers), m_session(std::move(session)), m_document(std::move(document)) {}

CXlsWorksheet* CXlsSheetsObject::Resolve(CXlsServerDocument& document, const CVariant& index) {
    CXlsWorkbook& book = document.Book();
    if (index.Type() == VT_BSTR) {
        const std::size_t position = book.FindSheet(index.GetText());
        return position == CXlsWorkbook::kNotFound ? nullptr : book.Sheet(position);
    }
    std::int32_t number = 0;
    if (Failed(index.ToLong(number)) || number < 1) return nullptr;
    return book.Sheet(static_cast<std::size_t>(number) - 1);
}

HRESULT CXlsSheetsObject::ItemOf(const std::shared_ptr<CXlsServerSession>& session,
                                 const std::shared_ptr<CXlsServerDocument>& document,
                                 CDispatchCall& call, std::size_t position) {
    const CVariant* index = call.Arg(position);
    if (index == nullptr) return DISP_E_PARAMNOTOPTIONAL;
    CXlsWorksheet* sheet = Resolve(*document, *index);
    if (!sheet) return call.ArgumentError(position, DISP_E_BADINDEX);
    call.SetResult(CVariant::AdoptObject(new CXlsWorksheetObject(session, document, *sheet)));
    return S_OK;
}

HRESULT CXlsSheetsObject::Item(CDispatchCall& call) {
    return ItemOf(m_session, m_document, call, 0);
}

HRESULT CXlsSheetsObject::Count(CDispatchCall& call) {
    call.SetResult(CVariant::Long(static_cast<std::int32_t>(m_document->Book().SheetCount())));
    return S_OK;
}

HRESULT CXlsSheetsObject::Add(CDispatchCall& call) {
    CXlsWorkbook& book = m_document->Book();
    const bool before = call.Has(0);
    const bool after = call.Has(1);
    if (before && after) {
        return call.Raise(xlauto::kRefusedCall, u"Give Before or After, not both.");
    }
    std::size_t position = book.ActiveSheet();
    if (before || after) {
        const auto* anchor = ArgObject<CXlsWorksheetObject>(call, before ? 0 : 1);
        if (!anchor || anchor->Document() != m_document) {
            return call.ArgumentError(before ? 0 : 1, DISP_E_TYPEMISMATCH);
        }
        position = book.PositionOf(anchor->Sheet()) + (after ? 1 : 0);
    }
    std::int32_t count = 1;
    if (call.Has(2)) {
        if (HRESULT status = call.ArgLong(2, count); Failed(status)) return status;
        if (count < 1 || count > kMaxAddCount) return call.ArgumentError(2, DISP_E_OVERFLOW);
    }
    if (call.Has(3)) {
        std::int32_t type = 0;
        if (HRESULT status = call.ArgLong(3, type); Failed(status)) return status;
        if (type != xlauto::kSheetTypeWorksheet) {
            return call.Raise(xlauto::kRefusedCall, u"Only worksheets can be added.");
        }
    }
    CXlsWorksheet* added = nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        CXlsWorksheet* sheet = book.AddSheet(position + static_cast<std::size_t>(i));
        if (!sheet) break;
        added = sheet;
    }
    if (!added) return call.Raise(xlauto::kRefusedCall, u"The workbook cannot take more sheets.");
    book.SetActiveSheet(book.PositionOf(*added));
    m_session->Activate(*m_document);
    call.SetResult(CVariant::AdoptObject(new CXlsWorksheetObject(m_session, m_document, *added)));
    return S_OK;
}
