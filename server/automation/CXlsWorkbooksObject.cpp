#include "server/automation/CXlsWorkbooksObject.h"

#include "server/automation/CXlsWorkbookObject.h"
#include "server/automation/XlsAutomationConstants.h"

CXlsWorkbooksObject::CXlsWorkbooksObject(std::shared_ptr<CXlsServerSession> session)
    : CTXlsServerObject(kMembers), m_session(std::move(session)) {}

HRESULT CXlsWorkbooksObject::Add(CDispatchCall& call) {
    int sheets = xlauto::kSheetsInNewWorkbook;
    if (const CVariant* templ = call.Arg(0)) {
        std::int32_t kind = 0;
        // A text names a template file, which we cannot open.
        if (templ->Type() == VT_BSTR || Failed(templ->ToLong(kind)) ||
            kind != xlauto::kTemplateWorksheet) {
            return call.Raise(xlauto::kRefusedCall,
                              u"Only a workbook of one worksheet (Template -4167) can be added.");
        }
        sheets = 1;
    }
    const auto document = m_session->AddWorkbook();
    if (!document) return call.Raise(xlauto::kRefusedCall, u"Too many workbooks are open.");
    for (int i = 0; i < sheets; ++i) document->Book().AddSheet(document->Book().SheetCount());
    document->Book().SetActiveSheet(0);
    call.SetResult(CVariant::AdoptObject(new CXlsWorkbookObject(m_session, document)));
    return S_OK;
}

HRESULT CXlsWorkbooksObject::Count(CDispatchCall& call) {
    call.SetResult(CVariant::Long(static_cast<std::int32_t>(m_session->WorkbookCount())));
    return S_OK;
}

HRESULT CXlsWorkbooksObject::Item(CDispatchCall& call) {
    std::int32_t index = 0;
    if (HRESULT status = call.ArgLong(0, index); Failed(status)) return status;
    const auto document =
        index >= 1 ? m_session->Workbook(static_cast<std::size_t>(index) - 1) : nullptr;
    if (!document) return call.ArgumentError(0, DISP_E_BADINDEX);
    call.SetResult(CVariant::AdoptObject(new CXlsWorkbookObject(m_session, document)));
    return S_OK;
}
