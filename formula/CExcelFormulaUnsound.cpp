#include "formula/CExcelFormulaUnsound.h"

#include <iterator>

namespace {

constexpr const char* kTexts[] = {
    "",                              // None
    "deleted formula",               // DeletedFormula
    "tokens cut short",              // CutShort
    "unknown token",                 // UnknownToken
    "operands missing",              // MissingOperands
    "operands left over",            // ExtraOperands
    "unresolved name",               // UnresolvedName
    "unresolved sheet",              // UnresolvedSheet
    "no EXTERNSHEET table",          // NoExternSheet
    "function without a name",       // UnnamedFunction
    "macro command",                 // MacroCommand
    "argument count guessed",        // GuessedArguments
    "function-255 call of no name",  // NotACallee
    "data table",                    // DataTable
    "constant without a text",       // BadConstant
    "empty text",                    // EmptyText
};
static_assert(std::size(kTexts) == CExcelFormulaUnsound::EmptyText + 1);

}  // namespace

const char* CExcelFormulaUnsound::Text(EReason reason) {
    return reason < std::size(kTexts) ? kTexts[reason] : "";
}
