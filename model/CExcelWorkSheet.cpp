#include "model/CExcelWorkSheet.h"

CExcelWorkSheet::CExcelWorkSheet() = default;

CExcelWorkSheet::~CExcelWorkSheet() = default;

std::u16string CExcelWorkSheet::GetName() const {
    return m_name.empty() ? std::u16string(u"unnamed") : m_name;
}
