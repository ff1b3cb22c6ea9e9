#include "records/CExcelRecordLABEL.h"

#include <utility>

CExcelRecordLABEL::CExcelRecordLABEL(std::uint16_t row, std::uint16_t column,
                                     std::uint16_t xfIndex, std::u16string text)
    : m_row(row), m_column(column), m_xfIndex(xfIndex), m_text(std::move(text)) {}
