#include "formula/CExcelFormulaStringResult.h"

#include "biff/CByteBuffer.h"

namespace {

constexpr std::uint32_t kCountSize = 2;
constexpr std::uint8_t kWide = 0x01;

}  // namespace

CExcelFormulaStringResult::CExcelFormulaStringResult(const std::vector<std::uint8_t>& stringData) {
    if (stringData.size() < kCountSize) return;
    m_count = CDataReader::GetU16(stringData.data());
    Take(stringData, kCountSize);
}

void CExcelFormulaStringResult::Continue(const std::vector<std::uint8_t>& continueData) {
    Take(continueData, 0);
}

void CExcelFormulaStringResult::Take(const std::vector<std::uint8_t>& data, std::uint32_t flagsAt) {
    if (data.size() <= flagsAt) return;
    const bool wide = (data[flagsAt] & kWide) != 0;
    const std::uint32_t width = wide ? 2 : 1;
    for (std::size_t at = flagsAt + 1; at + width <= data.size() && WantsMore(); at += width) {
        m_text.push_back(wide ? static_cast<char16_t>(CDataReader::GetU16(&data[at]))
                              : static_cast<char16_t>(data[at]));
    }
}

std::vector<std::uint8_t> CExcelFormulaStringResult::AsStringData() const {
    std::vector<std::uint8_t> data;
    data.reserve(kCountSize + 1 + 2 * m_text.size());
    data.push_back(static_cast<std::uint8_t>(m_text.size() & 0xFF));
    data.push_back(static_cast<std::uint8_t>(m_text.size() >> 8));
    data.push_back(kWide);
    for (const char16_t c : m_text) {
        data.push_back(static_cast<std::uint8_t>(c & 0xFF));
        data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return data;
}
