// The formula of a defined name (a NAME record's tokens) as text, as the
// name's "refers to" shows it without the leading "=": Data!$A$1:$C$9,
// '[book.xls]Rates'!$B$2, 0.175, Sheet1!#REF!.
//
// The tokens are decoded with the name's own sheet as the formula's sheet
// (none for a workbook-level name), so that its sheet-level names print
// bare, and with no base cell: relative references print as stored, as the
// spreadsheet shows them from cell A1.
#pragma once

#include <string>

#include "formula/CExcelFormulaUnsound.h"

class CExcelRecordNAME;
class CExcelFormulaWorkbook;

class CExcelFormulaNameDefinition {
public:
    // True when name has tokens (the declared length is not zero). Names of
    // functions such as "_xlfn.IFERROR" and of macros may have none.
    static bool HasFormula(const CExcelRecordNAME& name);

    // The decoded text, and in *sound whether it is a faithful decode and
    // in *reason the first cause when not (either pointer may be null).
    // Tokens cut short by the end of the record are not sound.
    static std::u16string Text(const CExcelFormulaWorkbook& workbook, const CExcelRecordNAME& name,
                               bool* sound, CExcelFormulaUnsound::EReason* reason = nullptr);

    // Whether the tokens are exactly one reference-error token (ptgRefErr,
    // ptgAreaErr, ptgRefErr3d or ptgAreaErr3d, of any class): the name's
    // value is #REF! whatever sheet the token names.
    static bool IsReferenceError(const CExcelRecordNAME& name);
};
