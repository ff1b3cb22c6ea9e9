// The window of an open workbook, as Application.ActiveWindow hands it out.
// It shows the workbook's active sheet, and what is set on it is that
// sheet's view (CXlsSheetView), kept and saved with the sheet.
//
// - ScrollRow / ScrollColumn: the first row / column shown (1-based).
// - SplitRow / SplitColumn: the rows above / columns left of the split
//   (0: none). On a window that is not frozen they also move the split to
//   where that many rows of the standard height (columns of the standard
//   width) end.
// - SplitVertical / SplitHorizontal: where the window is split, in points
//   from its top / left edge.
// - FreezePanes: True keeps the rows and columns above and left of the
//   split fixed.
// - Zoom: 10 to 400 percent. DisplayGridlines, DisplayHeadings.
// - GridlineColorIndex: the colour of gridlines and headings, a palette
//   index 1-56 or -4105 (xlColorIndexAutomatic, the default colour); a put
//   of -4142 (none) is taken as automatic.
// Values outside the sheet's rows and columns or outside those ranges are
// refused and leave the view as it was.
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsServerSession.h"

class CXlsWindowObject : public CTXlsServerObject<CXlsWindowObject> {
public:
    CXlsWindowObject(std::shared_ptr<CXlsServerSession> session,
                     std::shared_ptr<CXlsServerDocument> document);

private:
    HRESULT ScrollRow(CDispatchCall& call);
    HRESULT ScrollColumn(CDispatchCall& call);
    HRESULT SplitRow(CDispatchCall& call);
    HRESULT SplitColumn(CDispatchCall& call);
    HRESULT SplitVertical(CDispatchCall& call);
    HRESULT SplitHorizontal(CDispatchCall& call);
    HRESULT FreezePanes(CDispatchCall& call);
    HRESULT Zoom(CDispatchCall& call);
    HRESULT DisplayGridlines(CDispatchCall& call);
    HRESULT DisplayHeadings(CDispatchCall& call);
    HRESULT GridlineColorIndex(CDispatchCall& call);

    // The view of the active sheet, or null (with the call refused) when
    // the workbook has no sheet.
    CXlsSheetView* View(CDispatchCall& call, HRESULT& status);
    // Gets or puts one whole number of the view, from `least` to `most`.
    HRESULT Number(CDispatchCall& call, std::uint32_t CXlsSheetView::*field, std::int32_t offset,
                   std::int32_t least, std::int32_t most);
    HRESULT Flag(CDispatchCall& call, bool CXlsSheetView::*field);
    // A split position in points, kept in twips.
    HRESULT Split(CDispatchCall& call, std::uint32_t CXlsSheetView::*twips,
                  std::uint32_t CXlsSheetView::*lines, double twipsPerLine);

    static constexpr CTDispatchMember<CXlsWindowObject> kMembers[] = {
        {u"ScrollRow", EMemberAccess::kGetPut, &CXlsWindowObject::ScrollRow, {}},
        {u"ScrollColumn", EMemberAccess::kGetPut, &CXlsWindowObject::ScrollColumn, {}},
        {u"SplitRow", EMemberAccess::kGetPut, &CXlsWindowObject::SplitRow, {}},
        {u"SplitColumn", EMemberAccess::kGetPut, &CXlsWindowObject::SplitColumn, {}},
        {u"SplitVertical", EMemberAccess::kGetPut, &CXlsWindowObject::SplitVertical, {}},
        {u"SplitHorizontal", EMemberAccess::kGetPut, &CXlsWindowObject::SplitHorizontal, {}},
        {u"FreezePanes", EMemberAccess::kGetPut, &CXlsWindowObject::FreezePanes, {}},
        {u"Zoom", EMemberAccess::kGetPut, &CXlsWindowObject::Zoom, {}},
        {u"DisplayGridlines", EMemberAccess::kGetPut, &CXlsWindowObject::DisplayGridlines, {}},
        {u"DisplayHeadings", EMemberAccess::kGetPut, &CXlsWindowObject::DisplayHeadings, {}},
        {u"GridlineColorIndex", EMemberAccess::kGetPut, &CXlsWindowObject::GridlineColorIndex, {}},
    };

    std::shared_ptr<CXlsServerSession> m_session;
    std::shared_ptr<CXlsServerDocument> m_document;
};
