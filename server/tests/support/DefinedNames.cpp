#include "server/tests/support/DefinedNames.h"

#include "server/CXlsFormulaCompiler.h"

namespace testsupport {

bool AddDefinedName(CXlsWorkbook& book, const char16_t* text, const CXlsWorksheet* scope,
                    const char16_t* refersTo, bool hidden, EXlsNameMacro macro) {
    CXlsDefinedName name;
    name.text = text;
    name.scopeSheetId = scope ? scope->Id() : CXlsDefinedName::kWorkbookScope;
    name.hidden = hidden;
    name.macro = macro;
    CXlsFormulaCompiler compiler(book, scope);
    if (refersTo && !compiler.Compile(refersTo, EXlsFormulaKind::kName, name.formula)) return false;
    return book.Names().Set(name) != CXlsDefinedNames::kNotFound;
}

}  // namespace testsupport
