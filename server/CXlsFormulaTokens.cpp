#include "server/CXlsFormulaTokens.h"

#include <algorithm>
#include <cstring>

#include "server/XlsRecordLayout.h"

CXlsFormulaTokens::CXlsFormulaTokens(const std::vector<std::uint8_t>& tokens,
                                     const std::vector<std::uint8_t>& extra) {
    Assign(tokens, extra);
}

CXlsFormulaTokens::CXlsFormulaTokens(const CXlsFormulaTokens& other) {
    Assign(other.Tokens(), other.Extra());
}

CXlsFormulaTokens& CXlsFormulaTokens::operator=(const CXlsFormulaTokens& other) {
    if (this != &other) Assign(other.Tokens(), other.Extra());
    return *this;
}

CXlsFormulaTokens::CXlsFormulaTokens(CXlsFormulaTokens&& other) noexcept {
    Steal(other);
}

CXlsFormulaTokens& CXlsFormulaTokens::operator=(CXlsFormulaTokens&& other) noexcept {
    if (this != &other) {
        Release();
        Steal(other);
    }
    return *this;
}

void CXlsFormulaTokens::Assign(std::span<const std::uint8_t> tokens,
                               std::span<const std::uint8_t> extra) {
    // The new bytes are copied before the old are let go: either may be a
    // view into this object's own bytes.
    const std::size_t total = tokens.size() + extra.size();
    std::uint8_t staged[kInline] = {};
    std::uint8_t* heap = total > kInline ? new std::uint8_t[total] : nullptr;
    std::uint8_t* to = heap ? heap : staged;
    std::copy(tokens.begin(), tokens.end(), to);
    std::copy(extra.begin(), extra.end(), to + tokens.size());
    Release();
    // The sizes are those of our own compiler's output, far below 32 bits.
    m_tokenSize = static_cast<std::uint32_t>(tokens.size());
    m_extraSize = static_cast<std::uint32_t>(extra.size());
    if (heap) {
        m_heap = heap;
    } else {
        std::memcpy(m_inline, staged, total);
    }
}

void CXlsFormulaTokens::Release() {
    if (OnHeap()) delete[] m_heap;
    m_tokenSize = 0;
    m_extraSize = 0;
}

void CXlsFormulaTokens::Steal(CXlsFormulaTokens& other) noexcept {
    m_tokenSize = other.m_tokenSize;
    m_extraSize = other.m_extraSize;
    if (other.OnHeap()) {
        m_heap = other.m_heap;
    } else {
        std::memcpy(m_inline, other.m_inline, kInline);
    }
    other.m_tokenSize = 0;
    other.m_extraSize = 0;
}

bool CXlsFormulaTokens::operator==(const CXlsFormulaTokens& other) const {
    return std::ranges::equal(Tokens(), other.Tokens()) &&
           std::ranges::equal(Extra(), other.Extra());
}

bool CXlsFormulaTokens::IsValid() const {
    if (m_tokenSize == 0 || m_tokenSize > kMaxTokenBytes) return false;
    // The FORMULA record has the longer fixed part of the two records that
    // may carry these bytes.
    return xlsw::kFormulaTokens + Size() <= xlsw::kMaxRecordBody;
}
