#include "server/automation/CXlsRuleFormula.h"

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsRelativeFormula.h"
#include "server/automation/XlsAutomationConstants.h"

HRESULT CXlsRuleFormula::Compile(CDispatchCall& call, std::size_t position,
                                 const CXlsRangeTarget& target, bool listSource,
                                 CXlsFormulaTokens& out) {
    std::u16string text;
    if (HRESULT status = call.ArgText(position, text); Failed(status)) return status;
    if (text.empty() || text.front() != u'=') text.insert(text.begin(), u'=');
    CXlsFormulaTokens compiled;
    CXlsFormulaCompiler compiler(target.document->Book());
    if (!compiler.Compile(text, EXlsFormulaKind::kCell, compiled)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"The formula is not valid: " + compiler.ErrorText());
    }
    if (!CXlsRelativeFormula::Convert(compiled, target.range.FirstRow(), target.range.FirstColumn(),
                                      listSource, out)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"A rule cannot refer to other sheets or hold array constants.");
    }
    return S_OK;
}
