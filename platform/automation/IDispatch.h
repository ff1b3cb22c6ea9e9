// The object interface of the automation layer: late-bound calls by name.
//
// A caller first turns a member name (and the names of any named arguments)
// into ids with GetIDsOfNames, then calls Invoke with the member id, the
// invocation kind and the arguments. Every server object (Application,
// Workbook, Range, ...) implements this interface; CTDispatchObject does
// most of the work for a server that declares its members in a table.
//
// Reference counting: an object is created holding one reference, owned by
// whoever received the pointer. AddRef adds one, Release drops one and
// destroys the object when none is left. Every pointer handed out by a call
// (an object in a result variant, an instance from the registry) carries a
// reference that the receiver must drop; a pointer passed *into* a call is
// borrowed for the call's duration. Objects are used by one thread at a time.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/automation/CVariant.h"
#include "platform/automation/DispatchStatus.h"

using DISPID = std::int32_t;

// Member and argument ids with a fixed meaning.
inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_UNKNOWN = -1;      // a name the lookup did not know
inline constexpr DISPID DISPID_PROPERTYPUT = -3;  // names the value argument of a put

// Invocation kinds (bits of Invoke's kind argument). Callers of the
// spreadsheet's object model use a method call and a property get
// interchangeably for members such as "Select" or "Add".
inline constexpr std::uint16_t DISPATCH_METHOD = 1;
inline constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUTREF = 8;

// The locale that callers pass when they have no other (the system default).
inline constexpr std::uint32_t LOCALE_SYSTEM_DEFAULT = 0x0800;

// The arguments of one Invoke, as the caller lays them out:
// - args[0 .. namedCount-1] are the named arguments; namedIds[i] is the id
//   of args[i] (a parameter position from GetIDsOfNames, or
//   DISPID_PROPERTYPUT for the value of a put);
// - args[namedCount .. argCount-1] are the positional arguments in REVERSE
//   order: args[argCount-1] is the first parameter.
// The arrays are borrowed for the call; the callee must not keep pointers to
// them or change them. A VT_ERROR argument holding DISP_E_PARAMNOTFOUND
// stands for an omitted optional argument.
struct CDispParams {
    const CVariant* args = nullptr;
    const DISPID* namedIds = nullptr;
    std::uint32_t argCount = 0;
    std::uint32_t namedCount = 0;
};

// What a server fills in when Invoke returns DISP_E_EXCEPTION. The strings
// belong to the record; a caller clears them when it is done.
struct CExcepInfo {
    std::uint16_t code = 0;      // the server's own error number
    std::u16string source;       // who raised it
    std::u16string description;  // text for a person; may be empty
    std::u16string helpFile;
    std::uint32_t helpContext = 0;
    HRESULT status = S_OK;  // a status instead of code (code is then 0)

    void Clear() { *this = CExcepInfo(); }
};

class IDispatch {
public:
    // Both return the count after the change (for tests and diagnostics
    // only). Release may destroy the object: do not touch it afterwards.
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

    // names[0] is a member name, names[1..] the names of that member's named
    // arguments; ids receives one id per name (ids.size() >= names.size(),
    // else E_INVALIDARG). Names match ignoring case. An unknown name gets
    // DISPID_UNKNOWN and the result is DISP_E_UNKNOWNNAME; the ids of the
    // names that were known are still filled in.
    virtual HRESULT GetIDsOfNames(std::span<const std::u16string_view> names, std::uint32_t locale,
                                  std::span<DISPID> ids) = 0;

    // Calls member `member` with the kind (one of DISPATCH_...) and the
    // arguments. A property put passes exactly one named argument,
    // DISPID_PROPERTYPUT, for the new value. result may be null when the
    // caller wants none; otherwise the callee replaces its content (an object
    // in it carries a reference for the caller). exception, when not null,
    // is filled for DISP_E_EXCEPTION. argError, when not null, receives the
    // index into params.args of the argument at fault for
    // DISP_E_TYPEMISMATCH and DISP_E_PARAMNOTFOUND. Nothing is thrown.
    virtual HRESULT Invoke(DISPID member, std::uint32_t locale, std::uint16_t kind,
                           const CDispParams& params, CVariant* result, CExcepInfo* exception,
                           std::uint32_t* argError) = 0;

protected:
    // Destroyed only through Release.
    virtual ~IDispatch() = default;
};
