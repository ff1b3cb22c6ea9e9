#include "server/automation/CXlsHyperlinksObject.h"

#include "server/automation/CXlsHyperlinkObject.h"
#include "server/automation/CXlsRangeObject.h"

namespace {

// Positions of Add's parameters.
constexpr std::size_t kAnchor = 0;
constexpr std::size_t kAddress = 1;
constexpr std::size_t kSubAddress = 2;
constexpr std::size_t kScreenTip = 3;
constexpr std::size_t kTextToDisplay = 4;

// An optional text argument; absent leaves out empty.
HRESULT OptionalText(CDispatchCall& call, std::size_t position, std::u16string& out) {
    return call.Has(position) ? call.ArgText(position, out) : S_OK;
}

}  // namespace

CXlsHyperlinksObject::CXlsHyperlinksObject(std::shared_ptr<CXlsServerSession> session,
                                           std::shared_ptr<CXlsServerDocument> document,
                                           CXlsWorksheet& sheet)
    : CTXlsServerObject(kMembers),
      m_session(std::move(session)),
      m_document(std::move(document)),
      m_sheet(sheet) {}

HRESULT CXlsHyperlinksObject::SetLink(CDispatchCall& call, const CXlsCellRange& range) {
    call.SetResult(CVariant::AdoptObject(
        new CXlsHyperlinkObject(m_session, CXlsRangeTarget{m_document, &m_sheet, range})));
    return S_OK;
}

HRESULT CXlsHyperlinksObject::Add(CDispatchCall& call) {
    if (!call.Has(kAnchor)) return DISP_E_PARAMNOTOPTIONAL;
    const auto* anchor = ArgObject<CXlsRangeObject>(call, kAnchor);
    if (!anchor || anchor->Target().sheet != &m_sheet) {
        return call.ArgumentError(kAnchor, DISP_E_TYPEMISMATCH);
    }
    CXlsHyperlink link;
    link.range = anchor->Target().range;
    if (HRESULT status = call.ArgText(kAddress, link.address); Failed(status)) return status;
    for (const auto& [position, field] :
         {std::pair{kSubAddress, &link.subAddress}, std::pair{kScreenTip, &link.screenTip},
          std::pair{kTextToDisplay, &link.textToDisplay}}) {
        if (HRESULT status = OptionalText(call, position, *field); Failed(status)) return status;
    }
    const CXlsCellRange range = link.range;
    if (HRESULT status = CXlsHyperlinkObject::Store(call, anchor->Target(), std::move(link));
        Failed(status)) {
        return status;
    }
    return SetLink(call, range);
}

HRESULT CXlsHyperlinksObject::Count(CDispatchCall& call) {
    call.SetResult(CVariant::Long(static_cast<std::int32_t>(m_sheet.Hyperlinks().Items().size())));
    return S_OK;
}

HRESULT CXlsHyperlinksObject::Item(CDispatchCall& call) {
    std::int32_t index = 0;
    if (HRESULT status = call.ArgLong(0, index); Failed(status)) return status;
    const auto& links = m_sheet.Hyperlinks().Items();
    if (index < 1 || static_cast<std::size_t>(index) > links.size()) {
        return call.ArgumentError(0, DISP_E_BADINDEX);
    }
    return SetLink(call, links[static_cast<std::size_t>(index) - 1].range);
}
