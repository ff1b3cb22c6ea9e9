#include "server/automation/CXlsFormatConditionObject.h"

#include "server/automation/CXlsConditionBorderObject.h"
#include "server/automation/CXlsConditionFontObject.h"
#include "server/automation/CXlsConditionInteriorObject.h"

CXlsFormatConditionObject::CXlsFormatConditionObject(CXlsConditionTarget target)
    : CTXlsServerObject(kMembers), m_target(std::move(target)) {}

HRESULT CXlsFormatConditionObject::Type(CDispatchCall& call) {
    const CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    call.SetResult(CVariant::Long(condition->kind));
    return S_OK;
}

HRESULT CXlsFormatConditionObject::Operator(CDispatchCall& call) {
    const CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    call.SetResult(CVariant::Long(condition->op));
    return S_OK;
}

HRESULT CXlsFormatConditionObject::Font(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsConditionFontObject(m_target)));
    return S_OK;
}

HRESULT CXlsFormatConditionObject::Interior(CDispatchCall& call) {
    call.SetResult(CVariant::AdoptObject(new CXlsConditionInteriorObject(m_target)));
    return S_OK;
}

HRESULT CXlsFormatConditionObject::Borders(CDispatchCall& call) {
    std::int32_t index = 0;
    if (HRESULT status = call.ArgLong(0, index); Failed(status)) return status;
    CXlsConditionFormat::EEdge edge = CXlsConditionFormat::kLeft;
    if (!CXlsConditionBorderObject::EdgeOf(index, edge)) {
        return call.ArgumentError(0, DISP_E_BADINDEX);
    }
    call.SetResult(CVariant::AdoptObject(new CXlsConditionBorderObject(m_target, edge)));
    return S_OK;
}
