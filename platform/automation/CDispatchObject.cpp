#include "platform/automation/CDispatchObject.h"

namespace {

char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

bool CDispatchObject::NamesEqual(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::uint32_t CDispatchObject::AddRef() {
    return ++m_refs;
}

std::uint32_t CDispatchObject::Release() {
    const std::uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT CDispatchObject::GetIDsOfNames(std::span<const std::u16string_view> names,
                                       std::uint32_t /*locale*/, std::span<DISPID> ids) {
    if (names.empty() || ids.size() < names.size()) return E_INVALIDARG;
    for (std::size_t i = 0; i < names.size(); ++i) ids[i] = DISPID_UNKNOWN;

    std::size_t member = MemberCount();
    for (std::size_t m = 0; m < MemberCount(); ++m) {
        if (NamesEqual(MemberName(m), names[0])) {
            member = m;
            break;
        }
    }
    if (member == MemberCount()) return DISP_E_UNKNOWNNAME;
    ids[0] = static_cast<DISPID>(member + 1);

    HRESULT status = S_OK;
    for (std::size_t i = 1; i < names.size(); ++i) {
        for (std::size_t p = 0; p < kMaxDispatchParams; ++p) {
            const std::u16string_view param = ParamName(member, p);
            if (param.empty()) break;
            if (NamesEqual(param, names[i])) {
                ids[i] = static_cast<DISPID>(p);
                break;
            }
        }
        if (ids[i] == DISPID_UNKNOWN) status = DISP_E_UNKNOWNNAME;
    }
    return status;
}

HRESULT CDispatchObject::Invoke(DISPID member, std::uint32_t /*locale*/, std::uint16_t kind,
                                const CDispParams& params, CVariant* result, CExcepInfo* exception,
                                std::uint32_t* argError) {
    if (member < 1 || static_cast<std::size_t>(member) > MemberCount()) {
        return DISP_E_MEMBERNOTFOUND;
    }
    const std::size_t index = static_cast<std::size_t>(member) - 1;
    if ((params.argCount > 0 && params.args == nullptr) ||
        (params.namedCount > 0 && params.namedIds == nullptr) ||
        params.namedCount > params.argCount) {
        return E_INVALIDARG;
    }

    const bool put = (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const bool get = (kind & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0;
    if (put && get) return E_INVALIDARG;
    if (!put && !get) return E_INVALIDARG;
    if (put && MemberAccess(index) != EMemberAccess::kGetPut) return DISP_E_MEMBERNOTFOUND;

    std::size_t declared = 0;
    while (declared < kMaxDispatchParams && !ParamName(index, declared).empty()) ++declared;

    CDispatchCall call(kind, result, exception, argError);
    if (result != nullptr) result->Clear();

    auto place = [&](std::size_t position, std::uint32_t argIndex) {
        call.m_args[position] = &params.args[argIndex];
        call.m_argIndex[position] = argIndex;
    };

    bool putValueSeen = false;
    for (std::uint32_t i = 0; i < params.namedCount; ++i) {
        const DISPID id = params.namedIds[i];
        if (id == DISPID_PROPERTYPUT && put && !putValueSeen) {
            place(CDispatchCall::kPutValue, i);
            putValueSeen = true;
            continue;
        }
        if (id < 0 || static_cast<std::size_t>(id) >= declared ||
            call.m_args[static_cast<std::size_t>(id)] != nullptr) {
            if (argError != nullptr) *argError = i;
            return DISP_E_PARAMNOTFOUND;
        }
        place(static_cast<std::size_t>(id), i);
    }
    // A put names its value; without it the caller's intent is unclear and
    // the call is refused as the spreadsheet's automation refuses it.
    if (put && !putValueSeen) return DISP_E_PARAMNOTFOUND;

    // Positional arguments sit after the named ones, last parameter first.
    const std::uint32_t positional = params.argCount - params.namedCount;
    if (positional > declared) return DISP_E_BADPARAMCOUNT;
    for (std::uint32_t p = 0; p < positional; ++p) {
        const std::uint32_t argIndex = params.argCount - 1 - p;
        if (call.m_args[p] != nullptr) {
            // Named as well as given by position.
            if (argError != nullptr) *argError = argIndex;
            return DISP_E_PARAMNOTFOUND;
        }
        place(p, argIndex);
    }

    return CallMember(index, call);
}
