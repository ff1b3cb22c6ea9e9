#include "model/CExcelWorkBook.h"

CExcelWorkBook::CExcelWorkBook() = default;

CExcelWorkBook::CExcelWorkBook(std::uint32_t start, std::uint32_t end) : CExcelWorkBook() {
    m_start = start;
    m_end = end;
}

CExcelWorkBook::~CExcelWorkBook() = default;

std::u16string CExcelWorkBook::GetSheetName(std::uint16_t index) const {
    return m_worksheets.GetSheetName(index);
}

const CExcelSheetFormulas* CExcelWorkBook::GetSheetFormulas(std::uint32_t index) const {
    return m_worksheets.GetAt(index);
}

std::uint32_t CExcelWorkBook::GetSheetNumber(const CExcelSheetFormulas* sheet) const {
    if (!sheet) return 0;
    std::uint32_t number = 0;
    for (const CExcelWorkSheet& own : m_worksheets) {
        ++number;
        if (static_cast<const CExcelSheetFormulas*>(&own) == sheet) return number;
    }
    return 0;
}
