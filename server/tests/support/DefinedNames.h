// Defined names for test workbooks, made as the server's Names.Add makes
// them: the formula compiled as a name's formula on its scope sheet.
#pragma once

#include "server/CXlsDefinedName.h"
#include "server/CXlsWorkbook.h"
#include "server/CXlsWorksheet.h"

namespace testsupport {

// Sets the name `text` of `scope` (null: the whole workbook), with the
// compiled `refersTo` (null: no formula). False when the compiler refuses
// the formula or the name table refuses the name.
bool AddDefinedName(CXlsWorkbook& book, const char16_t* text, const CXlsWorksheet* scope,
                    const char16_t* refersTo, bool hidden, EXlsNameMacro macro);

}  // namespace testsupport
