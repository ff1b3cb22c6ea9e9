// A formula in its compiled form, as the FORMULA and ARRAY records hold it:
// the parsed-expression tokens (rgce) and the extra data that some tokens
// keep after the expression (the values of array constants). The model does
// not look inside; the formula compiler produces these bytes.
//
// A sheet keeps one per formula cell, so both parts share one heap block
// (tokens, then extra data) and the object is a pointer and two sizes.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class CXlsFormulaTokens {
public:
    // The spreadsheet's limit on a compiled expression.
    static constexpr std::uint32_t kMaxTokenBytes = 1800;

    CXlsFormulaTokens() = default;
    CXlsFormulaTokens(const std::vector<std::uint8_t>& tokens,
                      const std::vector<std::uint8_t>& extra = {});
    CXlsFormulaTokens(const CXlsFormulaTokens& other);
    CXlsFormulaTokens& operator=(const CXlsFormulaTokens& other);
    CXlsFormulaTokens(CXlsFormulaTokens&&) noexcept = default;
    CXlsFormulaTokens& operator=(CXlsFormulaTokens&&) noexcept = default;

    // Views into the held block, valid until this object changes.
    std::span<const std::uint8_t> Tokens() const { return {m_bytes.get(), m_tokenSize}; }
    std::span<const std::uint8_t> Extra() const {
        return {m_bytes.get() + m_tokenSize, m_extraSize};
    }

    // Non-empty tokens of at most 1800 bytes, and tokens and extra data
    // small enough for one FORMULA record (and hence one ARRAY record).
    bool IsValid() const;

    bool operator==(const CXlsFormulaTokens& other) const;

private:
    void Assign(std::span<const std::uint8_t> tokens, std::span<const std::uint8_t> extra);

    std::unique_ptr<std::uint8_t[]> m_bytes;
    std::uint32_t m_tokenSize = 0;
    std::uint32_t m_extraSize = 0;
};
