// What a defined name stands for, as the object model's RefersTo gives it
// (Names.Add, Name.RefersTo): text starting with "=" is a formula, compiled
// as a name's formula on the name's sheet (CXlsFormulaCompiler, kName);
// other text is a text constant; a number or a Boolean is that constant.
#pragma once

#include <cstdint>
#include <string>

#include "platform/automation/CVariant.h"
#include "server/CXlsFormulaTokens.h"

class CXlsWorkbook;

class CXlsRefersTo {
public:
    // The tokens for `value` in a name of the sheet `scopeSheetId`
    // (CXlsDefinedName::kWorkbookScope for the workbook). False, with
    // `error` saying why, for a value of another kind or a formula the
    // compiler refuses. An empty text gives no tokens.
    static bool Compile(CXlsWorkbook& book, std::uint32_t scopeSheetId, const CVariant& value,
                        CXlsFormulaTokens& out, std::u16string& error);
};
