#include "server/automation/CXlsStylesObject.h"

#include "server/automation/CXlsStyleObject.h"
#include "server/automation/XlsAutomationConstants.h"

CXlsStylesObject::CXlsStylesObject(std::shared_ptr<CXlsServerDocument> document)
    : CTXlsServerObject(kMembers), m_document(std::move(document)) {}

HRESULT CXlsStylesObject::Add(CDispatchCall& call) {
    std::u16string name;
    if (HRESULT status = call.ArgText(0, name); Failed(status)) return status;
    const std::size_t position = m_document->Book().Styles().Add(name);
    if (position == CXlsStyles::kNotFound) {
        return call.Raise(xlauto::kRefusedCall,
                          u"A style name has 1 to 255 characters and is not taken.");
    }
    call.SetResult(CVariant::AdoptObject(new CXlsStyleObject(m_document, position)));
    return S_OK;
}

HRESULT CXlsStylesObject::Count(CDispatchCall& call) {
    call.SetResult(CVariant::Long(static_cast<std::int32_t>(m_document->Book().Styles().Count())));
    return S_OK;
}

HRESULT CXlsStylesObject::Item(CDispatchCall& call) {
    return ItemOf(m_document, call, 0);
}

HRESULT CXlsStylesObject::ItemOf(const std::shared_ptr<CXlsServerDocument>& document,
                                 CDispatchCall& call, std::size_t position) {
    const CVariant* index = call.Arg(position);
    if (index == nullptr) return DISP_E_PARAMNOTOPTIONAL;
    const CXlsStyles& styles = document->Book().Styles();
    std::size_t found = CXlsStyles::kNotFound;
    if (index->Type() == VT_BSTR) {
        found = styles.Find(index->GetText());
    } else {
        std::int32_t number = 0;
        if (Succeeded(index->ToLong(number)) && number >= 1 &&
            static_cast<std::size_t>(number) <= styles.Count()) {
            found = static_cast<std::size_t>(number - 1);
        }
    }
    if (found == CXlsStyles::kNotFound) return call.ArgumentError(position, DISP_E_BADINDEX);
    call.SetResult(CVariant::AdoptObject(new CXlsStyleObject(document, found)));
    return S_OK;
}
