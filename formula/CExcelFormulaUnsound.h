// Why a formula decode is not a faithful text of its tokens: the first cause
// the decoder met, for diagnosis (the census tool) and reports. A decode
// with no recorded cause may still be unsound (a shared or array formula
// whose own tokens could not be found).
#pragma once

#include <cstdint>

class CExcelFormulaUnsound {
public:
    enum EReason : std::uint8_t {
        None,
        DeletedFormula,    // the length field marks the tokens as gone
        CutShort,          // the length or a token's operand runs past the record
        UnknownToken,      // a byte that is no token, or a token we cannot print
        MissingOperands,   // an operator or function found fewer operands than it takes
        ExtraOperands,     // more than one operand left at the end
        UnresolvedName,    // a ptgName or ptgNameX that names nothing printable
        UnresolvedSheet,   // a 3-D reference whose sheets cannot be named
        NoExternSheet,     // a 3-D reference in a workbook without EXTERNSHEET
        UnnamedFunction,   // a function index with no name in the function table
        MacroCommand,      // a command-equivalent call, only valid on macro sheets
        GuessedArguments,  // a fixed-argument call of a function with a variable count
        NotACallee,        // a function-255 call whose first operand is no name
        DataTable,         // a data table cell: its text is for display
        BadConstant,       // a number that is not finite, an unknown error code, a nil element
        EmptyText,         // nothing could be decoded
    };

    // A short English text for a reason ("unresolved sheet"); empty for None.
    static const char* Text(EReason reason);
};
