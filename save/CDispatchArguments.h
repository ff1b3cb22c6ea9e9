// The argument list of one late-bound call being prepared: up to 10
// variants with a 16-bit flag each, how many there are and how many of them
// are named, and the names (slot 0 is kept for the member name, slots 1.. for
// the named arguments in push order).
//
// The variants are handed to Invoke as they are, so the argument pushed
// first is the call's LAST argument; named arguments must be pushed before
// positional ones (Invoke expects them at the front).
//
// Ownership: a text argument owns its copy. An object argument owns the
// reference the pusher handed over and releases it on Reset, unless its flag
// has kBorrowed: then the object is only borrowed and Reset forgets it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/automation/CVariant.h"
#include "platform/automation/IDispatch.h"

class CDispatchArguments {
public:
    static constexpr std::uint32_t kCapacity = 10;
    static constexpr std::uint16_t kBorrowed = 1;

    CDispatchArguments() = default;
    ~CDispatchArguments() { Reset(); }
    CDispatchArguments(const CDispatchArguments&) = delete;
    CDispatchArguments& operator=(const CDispatchArguments&) = delete;

    // Clears every argument (see Ownership) and both counts.
    void Reset();

    // Each appends one argument; a non-empty name makes it named. False when
    // the list is full or a copy cannot be made; nothing is appended then.
    // PushDispatch takes over the caller's reference even when it fails (the
    // reference is then released), unless flags has kBorrowed.
    bool PushDispatch(std::u16string_view name, std::uint16_t flags, IDispatch* object);
    bool PushShort(std::u16string_view name, std::uint16_t flags, std::int16_t value);
    bool PushBool(std::u16string_view name, std::uint16_t flags, bool value);
    bool PushDouble(std::u16string_view name, std::uint16_t flags, double value);
    bool PushText(std::u16string_view name, std::uint16_t flags, std::u16string_view text);
    // An error value: status is the code the variant carries (a cell error
    // value is 0x800A07D0 + its BIFF code, see CVariant::SheetError).
    bool PushError(std::u16string_view name, std::uint16_t flags, HRESULT status);
    // Any variant, taken over as it is (an array of a range's values too).
    bool PushVariant(std::u16string_view name, std::uint16_t flags, CVariant value);

    std::uint32_t Count() const { return m_count; }
    std::uint32_t NamedCount() const { return m_namedCount; }
    const CVariant* Values() const { return m_values.data(); }
    // Moves argument `index` (0 the first pushed) out of the list and
    // leaves it empty there; an empty variant past the count.
    CVariant Take(std::uint32_t index);
    // Sets slot 0 and returns the member name followed by the named
    // arguments' names (NamedCount() + 1 entries, valid until the next push,
    // reset or SetMember).
    std::span<const std::u16string_view> NamesFor(std::u16string_view member);

private:
    bool Push(std::u16string_view name, std::uint16_t flags, CVariant& value);

    std::array<CVariant, kCapacity> m_values;
    std::array<std::uint16_t, kCapacity> m_flags{};
    std::uint32_t m_count = 0;
    std::uint32_t m_namedCount = 0;
    std::array<std::u16string, kCapacity + 1> m_names;
    std::array<std::u16string_view, kCapacity + 1> m_nameViews;
};
