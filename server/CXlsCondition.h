// One condition of a conditional format and the formatting it applies, as
// the CF record stores them. Kind 1 compares the cell's value with the
// formulas by the operator (1 between, 2 not between, 3 equal, 4 not
// equal, 5 greater, 6 less, 7 greater or equal, 8 less or equal); kind 2
// applies when formula 1 is true (operator 0). The formulas are in the
// records' relative form (CXlsRelativeFormula), based on the first cell of
// the format's range.
//
// The formatting is differential: a part without a value is left as the
// cell has it. Colours are the file's colour indices (8-63 the palette;
// 0x7FFF automatic for the font, 64 for lines and the pattern colour, 65
// for the fill colour); the font height is in twips, the underline a FONT
// record kind, line styles 0-13 and patterns 0-18 the file's numbers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "server/CXlsFormulaTokens.h"

struct CXlsConditionFormat {
    enum EEdge { kLeft = 0, kRight, kTop, kBottom, kEdgeCount };
    struct Line {
        std::uint8_t style = 0;
        std::uint8_t color = 64;
    };

    std::optional<std::uint16_t> fontHeight;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> strikeOut;
    std::optional<std::uint8_t> underline;
    std::optional<std::uint16_t> fontColor;
    std::array<std::optional<Line>, kEdgeCount> lines;
    std::optional<std::uint8_t> pattern;
    std::optional<std::uint8_t> patternColor;
    std::optional<std::uint8_t> fillColor;

    bool HasFont() const {
        return fontHeight || bold || italic || strikeOut || underline || fontColor;
    }
    bool HasLines() const { return lines[0] || lines[1] || lines[2] || lines[3]; }
    bool HasFill() const { return pattern || patternColor || fillColor; }
};

struct CXlsCondition {
    static constexpr std::uint8_t kCellValue = 1;
    static constexpr std::uint8_t kFormula = 2;

    std::uint8_t kind = kCellValue;
    std::uint8_t op = 0;
    CXlsFormulaTokens formula1;
    CXlsFormulaTokens formula2;
    CXlsConditionFormat format;
};
