#include "platform/automation/CDispatchCall.h"

#include <utility>

namespace {

const CVariant& EmptyVariant() {
    static const CVariant empty;
    return empty;
}

}  // namespace

CDispatchCall::CDispatchCall(std::uint16_t kind, CVariant* result, CExcepInfo* exception,
                             std::uint32_t* argError)
    : m_kind(kind), m_result(result), m_exception(exception), m_argError(argError) {}

const CVariant* CDispatchCall::Arg(std::size_t position) const {
    if (position >= kMaxDispatchParams) return nullptr;
    const CVariant* arg = m_args[position];
    // An omitted optional argument arrives as an error variant holding
    // DISP_E_PARAMNOTFOUND; members treat it like one not passed at all.
    if (arg == nullptr || arg->IsMissing()) return nullptr;
    return arg;
}

const CVariant& CDispatchCall::PutValue() const {
    const CVariant* value = m_args[kPutValue];
    return value != nullptr ? *value : EmptyVariant();
}

HRESULT CDispatchCall::Convert(std::size_t position, HRESULT status) {
    return Failed(status) ? ArgumentError(position, status) : status;
}

HRESULT CDispatchCall::ArgLong(std::size_t position, std::int32_t& out) {
    const CVariant* arg = Arg(position);
    return arg == nullptr ? DISP_E_PARAMNOTOPTIONAL : Convert(position, arg->ToLong(out));
}

HRESULT CDispatchCall::ArgDouble(std::size_t position, double& out) {
    const CVariant* arg = Arg(position);
    return arg == nullptr ? DISP_E_PARAMNOTOPTIONAL : Convert(position, arg->ToDouble(out));
}

HRESULT CDispatchCall::ArgBool(std::size_t position, bool& out) {
    const CVariant* arg = Arg(position);
    return arg == nullptr ? DISP_E_PARAMNOTOPTIONAL : Convert(position, arg->ToBool(out));
}

HRESULT CDispatchCall::ArgText(std::size_t position, std::u16string& out) {
    const CVariant* arg = Arg(position);
    return arg == nullptr ? DISP_E_PARAMNOTOPTIONAL : Convert(position, arg->ToText(out));
}

HRESULT CDispatchCall::PutShort(std::int16_t& out) {
    return Convert(kPutValue, PutValue().ToShort(out));
}

HRESULT CDispatchCall::PutLong(std::int32_t& out) {
    return Convert(kPutValue, PutValue().ToLong(out));
}

HRESULT CDispatchCall::PutDouble(double& out) {
    return Convert(kPutValue, PutValue().ToDouble(out));
}

HRESULT CDispatchCall::PutBool(bool& out) {
    return Convert(kPutValue, PutValue().ToBool(out));
}

HRESULT CDispatchCall::PutText(std::u16string& out) {
    return Convert(kPutValue, PutValue().ToText(out));
}

void CDispatchCall::SetResult(CVariant value) {
    if (m_result != nullptr) *m_result = std::move(value);
    // Otherwise `value` dies here and releases an object it holds.
}

HRESULT CDispatchCall::Raise(std::uint16_t code, std::u16string description) {
    if (m_exception != nullptr) {
        m_exception->Clear();
        m_exception->code = code;
        m_exception->description = std::move(description);
    }
    return DISP_E_EXCEPTION;
}

HRESULT CDispatchCall::ArgumentError(std::size_t position, HRESULT status) {
    if (m_argError != nullptr && position <= kPutValue && m_args[position] != nullptr) {
        *m_argError = m_argIndex[position];
    }
    return status;
}
