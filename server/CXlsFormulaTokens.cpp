#include "server/CXlsFormulaTokens.h"

#include <algorithm>

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

void CXlsFormulaTokens::Assign(std::span<const std::uint8_t> tokens,
                               std::span<const std::uint8_t> extra) {
    // The sizes are those of our own compiler's output, far below 32 bits.
    const std::size_t total = tokens.size() + extra.size();
    std::unique_ptr<std::uint8_t[]> bytes;
    if (total != 0) {
        bytes = std::make_unique_for_overwrite<std::uint8_t[]>(total);
        std::copy(tokens.begin(), tokens.end(), bytes.get());
        std::copy(extra.begin(), extra.end(), bytes.get() + tokens.size());
    }
    m_bytes = std::move(bytes);
    m_tokenSize = static_cast<std::uint32_t>(tokens.size());
    m_extraSize = static_cast<std::uint32_t>(extra.size());
}

bool CXlsFormulaTokens::operator==(const CXlsFormulaTokens& other) const {
    return std::ranges::equal(Tokens(), other.Tokens()) &&
           std::ranges::equal(Extra(), other.Extra());
}

bool CXlsFormulaTokens::IsValid() const {
    if (m_tokenSize == 0 || m_tokenSize > kMaxTokenBytes) return false;
    // The FORMULA record has the longer fixed part of the two records that
    // may carry these bytes.
    return xlsw::kFormulaTokens + std::size_t{m_tokenSize} + m_extraSize <= xlsw::kMaxRecordBody;
}
