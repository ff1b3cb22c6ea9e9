// A formula argument of a rule (Validation.Add, FormatConditions.Add):
// text that starts with "=" is compiled for the first cell of the rule's
// range, other text as if it had the "=", and the result is turned into
// the relative form DV and CF records keep (CXlsRelativeFormula).
#pragma once

#include <cstddef>

#include "server/CXlsFormulaTokens.h"
#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsRuleFormula {
public:
    // Compiles the text argument at `position` into `out`. An absent
    // argument gives DISP_E_PARAMNOTOPTIONAL; a refused formula (the
    // compiler's reason, a reference to another sheet, an array constant)
    // raises the refusal.
    static HRESULT Compile(CDispatchCall& call, std::size_t position, const CXlsRangeTarget& target,
                           bool listSource, CXlsFormulaTokens& out);
};
