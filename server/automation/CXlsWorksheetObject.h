// One worksheet of an open workbook.
//
// Name (a rename that breaks the sheet-name rules or takes another sheet's
// name is refused and the sheet keeps its name), Index (1-based tab
// position), Select / Activate (makes it the workbook's active sheet and
// its workbook the active one), Move(Before, After) within the workbook,
// and the ranges: Cells(RowIndex, ColumnIndex) (1-based; with one index n,
// the n-th cell counting along rows, so 1 to 256 are row 1; with none,
// every cell), Range(Cell1, Cell2) (address texts or ranges; with both,
// the smallest range holding the two), Rows(Index) and Columns(Index)
// (whole rows and columns; without an index, all of them), the sheet's
// own defined names ("Names", CXlsNamesObject), Comments
// (CXlsCommentsObject) and Hyperlinks (the sheet's hyperlinks,
// CXlsHyperlinksObject), and its Tab (the tab's colour, CXlsTabObject).
//
// Visible: xlSheetVisible (-1, or True), xlSheetHidden (0, or False) or
// xlSheetVeryHidden (2); hiding the last visible sheet is refused, and a
// hidden sheet cannot be selected. StandardWidth: the width of columns
// without one of their own, in characters; StandardHeight: the height of
// rows without one, in points.
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsWorksheetObject : public CTXlsServerObject<CXlsWorksheetObject> {
public:
    CXlsWorksheetObject(std::shared_ptr<CXlsServerSession> session,
                        std::shared_ptr<CXlsServerDocument> document, CXlsWorksheet& sheet);

    const std::shared_ptr<CXlsServerDocument>& Document() const { return m_document; }
    CXlsWorksheet& Sheet() const { return m_sheet; }

private:
    HRESULT Name(CDispatchCall& call);
    HRESULT Index(CDispatchCall& call);
    HRESULT Select(CDispatchCall& call);
    HRESULT Move(CDispatchCall& call);
    HRESULT Cells(CDispatchCall& call);
    HRESULT Range(CDispatchCall& call);
    HRESULT Rows(CDispatchCall& call);
    HRESULT Columns(CDispatchCall& call);
    HRESULT Names(CDispatchCall& call);
    HRESULT Comments(CDispatchCall& call);
    HRESULT Hyperlinks(CDispatchCall& call);
    HRESULT Tab(CDispatchCall& call);
    HRESULT Visible(CDispatchCall& call);
    HRESULT StandardWidth(CDispatchCall& call);
    HRESULT StandardHeight(CDispatchCall& call);

    HRESULT SetRange(CDispatchCall& call, const CXlsCellRange& range);

    static constexpr CTDispatchMember<CXlsWorksheetObject> kMembers[] = {
        {u"Name", EMemberAccess::kGetPut, &CXlsWorksheetObject::Name, {}},
        {u"Index", EMemberAccess::kGet, &CXlsWorksheetObject::Index, {}},
        {u"Select", EMemberAccess::kGet, &CXlsWorksheetObject::Select, {u"Replace"}},
        {u"Activate", EMemberAccess::kGet, &CXlsWorksheetObject::Select, {}},
        {u"Move", EMemberAccess::kGet, &CXlsWorksheetObject::Move, {u"Before", u"After"}},
        {u"Cells", EMemberAccess::kGet, &CXlsWorksheetObject::Cells, {u"RowIndex", u"ColumnIndex"}},
        {u"Range", EMemberAccess::kGet, &CXlsWorksheetObject::Range, {u"Cell1", u"Cell2"}},
        {u"Rows", EMemberAccess::kGet, &CXlsWorksheetObject::Rows, {u"Index"}},
        {u"Columns", EMemberAccess::kGet, &CXlsWorksheetObject::Columns, {u"Index"}},
        {u"Names", EMemberAccess::kGet, &CXlsWorksheetObject::Names, {}},
        {u"Comments", EMemberAccess::kGet, &CXlsWorksheetObject::Comments, {}},
        {u"Hyperlinks", EMemberAccess::kGet, &CXlsWorksheetObject::Hyperlinks, {}},
        {u"Tab", EMemberAccess::kGet, &CXlsWorksheetObject::Tab, {}},
        {u"Visible", EMemberAccess::kGetPut, &CXlsWorksheetObject::Visible, {}},
        {u"StandardWidth", EMemberAccess::kGetPut, &CXlsWorksheetObject::StandardWidth, {}},
        {u"StandardHeight", EMemberAccess::kGetPut, &CXlsWorksheetObject::StandardHeight, {}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
    std::shared_ptr<CXlsServerDocument> m_document;
    CXlsWorksheet& m_sheet;
};
