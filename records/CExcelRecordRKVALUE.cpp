#include "records/CExcelRecordRKVALUE.h"

#include <cstring>

#include "records/CExcelCellNumberFormat.h"
#include "records/CellRecordLayout.h"

CExcelRecordRKVALUE::CExcelRecordRKVALUE(std::uint16_t row, std::uint16_t column,
                                         std::uint16_t xfIndex, std::uint32_t rk)
    : m_row(row), m_column(column), m_xfIndex(xfIndex), m_rk(rk) {}

double CExcelRecordRKVALUE::DecodeRK(std::uint32_t rk) {
    double value;
    if (rk & biff8::kRkInteger) {
        // Converting to int32 first makes the shift arithmetic (C++20 defines
        // both the conversion and the right shift of a negative number).
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        const std::uint64_t bits = static_cast<std::uint64_t>(rk & ~biff8::kRkFlagBits) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    // Divided, not multiplied by 0.01: the writer stored the number times 100
    // and means the quotient (330 / 100 is the 3.3 typed in; 330 * 0.01 is
    // 3.3000000000000003).
    if (rk & biff8::kRkDivideBy100) value /= biff8::kRkHundredFold;
    return value;
}

std::uint16_t CExcelRecordRKVALUE::GetFormatIndex(const CExcelWorkbookGlobals& workbook) const {
    return CExcelCellNumberFormat::GetFormatIndex(workbook, m_xfIndex);
}
