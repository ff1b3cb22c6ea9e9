#include "records/CExcelRecordCF.h"

namespace {

constexpr std::uint8_t kLastOperator = 8;

}  // namespace

bool CExcelRecordCF::Decode(const std::uint8_t* payload, std::uint32_t n, CExcelRecordCF& out) {
    CExcelByteCursor cursor(payload, n);
    out = CExcelRecordCF();
    out.m_kind = cursor.U8();
    out.m_operator = cursor.U8();
    const std::uint16_t length1 = cursor.U16();
    const std::uint16_t length2 = cursor.U16();
    const bool knownKind =
        (out.m_kind == kCellValue && out.m_operator >= 1 && out.m_operator <= kLastOperator) ||
        out.m_kind == kFormula;
    return cursor.Ok() && knownKind && CExcelDifferentialFormat::Read(cursor, out.m_format) &&
           out.m_formula1.Read(cursor, length1) && out.m_formula2.Read(cursor, length2) &&
           cursor.Left() == 0;
}
