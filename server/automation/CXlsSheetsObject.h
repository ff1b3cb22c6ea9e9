// The "Worksheets" / "Sheets" collection of one workbook, in tab order.
//
// Item(Index): by 1-based position or by name (ignoring case). Count.
// Add(Before, After, Count, Type): new worksheets named "SheetN" (N counts
// the sheets the workbook has added), placed before the sheet Before names,
// after the one After names, or, with neither, before the active sheet;
// the last one added becomes the active sheet and is the result. Type may
// be left out or be a worksheet (-4167).
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsSheetsObject : public CTXlsServerObject<CXlsSheetsObject> {
public:
    CXlsSheetsObject(std::shared_ptr<CXlsServerSession> session,
                     std::shared_ptr<CXlsServerDocument> document);

    // The sheet an index names (a number, 1-based, or a name), or null.
    static CXlsWorksheet* Resolve(CXlsServerDocument& document, const CVariant& index);
    // The worksheet object for Item(Index), or the failure status.
    static HRESULT ItemOf(const std::shared_ptr<CXlsServerSession>& session,
                          const std::shared_ptr<CXlsServerDocument>& document, CDispatchCall& call,
                          std::size_t position);

private:
    HRESULT Item(CDispatchCall& call);
    HRESULT Count(CDispatchCall& call);
    HRESULT Add(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsSheetsObject> kMembers[] = {
        {u"Item", EMemberAccess::kGet, &CXlsSheetsObject::Item, {u"Index"}},
        {u"Count", EMemberAccess::kGet, &CXlsSheetsObject::Count, {}},
        {u"Add",
         EMemberAccess::kGet,
         &CXlsSheetsObject::Add,
         {u"Before", u"After", u"Count", u"Type"}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
    std::shared_ptr<CXlsServerDocument> m_document;
};
