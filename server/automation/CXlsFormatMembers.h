// The format members a range and a named style share: NumberFormat,
// HorizontalAlignment and VerticalAlignment (xlHAlign* / xlVAlign*),
// WrapText, Orientation (degrees -90 to 90, xlHorizontal, xlUpward,
// xlDownward, xlVertical), IndentLevel (0-15), ShrinkToFit, Locked and
// FormulaHidden. A get reports the target's top-left format; a put changes
// every cell of the target (which then holds the member's group as its
// own) or the style.
#pragma once

#include "platform/automation/CDispatchCall.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsFormatMembers {
public:
    static HRESULT NumberFormat(const CXlsRangeTarget& target, CDispatchCall& call);
    static HRESULT HorizontalAlignment(const CXlsRangeTarget& target, CDispatchCall& call);
    static HRESULT VerticalAlignment(const CXlsRangeTarget& target, CDispatchCall& call);
    static HRESULT WrapText(const CXlsRangeTarget& target, CDispatchCall& call);
    static HRESULT Orientation(const CXlsRangeTarget& target, CDispatchCall& call);
    static HRESULT IndentLevel(const CXlsRangeTarget& target, CDispatchCall& call);
    static HRESULT ShrinkToFit(const CXlsRangeTarget& target, CDispatchCall& call);
    static HRESULT Locked(const CXlsRangeTarget& target, CDispatchCall& call);
    static HRESULT FormulaHidden(const CXlsRangeTarget& target, CDispatchCall& call);
};
