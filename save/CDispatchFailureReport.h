// The text that describes a failed late-bound call: the member name and what
// the status code means, for instance "Range: Type mismatch, argument 1.".
// Composed into at most 511 characters (a 512-character buffer with its
// terminator). It is kept for a debugger; the program shows it nowhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/automation/DispatchStatus.h"
#include "platform/automation/IDispatch.h"

class CDispatchFailureReport {
public:
    static constexpr std::size_t kMaxLength = 511;

    // exception may be null (a failed name lookup has no exception details);
    // argError is the argument-error index the call returned.
    static std::u16string Compose(std::u16string_view member, HRESULT status,
                                  const CExcepInfo* exception, std::uint32_t argError);
};
