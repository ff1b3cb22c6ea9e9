// The text of a ptgNameX token: a name reached through a REF entry (which
// gives the SUPBOOK) and a 1-based name index.
//
// What the index counts depends on the SUPBOOK: for the add-in SUPBOOK the
// EXTERNNAMEs that follow it (add-in functions such as NETWORKDAYS); for
// this workbook's own SUPBOOK its NAME records (as a ptgName index does);
// for another workbook the EXTERNNAMEs that follow its SUPBOOK, each a name
// of that workbook or of one of its sheets.
#pragma once

#include <cstdint>
#include <string>

class CExcelFormulaWorkbook;
class CExcelSheetFormulas;

class CExcelFormulaExternName {
public:
    enum EResult {
        AddInFunction,  // text is the function's name, as typed
        OwnName,        // text as CExcelFormulaNameText gives a defined name
        OtherBookName,  // '[book.xls]'!Rates or '[book.xls]Sheet1'!Rates
        Unresolved,     // text is the bare name when there is one, else empty
    };

    // worksheet: the sheet the formula belongs to (or null when unknown).
    static EResult Text(const CExcelFormulaWorkbook* workbook, const CExcelSheetFormulas* worksheet,
                        std::uint16_t refIndex, std::uint16_t nameIndex, std::u16string& text);
};
