// One defined name of an open workbook: what Names.Add and Names.Item give.
//
// Name: the text, with its sheet in front for a sheet's own name
// ("Sheet1!Rates", "'Q1 2009'!Print_Area"). RefersTo: reading fails for a
// name with a formula (the text of a formula is not kept, as with
// Range.Formula) and gives "" for one without; writing compiles the new
// formula (CXlsRefersTo) and a refused one changes nothing. Visible: False
// for a hidden name. Index: the 1-based position in Workbook.Names.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsNameObject : public CTXlsServerObject<CXlsNameObject> {
public:
    // `position` is the name's position in the workbook's name table.
    CXlsNameObject(std::shared_ptr<CXlsServerSession> session,
                   std::shared_ptr<CXlsServerDocument> document, std::size_t position);

    // The text Name gives for the name at a position of the book's table.
    static std::u16string QualifiedName(const CXlsWorkbook& book, std::size_t position);

private:
    HRESULT Name(CDispatchCall& call);
    HRESULT RefersTo(CDispatchCall& call);
    HRESULT Visible(CDispatchCall& call);
    HRESULT Index(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsNameObject> kMembers[] = {
        {u"Name", EMemberAccess::kGet, &CXlsNameObject::Name, {}},
        {u"RefersTo", EMemberAccess::kGetPut, &CXlsNameObject::RefersTo, {}},
        {u"Visible", EMemberAccess::kGetPut, &CXlsNameObject::Visible, {}},
        {u"Index", EMemberAccess::kGet, &CXlsNameObject::Index, {}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
    std::shared_ptr<CXlsServerDocument> m_document;
    std::size_t m_position;
};
