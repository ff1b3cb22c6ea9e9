// What the save puts for one whole cell format (one XF of the source), in
// the object model's values: NumberFormat text; HorizontalAlignment and
// VerticalAlignment constants, WrapText, Orientation (degrees or
// xlVertical), IndentLevel, ShrinkToFit; Locked and FormulaHidden; the
// Font (Size in points, Underline styles, ColorIndex 1-56 or -4105
// automatic); the Interior (ColorIndex, Pattern 0-18 as the file numbers
// them, PatternColorIndex); and Borders(1..6) with the file's line styles
// 0-13; the named style the cell is in (empty: Normal) and the attribute
// groups the XF holds as its own rather than its style's. A
// default-constructed value is a fresh cell's format.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct CXLCellFormat {
    static constexpr std::int16_t kAutomatic = -4105;
    static constexpr std::int16_t kHAlignGeneral = 1;
    static constexpr std::int16_t kVAlignBottom = -4107;
    static constexpr std::int16_t kUnderlineNone = -4142;
    // Borders(Index): left, right, top, bottom, diagonal down, diagonal up.
    static constexpr std::size_t kEdgeCount = 6;
    // Attribute groups, with the bits of an XF's used-attribute byte.
    static constexpr std::uint8_t kGroupNumber = 0x04;
    static constexpr std::uint8_t kGroupFont = 0x08;
    static constexpr std::uint8_t kGroupAlignment = 0x10;
    static constexpr std::uint8_t kGroupBorder = 0x20;
    static constexpr std::uint8_t kGroupPattern = 0x40;
    static constexpr std::uint8_t kGroupProtection = 0x80;
    static constexpr std::uint8_t kAllGroups = 0xFC;

    struct Font {
        std::u16string name = u"Arial";  // empty: not put
        double size = 10.0;
        bool bold = false;
        bool italic = false;
        std::int16_t underline = kUnderlineNone;
        bool strikethrough = false;
        bool superscript = false;
        bool subscript = false;
        std::int16_t colorIndex = kAutomatic;
        bool operator==(const Font&) const = default;
    };
    struct Interior {
        std::int16_t pattern = 0;  // 0: no fill, the colours are not put
        std::int16_t colorIndex = kAutomatic;
        std::int16_t patternColorIndex = kAutomatic;
        bool operator==(const Interior&) const = default;
    };
    struct Line {
        std::int16_t lineStyle = 0;
        std::int16_t colorIndex = kAutomatic;
        bool operator==(const Line&) const = default;
    };

    std::u16string numberFormat = u"General";
    std::int16_t horizontal = kHAlignGeneral;
    std::int16_t vertical = kVAlignBottom;
    bool wrap = false;
    std::int16_t orientation = 0;
    std::int16_t indent = 0;
    bool shrink = false;
    bool locked = true;
    bool formulaHidden = false;
    Font font;
    Interior interior;
    std::array<Line, kEdgeCount> lines{};
    std::u16string style;        // empty: Normal, not put
    std::uint8_t ownGroups = 0;  // group bits

    bool operator==(const CXLCellFormat&) const = default;
};

// What a cell shows once its named style is put on it: the style's values
// for the groups the style includes, a fresh cell's for the others.
struct CXLStyleBase {
    CXLCellFormat shown;
    std::uint8_t included = CXLCellFormat::kAllGroups;
};
