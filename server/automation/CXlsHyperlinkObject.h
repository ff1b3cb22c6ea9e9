// One hyperlink of a worksheet, as Hyperlinks.Add and Hyperlinks.Item hand
// it out: Address, SubAddress, ScreenTip and TextToDisplay (read and
// written; a write changes the link and is refused as Hyperlinks.Add
// refuses it), and Range, the cells it sits on. The object names its link
// by range; once no link lies over that range, its members fail.
//
// TextToDisplay: writing a non-empty text puts it into the top-left cell
// of the range as that cell's text, as the spreadsheet does. An empty text
// leaves the cell as it is and the link without a description (the
// spreadsheet would show the address in an empty cell; our server never
// writes a value it was not given).
#pragma once

#include <memory>

#include "server/CXlsHyperlink.h"
#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"
#include "server/automation/CXlsServerSession.h"

class CXlsHyperlinkObject : public CTXlsServerObject<CXlsHyperlinkObject> {
public:
    // target.range: the range of the link.
    CXlsHyperlinkObject(std::shared_ptr<CXlsServerSession> session, CXlsRangeTarget target);

    // Puts link on target's sheet (replacing the one over the same range)
    // and a non-empty TextToDisplay into the top-left cell; raises the
    // refusal with its reason, changing nothing, when either cannot be done.
    static HRESULT Store(CDispatchCall& call, const CXlsRangeTarget& target, CXlsHyperlink link);

private:
    HRESULT Address(CDispatchCall& call);
    HRESULT SubAddress(CDispatchCall& call);
    HRESULT ScreenTip(CDispatchCall& call);
    HRESULT TextToDisplay(CDispatchCall& call);
    HRESULT Range(CDispatchCall& call);

    // Reads or writes one text field of the link.
    HRESULT Text(CDispatchCall& call, std::u16string CXlsHyperlink::*field);

    static constexpr CTDispatchMember<CXlsHyperlinkObject> kMembers[] = {
        {u"Address", EMemberAccess::kGetPut, &CXlsHyperlinkObject::Address, {}},
        {u"SubAddress", EMemberAccess::kGetPut, &CXlsHyperlinkObject::SubAddress, {}},
        {u"ScreenTip", EMemberAccess::kGetPut, &CXlsHyperlinkObject::ScreenTip, {}},
        {u"TextToDisplay", EMemberAccess::kGetPut, &CXlsHyperlinkObject::TextToDisplay, {}},
        {u"Range", EMemberAccess::kGet, &CXlsHyperlinkObject::Range, {}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
    CXlsRangeTarget m_target;
};
