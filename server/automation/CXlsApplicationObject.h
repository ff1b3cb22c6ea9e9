// The server's "Application" object, the one a client creates through the
// registry: the entry to the open workbooks and the application-wide
// settings and selection.
//
// Members: Workbooks, ActiveWorkbook, ActiveSheet, ActiveCell (the first
// cell of the active sheet's selection, as a range), ActiveWindow (the
// active workbook's window, CXlsWindowObject; Nothing without one), Visible, DisplayAlerts
// (kept, nothing is ever shown), Quit (closes every workbook without saving;
// objects a client still holds stay usable).
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsApplicationObject : public CTXlsServerObject<CXlsApplicationObject> {
public:
    // A new application with its own session and no workbook.
    CXlsApplicationObject();

private:
    HRESULT Workbooks(CDispatchCall& call);
    HRESULT ActiveWorkbook(CDispatchCall& call);
    HRESULT ActiveSheet(CDispatchCall& call);
    HRESULT ActiveCell(CDispatchCall& call);
    HRESULT ActiveWindow(CDispatchCall& call);
    HRESULT Visible(CDispatchCall& call);
    HRESULT DisplayAlerts(CDispatchCall& call);
    HRESULT Quit(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsApplicationObject> kMembers[] = {
        {u"Workbooks", EMemberAccess::kGet, &CXlsApplicationObject::Workbooks, {}},
        {u"ActiveWorkbook", EMemberAccess::kGet, &CXlsApplicationObject::ActiveWorkbook, {}},
        {u"ActiveSheet", EMemberAccess::kGet, &CXlsApplicationObject::ActiveSheet, {}},
        {u"ActiveCell", EMemberAccess::kGet, &CXlsApplicationObject::ActiveCell, {}},
        {u"ActiveWindow", EMemberAccess::kGet, &CXlsApplicationObject::ActiveWindow, {}},
        {u"Visible", EMemberAccess::kGetPut, &CXlsApplicationObject::Visible, {}},
        {u"DisplayAlerts", EMemberAccess::kGetPut, &CXlsApplicationObject::DisplayAlerts, {}},
        {u"Quit", EMemberAccess::kGet, &CXlsApplicationObject::Quit, {}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
};
