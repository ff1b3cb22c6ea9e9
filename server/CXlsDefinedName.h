// One defined name of a workbook: its text, where it is visible (the whole
// workbook or one sheet), its flags, and the formula it stands for. The
// object model's Names.Add makes them; the writer stores each as a NAME
// record, and formulas refer to a name by its 1-based position in the
// workbook's table (ptgName).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "server/CXlsFormulaTokens.h"

// What a name stands for besides a formula: the object model's MacroType.
enum class EXlsNameMacro : std::uint8_t {
    kNone,      // a name for a formula, a range or a constant
    kFunction,  // a macro or add-in function, called as Name(arguments)
    kCommand,   // a macro command
};

struct CXlsDefinedName {
    // Sheet ids start at 1, so 0 stands for the workbook.
    static constexpr std::uint32_t kWorkbookScope = 0;

    // As given; a built-in name by its English text (Print_Area).
    std::u16string text;
    // The id of the sheet the name belongs to (an id, not a position, so
    // that moving sheets keeps the name with its sheet), or kWorkbookScope.
    std::uint32_t scopeSheetId = kWorkbookScope;
    bool hidden = false;
    // The code of a built-in name (CXlsBuiltinNames), nothing for others.
    std::optional<std::uint8_t> builtinCode;
    EXlsNameMacro macro = EXlsNameMacro::kNone;
    // The character of a command's keyboard shortcut (Ctrl+key), 0 for none.
    std::uint8_t shortcutKey = 0;
    // Empty for a name without a formula (function and command names).
    CXlsFormulaTokens formula;
};
