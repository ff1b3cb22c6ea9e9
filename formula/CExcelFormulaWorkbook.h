// The workbook as the formula decoder sees it: the global tables, and its
// sheets as the places a formula may be decoded in. A ptgName's NAME may
// belong to one sheet (its 1-based sheet index), and a NAME's own formula
// is decoded in the sheet that owns it.
//
// The sheets are kept above the formula layer: CExcelWorkBook implements
// this class over its sheet list.
#pragma once

#include <cstdint>

#include "records/CExcelWorkbookGlobals.h"

class CExcelSheetFormulas;

class CExcelFormulaWorkbook : public CExcelWorkbookGlobals {
public:
    // The formulas of the workbook's sheet number index (from 0), or null
    // when there is none.
    virtual const CExcelSheetFormulas* GetSheetFormulas(std::uint32_t index) const = 0;
    // The 1-based position of sheet among the workbook's sheets (the
    // numbering of a NAME record's sheet index); 0 for null or a sheet of
    // another workbook.
    virtual std::uint32_t GetSheetNumber(const CExcelSheetFormulas* sheet) const = 0;
};
