// The "Workbooks" collection: the open workbooks in the order they were
// opened. Add(Template) opens a new workbook and makes it the active one:
// with Template -4167 it has one worksheet "Sheet1", without a template
// three ("Sheet1" to "Sheet3"); template files are not supported. Count and
// Item(Index) (1-based) as the spreadsheet has them.
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsWorkbooksObject : public CTXlsServerObject<CXlsWorkbooksObject> {
public:
    explicit CXlsWorkbooksObject(std::shared_ptr<CXlsServerSession> session);

private:
    HRESULT Add(CDispatchCall& call);
    HRESULT Count(CDispatchCall& call);
    HRESULT Item(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsWorkbooksObject> kMembers[] = {
        {u"Add", EMemberAccess::kGet, &CXlsWorkbooksObject::Add, {u"Template"}},
        {u"Count", EMemberAccess::kGet, &CXlsWorkbooksObject::Count, {}},
        {u"Item", EMemberAccess::kGet, &CXlsWorkbooksObject::Item, {u"Index"}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
};
