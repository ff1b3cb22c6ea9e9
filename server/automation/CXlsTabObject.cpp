#include "server/automation/CXlsTabObject.h"

#include "server/CXlsColorIndex.h"
#include "server/automation/XlsAutomationConstants.h"

CXlsTabObject::CXlsTabObject(std::shared_ptr<CXlsServerDocument> document, CXlsWorksheet& sheet)
    : CTXlsServerObject(kMembers), m_document(std::move(document)), m_sheet(sheet) {}

HRESULT CXlsTabObject::ColorIndex(CDispatchCall& call) {
    int& tab = m_sheet.View().tabColorIndex;
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(tab));
        return S_OK;
    }
    std::int32_t colorIndex = 0;
    if (HRESULT status = call.PutLong(colorIndex); Failed(status)) return status;
    if (CXlsColorIndex::IsPalette(colorIndex)) {
        tab = colorIndex;
    } else if (colorIndex == CXlsColorIndex::kNone || colorIndex == CXlsColorIndex::kAutomatic) {
        tab = CXlsColorIndex::kNone;
    } else {
        return call.Raise(xlauto::kRefusedCall,
                          u"A colour index is 1 to 56, -4105 (automatic) or -4142 (none).");
    }
    return S_OK;
}

HRESULT CXlsTabObject::Color(CDispatchCall& call) {
    int& tab = m_sheet.View().tabColorIndex;
    const CXlsPalette& palette = m_document->Book().Palette();
    if (!call.IsPut()) {
        call.SetResult(CXlsColorIndex::IsPalette(tab) ? CVariant::Long(palette.Get(tab))
                                                      : CVariant::Bool(false));
        return S_OK;
    }
    if (call.PutValue().Type() == VT_BOOL && call.PutValue().GetBoolWord() == 0) {
        tab = CXlsColorIndex::kNone;
        return S_OK;
    }
    std::int32_t rgb = 0;
    if (HRESULT status = call.PutLong(rgb); Failed(status)) return status;
    if (rgb < 0 || rgb > CXlsPalette::kMaxRgb) {
        return call.ArgumentError(CDispatchCall::kPutValue, DISP_E_OVERFLOW);
    }
    tab = palette.Nearest(rgb);
    return S_OK;
}
