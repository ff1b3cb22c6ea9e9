#include "server/automation/CXlsHyperlinkObject.h"

#include "server/automation/CXlsRangeObject.h"
#include "server/automation/XlsAutomationConstants.h"

CXlsHyperlinkObject::CXlsHyperlinkObject(std::shared_ptr<CXlsServerSession> session,
                                         CXlsRangeTarget target)
    : CTXlsServerObject(kMembers), m_session(std::move(session)), m_target(std::move(target)) {}

HRESULT CXlsHyperlinkObject::Store(CDispatchCall& call, const CXlsRangeTarget& target,
                                   CXlsHyperlink link) {
    CXlsWorksheet& sheet = *target.sheet;
    const std::uint32_t row = link.range.FirstRow();
    const std::uint32_t column = link.range.FirstColumn();
    const std::u16string text = link.textToDisplay;
    // The cell's checks first, so that a refused text leaves no link behind.
    if (!text.empty() &&
        (text.size() > xlsw::kMaxCellTextLength || sheet.GetArrayRange(row, column) != nullptr)) {
        return call.Raise(xlauto::kRefusedCall, u"The first cell cannot take the text to display.");
    }
    if (link.address.empty() && link.subAddress.empty()) {
        return call.Raise(xlauto::kRefusedCall,
                          u"A hyperlink needs an address or a place in this workbook.");
    }
    if (!sheet.Hyperlinks().Add(std::move(link))) {
        return call.Raise(xlauto::kRefusedCall,
                          u"The hyperlink is too long, or the sheet holds too many.");
    }
    if (!text.empty()) sheet.SetText(row, column, text);
    return S_OK;
}

HRESULT CXlsHyperlinkObject::Text(CDispatchCall& call, std::u16string CXlsHyperlink::*field) {
    const CXlsHyperlink* link = m_target.sheet->Hyperlinks().Find(m_target.range);
    if (link == nullptr) {
        return call.Raise(xlauto::kRefusedCall, u"The hyperlink is no longer there.");
    }
    if (!call.IsPut()) {
        call.SetResult(CVariant::Text(link->*field));
        return S_OK;
    }
    CXlsHyperlink changed = *link;
    if (HRESULT status = call.PutText(changed.*field); Failed(status)) return status;
    return Store(call, m_target, std::move(changed));
}

HRESULT CXlsHyperlinkObject::Address(CDispatchCall& call) {
    return Text(call, &CXlsHyperlink::address);
}

HRESULT CXlsHyperlinkObject::SubAddress(CDispatchCall& call) {
    return Text(call, &CXlsHyperlink::subAddress);
}

HRESULT CXlsHyperlinkObject::ScreenTip(CDispatchCall& call) {
    return Text(call, &CXlsHyperlink::screenTip);
}

HRESULT CXlsHyperlinkObject::TextToDisplay(CDispatchCall& call) {
    return Text(call, &CXlsHyperlink::textToDisplay);
}

HRESULT CXlsHyperlinkObject::Range(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsRangeObject(m_session, m_target)));
    return S_OK;
}
