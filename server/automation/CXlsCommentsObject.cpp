#include "server/automation/CXlsCommentsObject.h"

#include "server/automation/CXlsCommentObject.h"

CXlsCommentsObject::CXlsCommentsObject(std::shared_ptr<CXlsServerDocument> document,
                                       CXlsWorksheet& sheet)
    : CTXlsServerObject(kMembers), m_document(std::move(document)), m_sheet(sheet) {}

HRESULT CXlsCommentsObject::Item(CDispatchCall& call) {
    std::int32_t index = 0;
    if (HRESULT status = call.ArgLong(0, index); Failed(status)) return status;
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    if (index < 1 || !m_sheet.Comments().CellAt(static_cast<std::size_t>(index) - 1, row, column))
        return call.ArgumentError(0, DISP_E_BADINDEX);
    call.SetResult(CVariant::AdoptObject(new CXlsCommentObject(m_document, m_sheet, row, column)));
    return S_OK;
}

HRESULT CXlsCommentsObject::Count(CDispatchCall& call) {
    call.SetResult(CVariant::Long(static_cast<std::int32_t>(m_sheet.Comments().Count())));
    return S_OK;
}
