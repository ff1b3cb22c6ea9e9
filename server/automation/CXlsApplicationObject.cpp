#include "server/automation/CXlsApplicationObject.h"

#include "server/automation/CXlsRangeObject.h"
#include "server/automation/CXlsWindowObject.h"
#include "server/automation/CXlsWorkbookObject.h"
#include "server/automation/CXlsWorkbooksObject.h"
#include "server/automation/CXlsWorksheetObject.h"
#include "server/automation/XlsAutomationConstants.h"

CXlsApplicationObject::CXlsApplicationObject()
    : CTXlsServerObject(kMembers), m_session(std::make_shared<CXlsServerSession>()) {}

HRESULT CXlsApplicationObject::Workbooks(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsWorkbooksObject(m_session)));
    return S_OK;
}

HRESULT CXlsApplicationObject::ActiveWorkbook(CDispatchCall& call) {
    const auto document = m_session->ActiveWorkbook();
    // No workbook open: "Nothing", as the spreadsheet answers.
    call.SetResult(
        CVariant::AdoptObject(document ? new CXlsWorkbookObject(m_session, document) : nullptr));
    return S_OK;
}

HRESULT CXlsApplicationObject::ActiveSheet(CDispatchCall& call) {
    const auto document = m_session->ActiveWorkbook();
    CXlsWorksheet* sheet = document ? document->ActiveSheet() : nullptr;
    call.SetResult(CVariant::AdoptObject(
        sheet ? new CXlsWorksheetObject(m_session, document, *sheet) : nullptr));
    return S_OK;
}

HRESULT CXlsApplicationObject::ActiveCell(CDispatchCall& call) {
    const auto document = m_session->ActiveWorkbook();
    CXlsWorksheet* sheet = document ? document->ActiveSheet() : nullptr;
    if (!sheet) return call.Raise(xlauto::kRefusedCall, u"No workbook is open.");
    const CXlsCellRange selection = document->Selection(*sheet);
    const CXlsRangeTarget target{
        document, sheet, CXlsCellRange::Cell(selection.FirstRow(), selection.FirstColumn())};
    call.SetResult(CVariant::AdoptObject(new CXlsRangeObject(m_session, target)));
    return S_OK;
}

HRESULT CXlsApplicationObject::ActiveWindow(CDispatchCall& call) {
    const auto document = m_session->ActiveWorkbook();
    call.SetResult(
        CVariant::AdoptObject(document ? new CXlsWindowObject(m_session, document) : nullptr));
    return S_OK;
}

HRESULT CXlsApplicationObject::Visible(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(m_session->Visible()));
        return S_OK;
    }
    bool visible = false;
    if (HRESULT status = call.PutBool(visible); Failed(status)) return status;
    m_session->SetVisible(visible);
    return S_OK;
}

HRESULT CXlsApplicationObject::DisplayAlerts(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(m_session->DisplayAlerts()));
        return S_OK;
    }
    bool display = false;
    if (HRESULT status = call.PutBool(display); Failed(status)) return status;
    m_session->SetDisplayAlerts(display);
    return S_OK;
}

HRESULT CXlsApplicationObject::Quit(CDispatchCall& /*call*/) {
    m_session->CloseAll();
    return S_OK;
}
