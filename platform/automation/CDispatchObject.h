// Base of the server's objects: reference counting, the name lookup and the
// matching of a call's arguments to a member's parameters. A server object
// derives from CTDispatchObject (which supplies the member table) rather
// than from this class directly.
//
// Lifetime: a new object holds one reference, owned by its creator; the
// last Release deletes it. Objects are not shared between threads.
//
// Ids: member i of the table has id i + 1; a named argument's id is its
// parameter's position in the member's declaration. Invoke checks, before
// the member runs: the member id (DISP_E_MEMBERNOTFOUND), the kind (a put on
// a member that takes none: DISP_E_MEMBERNOTFOUND), at most as many
// positional arguments as declared parameters (DISP_E_BADPARAMCOUNT), every
// named id a declared parameter given once (DISP_E_PARAMNOTFOUND), and a put
// carrying its value as DISPID_PROPERTYPUT (DISP_E_PARAMNOTFOUND). A method
// call and a property get reach the member alike.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/automation/CDispatchCall.h"
#include "platform/automation/IDispatch.h"

// What a member accepts: calls and gets only, or also puts.
enum class EMemberAccess : std::uint8_t { kGet, kGetPut };

class CDispatchObject : public IDispatch {
public:
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    HRESULT GetIDsOfNames(std::span<const std::u16string_view> names, std::uint32_t locale,
                          std::span<DISPID> ids) override;
    HRESULT Invoke(DISPID member, std::uint32_t locale, std::uint16_t kind,
                   const CDispParams& params, CVariant* result, CExcepInfo* exception,
                   std::uint32_t* argError) override;

    // The count of references held now (for tests).
    std::uint32_t RefCount() const { return m_refs.load(); }

    // ASCII letters compare ignoring case, everything else exactly, as the
    // spreadsheet matches member and argument names.
    static bool NamesEqual(std::u16string_view a, std::u16string_view b);

protected:
    CDispatchObject() = default;
    ~CDispatchObject() override = default;

    // The member table, supplied by CTDispatchObject.
    virtual std::size_t MemberCount() const = 0;
    virtual std::u16string_view MemberName(std::size_t member) const = 0;
    virtual EMemberAccess MemberAccess(std::size_t member) const = 0;
    // Empty past the last declared parameter.
    virtual std::u16string_view ParamName(std::size_t member, std::size_t position) const = 0;
    virtual HRESULT CallMember(std::size_t member, CDispatchCall& call) = 0;

private:
    std::atomic<std::uint32_t> m_refs{1};
};
