// CF record (0x01B1): one condition of a conditional format and the
// formatting it applies.
//
// Payload: u8 kind (1: the cell's value compared with the formulas, 2: a
// formula that is true), u8 operator (for kind 1: 1 between, 2 not between,
// 3 equal, 4 not equal, 5 greater, 6 less, 7 greater or equal, 8 less or
// equal), u16 token length of formula 1 and of formula 2, the formatting
// block (CExcelDifferentialFormat), the tokens of formula 1, then of
// formula 2. Relative references are ptgRefN / ptgAreaN offsets from the
// cell the condition is tested on.
//
// A record is decoded only whole: a known kind, an operator of its kind,
// every block and both formulas inside its bytes, and nothing after them
// (a block misread would leave bytes over or run short).
#pragma once

#include <cstdint>

#include "records/CExcelDifferentialFormat.h"
#include "records/CExcelStoredFormula.h"

class CExcelRecordCF {
public:
    static constexpr std::uint8_t kCellValue = 1;
    static constexpr std::uint8_t kFormula = 2;

    // False for a record that is not whole; out is then not to be used.
    static bool Decode(const std::uint8_t* payload, std::uint32_t n, CExcelRecordCF& out);

    std::uint8_t GetKind() const { return m_kind; }
    std::uint8_t GetOperator() const { return m_operator; }
    const CExcelStoredFormula& GetFormula1() const { return m_formula1; }
    const CExcelStoredFormula& GetFormula2() const { return m_formula2; }
    const CExcelDifferentialFormat& GetFormat() const { return m_format; }

private:
    std::uint8_t m_kind = 0;
    std::uint8_t m_operator = 0;
    CExcelStoredFormula m_formula1;
    CExcelStoredFormula m_formula2;
    CExcelDifferentialFormat m_format;
};
