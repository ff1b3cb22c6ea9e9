// One call as a server member sees it, after CDispatchObject has matched the
// caller's arguments to the member's declared parameters.
//
// Parameters are addressed by their declared position (0 = first), whether
// the caller passed them by position or by name. Helpers convert an
// argument and, when that fails, note which argument was at fault so that
// the caller's argument-error index points at it. The call borrows the
// caller's argument array and result; it lives only during Invoke.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/automation/CVariant.h"
#include "platform/automation/IDispatch.h"

// Most parameters a table member may declare.
inline constexpr std::size_t kMaxDispatchParams = 8;

class CDispatchCall {
public:
    CDispatchCall(std::uint16_t kind, CVariant* result, CExcepInfo* exception,
                  std::uint32_t* argError);
    CDispatchCall(const CDispatchCall&) = delete;
    CDispatchCall& operator=(const CDispatchCall&) = delete;

    // DISPATCH_METHOD, DISPATCH_PROPERTYGET (or both), DISPATCH_PROPERTYPUT
    // or DISPATCH_PROPERTYPUTREF as the caller gave it.
    std::uint16_t Kind() const { return m_kind; }
    bool IsPut() const { return (m_kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }

    // The argument for a parameter, or null when the caller left it out
    // (not passed, or passed as an omitted argument).
    const CVariant* Arg(std::size_t position) const;
    bool Has(std::size_t position) const { return Arg(position) != nullptr; }
    // The value of a property put (an empty variant for other kinds).
    const CVariant& PutValue() const;

    // Convert a parameter's argument. An absent one gives
    // DISP_E_PARAMNOTOPTIONAL; a conversion failure its status, with the
    // argument-error index set to that argument.
    HRESULT ArgLong(std::size_t position, std::int32_t& out);
    HRESULT ArgDouble(std::size_t position, double& out);
    HRESULT ArgBool(std::size_t position, bool& out);
    HRESULT ArgText(std::size_t position, std::u16string& out);
    // The same for the value of a put.
    HRESULT PutShort(std::int16_t& out);
    HRESULT PutLong(std::int32_t& out);
    HRESULT PutDouble(double& out);
    HRESULT PutBool(bool& out);
    HRESULT PutText(std::u16string& out);

    // Stores the member's result; when the caller asked for none, the value
    // is dropped (an object's reference released).
    void SetResult(CVariant value);

    // Fills the exception record (when the caller gave one) and returns
    // DISP_E_EXCEPTION: a refusal with a reason, e.g. a sheet name that the
    // spreadsheet would not accept.
    HRESULT Raise(std::uint16_t code, std::u16string description);
    // Points the argument-error index at a parameter's argument (or at the
    // value of a put for position kPutValue) and returns status.
    HRESULT ArgumentError(std::size_t position, HRESULT status);
    static constexpr std::size_t kPutValue = kMaxDispatchParams;

private:
    friend class CDispatchObject;

    HRESULT Convert(std::size_t position, HRESULT status);

    std::uint16_t m_kind;
    CVariant* m_result;
    CExcepInfo* m_exception;
    std::uint32_t* m_argError;
    // Per parameter: the caller's argument and its index in the caller's
    // array (the put value sits at kPutValue).
    std::array<const CVariant*, kMaxDispatchParams + 1> m_args{};
    std::array<std::uint32_t, kMaxDispatchParams + 1> m_argIndex{};
};
