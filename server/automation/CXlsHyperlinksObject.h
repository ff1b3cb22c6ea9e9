// The hyperlinks of a worksheet (Worksheet.Hyperlinks):
// - Add(Anchor, Address, SubAddress, ScreenTip, TextToDisplay): a hyperlink
//   over the cells of Anchor (a range of this sheet) to Address (a URL, a
//   file path or a UNC path; "" for a place in this workbook), at
//   SubAddress in it, with the tool tip ScreenTip. A non-empty
//   TextToDisplay becomes the text of the anchor's top-left cell and the
//   link's description; without it the cell is left as it is (the
//   spreadsheet would show the address in an empty cell: we do not).
//   Returns the Hyperlink. A link over the same range as an earlier one
//   replaces it. Refused: no address and no sub-address, a link too long
//   for its record, more than 65,530 links on the sheet, a text to display
//   that the cell cannot take.
// - Count, and Item(Index) (1-based, in the order of adding).
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsHyperlinksObject : public CTXlsServerObject<CXlsHyperlinksObject> {
public:
    CXlsHyperlinksObject(std::shared_ptr<CXlsServerSession> session,
                         std::shared_ptr<CXlsServerDocument> document, CXlsWorksheet& sheet);

private:
    HRESULT Add(CDispatchCall& call);
    HRESULT Count(CDispatchCall& call);
    HRESULT Item(CDispatchCall& call);

    // The Hyperlink object of the link over range.
    HRESULT SetLink(CDispatchCall& call, const CXlsCellRange& range);

    static constexpr CTDispatchMember<CXlsHyperlinksObject> kMembers[] = {
        {u"Add",
         EMemberAccess::kGet,
         &CXlsHyperlinksObject::Add,
         {u"Anchor", u"Address", u"SubAddress", u"ScreenTip", u"TextToDisplay"}},
        {u"Count", EMemberAccess::kGet, &CXlsHyperlinksObject::Count, {}},
        {u"Item", EMemberAccess::kGet, &CXlsHyperlinksObject::Item, {u"Index"}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
    std::shared_ptr<CXlsServerDocument> m_document;
    CXlsWorksheet& m_sheet;
};
