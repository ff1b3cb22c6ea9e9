// FORMULA record (0x0006) of a worksheet, with the SHRFMLA or ARRAY record
// and the STRING record that directly followed it; an element of the
// worksheet's formula list.
//
// Record data as kept:
//   offset 0   u16  row
//   offset 2   u16  column
//   offset 4   u16  XF index
//   offset 6   8    cached result (a double, or a tagged kind when bytes
//                   12-13 of the record are FF FF)
//   offset 14  u16  option flags
//   offset 16  u32  chn (not kept)
//   offset 20  u16  token length (cce), then the tokens and extra data
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelWorkBook;
class CExcelWorkSheet;

enum FormulaResultType : std::uint32_t {
    FormulaResultString = 0,
    FormulaResultBoolean = 1,
    FormulaResultError = 2,
    FormulaResultEmpty = 3,
    FormulaResultNumber = 4,
};

class CExcelRecordFormula : public CTListNode<CExcelRecordFormula> {
public:
    static constexpr std::uint32_t kFixedSize = 20;

    // From the record data (length >= kFixedSize; the caller checks).
    CExcelRecordFormula(const std::uint8_t* data, std::uint32_t length);
    CExcelRecordFormula(const CExcelRecordFormula&) = delete;
    CExcelRecordFormula& operator=(const CExcelRecordFormula&) = delete;
    virtual ~CExcelRecordFormula();
};
