#include "server/automation/CXlsWindowObject.h"

#include <cmath>

#include "server/automation/XlsAutomationConstants.h"

namespace {

// What a split of n rows or columns measures when the lines have the
// standard size: 12.75 points a row, 64 pixels (48 points) a column.
constexpr double kTwipsPerRow = 255.0;
constexpr double kTwipsPerColumn = 960.0;
// The farthest a split can lie from the window's edge, in points.
constexpr double kMaxSplitPoints = 0xFFFF / 20.0;

}  // namespace

CXlsWindowObject::CXlsWindowObject(std::shared_ptr<CXlsServerSession> session,
                                   std::shared_ptr<CXlsServerDocument> document)
    : CTXlsServerObject(kMembers), m_session(std::move(session)), m_document(std::move(document)) {}

CXlsSheetView* CXlsWindowObject::View(CDispatchCall& call, HRESULT& status) {
    CXlsWorksheet* sheet = m_document->ActiveSheet();
    if (sheet == nullptr) {
        status = call.Raise(xlauto::kRefusedCall, u"The workbook has no sheet to show.");
        return nullptr;
    }
    status = S_OK;
    return &sheet->View();
}

HRESULT CXlsWindowObject::Number(CDispatchCall& call, std::uint32_t CXlsSheetView::*field,
                                 std::int32_t offset, std::int32_t least, std::int32_t most) {
    HRESULT status = S_OK;
    CXlsSheetView* view = View(call, status);
    if (view == nullptr) return status;
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(static_cast<std::int32_t>(view->*field) + offset));
        return S_OK;
    }
    std::int32_t value = 0;
    if (status = call.PutLong(value); Failed(status)) return status;
    if (value < least || value > most) {
        return call.ArgumentError(CDispatchCall::kPutValue, DISP_E_OVERFLOW);
    }
    view->*field = static_cast<std::uint32_t>(value - offset);
    return S_OK;
}

HRESULT CXlsWindowObject::Flag(CDispatchCall& call, bool CXlsSheetView::*field) {
    HRESULT status = S_OK;
    CXlsSheetView* view = View(call, status);
    if (view == nullptr) return status;
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(view->*field));
        return S_OK;
    }
    bool value = false;
    if (status = call.PutBool(value); Failed(status)) return status;
    view->*field = value;
    return S_OK;
}

HRESULT CXlsWindowObject::Split(CDispatchCall& call, std::uint32_t CXlsSheetView::*twips,
                                std::uint32_t CXlsSheetView::*lines, double twipsPerLine) {
    HRESULT status = S_OK;
    CXlsSheetView* view = View(call, status);
    if (view == nullptr) return status;
    if (!call.IsPut()) {
        call.SetResult(CVariant::Double((view->*twips) / 20.0));
        return S_OK;
    }
    double points = 0.0;
    if (status = call.PutDouble(points); Failed(status)) return status;
    if (!(points >= 0.0 && points <= kMaxSplitPoints)) {
        return call.ArgumentError(CDispatchCall::kPutValue, DISP_E_OVERFLOW);
    }
    view->*twips = static_cast<std::uint32_t>(std::lround(points * 20.0));
    view->*lines = static_cast<std::uint32_t>(std::lround((view->*twips) / twipsPerLine));
    return S_OK;
}

HRESULT CXlsWindowObject::ScrollRow(CDispatchCall& call) {
    return Number(call, &CXlsSheetView::scrollRow, 1, 1, xlsw::kMaxRows);
}

HRESULT CXlsWindowObject::ScrollColumn(CDispatchCall& call) {
    return Number(call, &CXlsSheetView::scrollColumn, 1, 1, xlsw::kMaxColumns);
}

HRESULT CXlsWindowObject::SplitRow(CDispatchCall& call) {
    const HRESULT status = Number(call, &CXlsSheetView::splitRows, 0, 0, xlsw::kMaxRows - 1);
    if (call.IsPut() && !Failed(status)) {
        CXlsSheetView& view = m_document->ActiveSheet()->View();
        if (!view.frozen) {
            view.splitYTwips = static_cast<std::uint32_t>(view.splitRows * kTwipsPerRow);
        }
    }
    return status;
}

HRESULT CXlsWindowObject::SplitColumn(CDispatchCall& call) {
    const HRESULT status = Number(call, &CXlsSheetView::splitColumns, 0, 0, xlsw::kMaxColumns - 1);
    if (call.IsPut() && !Failed(status)) {
        CXlsSheetView& view = m_document->ActiveSheet()->View();
        if (!view.frozen) {
            view.splitXTwips = static_cast<std::uint32_t>(view.splitColumns * kTwipsPerColumn);
        }
    }
    return status;
}

HRESULT CXlsWindowObject::SplitVertical(CDispatchCall& call) {
    return Split(call, &CXlsSheetView::splitYTwips, &CXlsSheetView::splitRows, kTwipsPerRow);
}

HRESULT CXlsWindowObject::SplitHorizontal(CDispatchCall& call) {
    return Split(call, &CXlsSheetView::splitXTwips, &CXlsSheetView::splitColumns, kTwipsPerColumn);
}

HRESULT CXlsWindowObject::FreezePanes(CDispatchCall& call) {
    return Flag(call, &CXlsSheetView::frozen);
}

HRESULT CXlsWindowObject::Zoom(CDispatchCall& call) {
    HRESULT status = S_OK;
    CXlsSheetView* view = View(call, status);
    if (view == nullptr) return status;
    if (!call.IsPut()) {
        call.SetResult(CVariant::Double(view->zoom));
        return S_OK;
    }
    double zoom = 0.0;
    if (status = call.PutDouble(zoom); Failed(status)) return status;
    if (!(zoom >= CXlsSheetView::kMinZoom && zoom <= CXlsSheetView::kMaxZoom)) {
        return call.ArgumentError(CDispatchCall::kPutValue, DISP_E_OVERFLOW);
    }
    view->zoom = static_cast<std::uint16_t>(std::lround(zoom));
    return S_OK;
}

HRESULT CXlsWindowObject::DisplayGridlines(CDispatchCall& call) {
    return Flag(call, &CXlsSheetView::gridlines);
}

HRESULT CXlsWindowObject::DisplayHeadings(CDispatchCall& call) {
    return Flag(call, &CXlsSheetView::headings);
}

HRESULT CXlsWindowObject::GridlineColorIndex(CDispatchCall& call) {
    HRESULT status = S_OK;
    CXlsSheetView* view = View(call, status);
    if (view == nullptr) return status;
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(view->gridlineColorIndex));
        return S_OK;
    }
    std::int32_t colorIndex = 0;
    if (status = call.PutLong(colorIndex); Failed(status)) return status;
    if (CXlsColorIndex::IsPalette(colorIndex)) {
        view->gridlineColorIndex = colorIndex;
    } else if (colorIndex == CXlsColorIndex::kAutomatic || colorIndex == CXlsColorIndex::kNone) {
        view->gridlineColorIndex = CXlsColorIndex::kAutomatic;
    } else {
        return call.Raise(xlauto::kRefusedCall,
                          u"A colour index is 1 to 56, -4105 (automatic) or -4142 (none).");
    }
    return S_OK;
}
