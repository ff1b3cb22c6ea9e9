// The number formats every reader knows by index (0-22, 37-49), so that a
// cell format using one needs no FORMAT record, and the eight currency and
// accounting formats (5-8, 41-44) whose FORMAT records the spreadsheet
// always writes because their text depends on the country.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

class CXlsBuiltinNumberFormats {
public:
    // The built-in index of a format text, matched exactly, or nothing: a
    // workbook's own "M/D/YYYY" is a format of its own.
    static std::optional<std::uint16_t> IndexOf(std::u16string_view text);
    // The text of a built-in index; empty for indices that have none.
    static std::u16string_view TextOf(std::uint16_t index);
    // True for 5-8 and 41-44.
    static bool IsAlwaysWritten(std::uint16_t index);
};
