// A formula in its compiled form, as the FORMULA and ARRAY records hold it:
// the parsed-expression tokens (rgce) and the extra data that some tokens
// keep after the expression (the values of array constants). The model does
// not look inside; the formula compiler produces these bytes.
//
// A sheet keeps one per formula cell, so both parts are kept as one run of
// bytes (tokens, then extra data): inside the object when they fit, as most
// cell formulas do, else in one heap block.
#pragma once

#include <cstdint>
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
    CXlsFormulaTokens(CXlsFormulaTokens&& other) noexcept;
    CXlsFormulaTokens& operator=(CXlsFormulaTokens&& other) noexcept;
    ~CXlsFormulaTokens() { Release(); }

    // Views into the held bytes, valid until this object changes or moves.
    std::span<const std::uint8_t> Tokens() const { return {Bytes(), m_tokenSize}; }
    std::span<const std::uint8_t> Extra() const { return {Bytes() + m_tokenSize, m_extraSize}; }

    // Non-empty tokens of at most 1800 bytes, and tokens and extra data
    // small enough for one FORMULA record (and hence one ARRAY record).
    bool IsValid() const;

    bool operator==(const CXlsFormulaTokens& other) const;

private:
    // Bytes kept in the object itself: the tokens of most cell formulas.
    static constexpr std::size_t kInline = 24;

    std::size_t Size() const { return std::size_t{m_tokenSize} + m_extraSize; }
    bool OnHeap() const { return Size() > kInline; }
    const std::uint8_t* Bytes() const { return OnHeap() ? m_heap : m_inline; }
    void Assign(std::span<const std::uint8_t> tokens, std::span<const std::uint8_t> extra);
    void Release();
    // Takes other's bytes and leaves it empty.
    void Steal(CXlsFormulaTokens& other) noexcept;

    union {
        std::uint8_t m_inline[kInline] = {};
        std::uint8_t* m_heap;
    };
    std::uint32_t m_tokenSize = 0;
    std::uint32_t m_extraSize = 0;
};
