// The late-bound calls a server refused during one session, by what the
// refusal said ("Formula: ...", "RowHeight: ..."), each with how often it
// came. Holds at most kMaxKinds different texts; past that it only counts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CRefusedCalls {
public:
    static constexpr std::size_t kMaxKinds = 64;

    struct Kind {
        std::u16string text;
        std::uint64_t count = 0;
    };

    void Note(const std::u16string& text);
    void Clear();

    const std::vector<Kind>& GetKinds() const { return m_kinds; }
    // Refusals noted, listed or not.
    std::uint64_t GetCount() const { return m_count; }

private:
    std::vector<Kind> m_kinds;
    std::uint64_t m_count = 0;
};
