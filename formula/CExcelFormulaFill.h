// Whether a FORMULA record holds the formula of the record above it,
// filled one row down: every relative row one greater, everything else
// (tokens, absolute parts, columns, constants, names, sheets) the same. A
// column of such records decodes to texts that a fill of the first one's
// text gives, so the save can write all but the first as one filled range.
//
// Only formulas whose tokens decide their whole text take part: a record's
// own tokens, or the tokens of the SHRFMLA record its shared range holds.
// Array formulas, table cells, orphans, and tokens with extra data (array
// constants, ptgMem*) never continue a fill. A relative part of a shared
// formula that would wrap round the grid between the two rows does not
// continue it either: the fill would turn it into #REF!.
#pragma once

class CExcelFormulaWorkbook;
class CExcelRecordFormula;
class CExcelSheetFormulas;

class CExcelFormulaFill {
public:
    // Whether `below` is `above` filled down one row (same column, the next
    // row). Neither record is decoded: their tokens are compared where
    // their GetRole places them; either model may be null, as there. The
    // two decode alike but for their rows, so `below` has a text, and a
    // sound one, exactly when `above` has: a caller that decoded `above`
    // need not decode `below` to know.
    static bool ContinuesDown(const CExcelRecordFormula& above, const CExcelRecordFormula& below,
                              const CExcelFormulaWorkbook* workbook,
                              const CExcelSheetFormulas* worksheet);
};
