// The built-in worksheet functions of BIFF8 formulas, by their 16-bit
// function index (the index that ptgFunc and ptgFuncVar tokens carry).
//
// 512 rows, indices 0 to 511. A filled row holds the function's name as the
// spreadsheet prints it (upper case, no prefix, at most 23 characters) and its
// smallest and largest argument counts; the two are equal for a function with
// a fixed argument count. Rows of macro-sheet-only functions, of unused
// indices and all rows from 368 up are empty: empty name, both counts 0.
//
// Static read-only data: every member may be called from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct CExcelFunctionTable {
    static constexpr std::uint32_t kRowCount = 512;
    static constexpr std::uint32_t kMaxNameLength = 23;

    // The row's name; empty for an empty row and for index >= kRowCount.
    static std::u16string GetName(std::uint32_t index);
    // The row's argument counts; 0 for an empty row and for index >= kRowCount.
    // A fixed-argument call token consumes GetMaxArgs operands.
    static std::uint8_t GetMinArgs(std::uint32_t index);
    static std::uint8_t GetMaxArgs(std::uint32_t index);
    // The index of the non-empty row whose name equals name, compared without
    // regard to ASCII case ("sum", "Sum" and "SUM" all give 4); -1 when there
    // is none (an empty name included).
    static int FindByName(std::u16string_view name);
};
