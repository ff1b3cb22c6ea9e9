// The named styles of a workbook (Workbook.Styles), in the order they were
// added; a new workbook has Normal, Comma, Comma [0], Currency,
// Currency [0] and Percent.
//
// Add(Name) adds a style that starts as Normal and includes every group,
// and gives its Style object; a name that is taken (ignoring case), empty
// or longer than 255 characters is refused. Count. Item(Index): by 1-based
// position or by name (ignoring case).
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerDocument.h"

class CXlsStylesObject : public CTXlsServerObject<CXlsStylesObject> {
public:
    explicit CXlsStylesObject(std::shared_ptr<CXlsServerDocument> document);

    // Item with the index at argument `position` of the call.
    static HRESULT ItemOf(const std::shared_ptr<CXlsServerDocument>& document, CDispatchCall& call,
                          std::size_t position);

private:
    HRESULT Add(CDispatchCall& call);
    HRESULT Count(CDispatchCall& call);
    HRESULT Item(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsStylesObject> kMembers[] = {
        {u"Add", EMemberAccess::kGet, &CXlsStylesObject::Add, {u"Name"}},
        {u"Count", EMemberAccess::kGet, &CXlsStylesObject::Count, {}},
        {u"Item", EMemberAccess::kGet, &CXlsStylesObject::Item, {u"Index"}},
    };

    std::shared_ptr<CXlsServerDocument> m_document;
};
