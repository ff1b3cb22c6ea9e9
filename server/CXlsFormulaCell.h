// What a formula cell holds besides its format: the compiled formula and
// the result cached in the file for readers that do not calculate. The
// cells of an array formula hold no tokens of their own but the index of
// the sheet's array formula.
#pragma once

#include <bit>
#include <cstdint>

#include "server/CXlsCellValue.h"
#include "server/CXlsFormulaTokens.h"

class CXlsFormulaCell {
public:
    static constexpr std::uint32_t kNoArray = 0xFFFFFFFF;

    const CXlsFormulaTokens& Tokens() const { return m_tokens; }
    void SetTokens(const CXlsFormulaTokens& tokens) { m_tokens = tokens; }

    bool IsArrayPart() const { return m_arrayIndex != kNoArray; }
    std::uint32_t ArrayIndex() const { return m_arrayIndex; }
    void SetArrayIndex(std::uint32_t index) { m_arrayIndex = index; }

    // The cached result. kEmpty: the cell held no value when the formula
    // was put on it. A text result is a string pool id.
    EXlsValueKind CachedKind() const { return m_cachedKind; }
    // Each reads the payload as its kind keeps it; 0 for another kind.
    double CachedNumber() const {
        return m_cachedKind == EXlsValueKind::kNumber ? std::bit_cast<double>(m_cachedPayload)
                                                      : 0.0;
    }
    std::uint32_t CachedStringId() const {
        return m_cachedKind == EXlsValueKind::kText ? static_cast<std::uint32_t>(m_cachedPayload)
                                                    : 0;
    }
    std::uint8_t CachedCode() const {
        return m_cachedKind == EXlsValueKind::kBoolean || m_cachedKind == EXlsValueKind::kError
                   ? static_cast<std::uint8_t>(m_cachedPayload)
                   : 0;
    }
    void SetCachedEmpty() { SetCached(EXlsValueKind::kEmpty, 0); }
    void SetCachedNumber(double value) {
        SetCached(EXlsValueKind::kNumber, std::bit_cast<std::uint64_t>(value));
    }
    void SetCachedText(std::uint32_t stringId) { SetCached(EXlsValueKind::kText, stringId); }
    void SetCachedBoolean(bool value) { SetCached(EXlsValueKind::kBoolean, value ? 1 : 0); }
    void SetCachedError(std::uint8_t code) { SetCached(EXlsValueKind::kError, code); }

    // Back to an unused slot.
    void Reset() {
        m_tokens = CXlsFormulaTokens();
        m_arrayIndex = kNoArray;
        SetCachedEmpty();
    }

private:
    void SetCached(EXlsValueKind kind, std::uint64_t payload) {
        m_cachedKind = kind;
        m_cachedPayload = payload;
    }

    CXlsFormulaTokens m_tokens;
    // One payload for the cached result, as a cell keeps its value: the
    // double's bits, a string pool id, or a Boolean or error code.
    std::uint64_t m_cachedPayload = 0;
    std::uint32_t m_arrayIndex = kNoArray;
    EXlsValueKind m_cachedKind = EXlsValueKind::kEmpty;
};

// A sheet keeps one slot per formula cell, so a byte here is a byte a cell.
static_assert(sizeof(CXlsFormulaCell) <= sizeof(CXlsFormulaTokens) + 16,
              "formula slots are kept compact");
