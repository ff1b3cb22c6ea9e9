// A formula in its compiled form, as the FORMULA and ARRAY records hold it:
// the parsed-expression tokens (rgce) and the extra data that some tokens
// keep after the expression (the values of array constants). The model does
// not look inside; the formula compiler produces these bytes.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class CXlsFormulaTokens {
  public:
    // The spreadsheet's limit on a compiled expression.
    static constexpr std::uint32_t kMaxTokenBytes = 1800;

    CXlsFormulaTokens() = default;
    CXlsFormulaTokens(std::vector<std::uint8_t> tokens, std::vector<std::uint8_t> extra = {})
        : m_tokens(std::move(tokens)), m_extra(std::move(extra)) {}

    const std::vector<std::uint8_t>& Tokens() const { return m_tokens; }
    const std::vector<std::uint8_t>& Extra() const { return m_extra; }

    // Non-empty tokens of at most 1800 bytes, and tokens and extra data
    // small enough for one FORMULA record (and hence one ARRAY record).
    bool IsValid() const;

    bool operator==(const CXlsFormulaTokens& other) const = default;

  private:
    std::vector<std::uint8_t> m_tokens;
    std::vector<std::uint8_t> m_extra;
};
