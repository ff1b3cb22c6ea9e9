// Status codes of the automation layer: what GetIDsOfNames, Invoke, the
// server registry and variant coercion return. The values are those that
// automation callers and servers have always exchanged, so a failure report
// can be matched to its code by anyone who knows them.
//
// A status is negative (high bit set) for a failure and zero or positive
// for success.
#pragma once

#include <cstdint>

using HRESULT = std::int32_t;

constexpr HRESULT MakeStatus(std::uint32_t bits) {
    return static_cast<HRESULT>(bits);
}

constexpr bool Succeeded(HRESULT status) {
    return status >= 0;
}
constexpr bool Failed(HRESULT status) {
    return status < 0;
}

// Success.
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;

// General failures.
inline constexpr HRESULT E_NOTIMPL = MakeStatus(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = MakeStatus(0x80004002u);
inline constexpr HRESULT E_POINTER = MakeStatus(0x80004003u);  // a required pointer was null
inline constexpr HRESULT E_FAIL = MakeStatus(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = MakeStatus(0x8000FFFFu);
inline constexpr HRESULT E_OUTOFMEMORY = MakeStatus(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = MakeStatus(0x80070057u);

// Late-bound call failures (Invoke and GetIDsOfNames).
inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = MakeStatus(0x80020001u);
// No such member, or not for this invocation kind.
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeStatus(0x80020003u);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND =
    MakeStatus(0x80020004u);                                             // named id not a parameter
inline constexpr HRESULT DISP_E_TYPEMISMATCH = MakeStatus(0x80020005u);  // an argument's kind
inline constexpr HRESULT DISP_E_UNKNOWNNAME = MakeStatus(0x80020006u);   // a name in the lookup
inline constexpr HRESULT DISP_E_NONAMEDARGS = MakeStatus(0x80020007u);
inline constexpr HRESULT DISP_E_BADVARTYPE = MakeStatus(0x80020008u);
inline constexpr HRESULT DISP_E_EXCEPTION = MakeStatus(0x80020009u);  // see the exception record
inline constexpr HRESULT DISP_E_OVERFLOW =
    MakeStatus(0x8002000Au);  // value out of the kind's range
inline constexpr HRESULT DISP_E_BADINDEX = MakeStatus(0x8002000Bu);
inline constexpr HRESULT DISP_E_UNKNOWNLCID = MakeStatus(0x8002000Cu);
inline constexpr HRESULT DISP_E_ARRAYISLOCKED = MakeStatus(0x8002000Du);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeStatus(0x8002000Eu);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = MakeStatus(0x8002000Fu);

// Server registry failures.
inline constexpr HRESULT REGDB_E_CLASSNOTREG = MakeStatus(0x80040154u);  // no factory for the class
inline constexpr HRESULT CO_E_NOTINITIALIZED = MakeStatus(0x800401F0u);  // registry not initialised
inline constexpr HRESULT CO_E_CLASSSTRING = MakeStatus(0x800401F3u);     // unknown program id
inline constexpr HRESULT CO_E_SERVER_EXEC_FAILURE = MakeStatus(0x80080005u);  // factory gave none
