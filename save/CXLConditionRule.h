// What the save passes for one condition of a conditional format: the
// arguments of FormatConditions.Add (Type 1 the cell's value compared by
// Operator 1-8, Type 2 an expression; formulas as "=..." text, formula 2
// empty when there is none) and the formatting it applies in the object
// model's values (ColorIndex 1-56 or -4105 automatic, Underline styles,
// Size in points, the file's line styles 0-13 and fill patterns 0-18).
// A part without a value is left to the cell and not put.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct CXLConditionRule {
    // The sides in the order Borders(Index) is put: left, right, top, bottom.
    static constexpr std::array<std::int16_t, 4> kSides = {-4131, -4152, -4160, -4107};
    struct Line {
        std::int16_t lineStyle = 0;
        std::int16_t colorIndex = -4105;
    };

    std::int16_t type = 1;
    std::int16_t op = 1;
    std::u16string formula1;
    std::u16string formula2;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> strikethrough;
    std::optional<std::int16_t> underline;
    std::optional<std::int16_t> fontColorIndex;
    std::optional<double> fontSize;
    std::array<std::optional<Line>, 4> lines;
    std::optional<std::int16_t> fillColorIndex;
    std::optional<std::int16_t> pattern;
    std::optional<std::int16_t> patternColorIndex;
};
