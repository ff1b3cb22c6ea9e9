// What a formula cell holds besides its format: the compiled formula and
// the result cached in the file for readers that do not calculate. The
// cells of an array formula hold no tokens of their own but the index of
// the sheet's array formula.
#pragma once

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
    double CachedNumber() const { return m_cachedNumber; }
    std::uint32_t CachedStringId() const { return m_cachedStringId; }
    std::uint8_t CachedCode() const { return m_cachedCode; }
    void SetCachedEmpty() { SetCached(EXlsValueKind::kEmpty, 0.0, 0, 0); }
    void SetCachedNumber(double value) { SetCached(EXlsValueKind::kNumber, value, 0, 0); }
    void SetCachedText(std::uint32_t stringId) {
        SetCached(EXlsValueKind::kText, 0.0, stringId, 0);
    }
    void SetCachedBoolean(bool value) { SetCached(EXlsValueKind::kBoolean, 0.0, 0, value ? 1 : 0); }
    void SetCachedError(std::uint8_t code) { SetCached(EXlsValueKind::kError, 0.0, 0, code); }

    // Back to an unused slot.
    void Reset() {
        m_tokens = CXlsFormulaTokens();
        m_arrayIndex = kNoArray;
        SetCachedEmpty();
    }

  private:
    void SetCached(EXlsValueKind kind, double number, std::uint32_t stringId, std::uint8_t code) {
        m_cachedKind = kind;
        m_cachedNumber = number;
        m_cachedStringId = stringId;
        m_cachedCode = code;
    }

    CXlsFormulaTokens m_tokens;
    std::uint32_t m_arrayIndex = kNoArray;
    EXlsValueKind m_cachedKind = EXlsValueKind::kEmpty;
    std::uint8_t m_cachedCode = 0;
    std::uint32_t m_cachedStringId = 0;
    double m_cachedNumber = 0.0;
};
