// The "Comments" collection of one worksheet, in row-major order (row by
// row, left to right): Count, and Item(Index) by 1-based position.
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerDocument.h"

class CXlsCommentsObject : public CTXlsServerObject<CXlsCommentsObject> {
public:
    CXlsCommentsObject(std::shared_ptr<CXlsServerDocument> document, CXlsWorksheet& sheet);

private:
    HRESULT Item(CDispatchCall& call);
    HRESULT Count(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsCommentsObject> kMembers[] = {
        {u"Item", EMemberAccess::kGet, &CXlsCommentsObject::Item, {u"Index"}},
        {u"Count", EMemberAccess::kGet, &CXlsCommentsObject::Count, {}},
    };

    std::shared_ptr<CXlsServerDocument> m_document;
    CXlsWorksheet& m_sheet;
};
