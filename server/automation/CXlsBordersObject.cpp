#include "server/automation/CXlsBordersObject.h"

#include "server/automation/CXlsBorderObject.h"

CXlsBordersObject::CXlsBordersObject(CXlsRangeTarget target)
    : CTXlsServerObject(kMembers), m_target(std::move(target)) {}

HRESULT CXlsBordersObject::ItemOf(const CXlsRangeTarget& target, CDispatchCall& call,
                                  std::size_t position) {
    std::int32_t index = 0;
    if (HRESULT status = call.ArgLong(position, index); Failed(status)) return status;
    if (index < CXlsBorderObject::kFirstIndex || index > CXlsBorderObject::kLastIndex) {
        return call.ArgumentError(position, DISP_E_BADINDEX);
    }
    call.SetResult(CVariant::AdoptObject(new CXlsBorderObject(target, index)));
    return S_OK;
}

HRESULT CXlsBordersObject::Item(CDispatchCall& call) {
    return ItemOf(m_target, call, 0);
}

HRESULT CXlsBordersObject::Count(CDispatchCall& call) {
    call.SetResult(
        CVariant::Long(CXlsBorderObject::kLastIndex - CXlsBorderObject::kFirstIndex + 1));
    return S_OK;
}
