// The formatting block (DXFN) of a CF record, decoded into the parts a
// condition can set through the object model: the font's height, weight,
// italic, strike-out, underline and colour, the four border lines, and the
// fill's pattern, pattern colour and colour. A part the block leaves out
// (its "not included" flag set, or a value meaning unset) has no value.
//
// Layout: u32 flags, u16 flags, then as the flags say the number format
// block, the font block (118 bytes), alignment (8), borders (8), pattern
// (4) and protection (2). Flags (first word): bits 10-13 the left, right,
// top and bottom lines not included, bit 16 pattern style, bit 17 pattern
// colour, bit 18 fill colour not included; bits 25-30 which blocks follow
// (number format, font, alignment, borders, pattern, protection). Second
// word: bit 0, the number format is a user format (u16 byte size of the
// block, then its text) rather than a built-in index (2 bytes).
//
// Font block, offsets from its start: 64 i32 height in twips (-1 unset);
// 68 u32 style (bit 1 italic, bit 7 strike-out); 72 u16 weight; 76 u8
// underline; 80 i32 colour (-1 unset); 88 u32 style not included (bit 1
// italic, bit 7 strike-out); 96 u32 underline not included; 100 u32 weight
// not included.
//
// Borders: u32 (bits 0-15 the left, right, top, bottom line styles, 4
// each; bits 16-22 left colour, 23-29 right colour), u32 (bits 0-6 top
// colour, 7-13 bottom colour). Pattern: u16 (bits 10-15 the pattern), u16
// (bits 0-6 the pattern colour, 7-13 the fill colour). Colours are the
// file's colour indices.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "records/CExcelByteCursor.h"

struct CExcelDifferentialFormat {
    enum EEdge { kLeft = 0, kRight, kTop, kBottom, kEdgeCount };
    struct Line {
        std::uint8_t style = 0;
        std::uint8_t color = 0;
    };

    std::optional<std::uint32_t> fontHeight;  // twips
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> strikeOut;
    std::optional<std::uint8_t> underline;  // the FONT record's kinds
    std::optional<std::uint16_t> fontColor;
    std::array<std::optional<Line>, kEdgeCount> lines;
    std::optional<std::uint8_t> pattern;
    std::optional<std::uint8_t> patternColor;
    std::optional<std::uint8_t> fillColor;

    // Reads the block at the cursor; false (the cursor failed) when a block
    // the flags announce does not fit.
    static bool Read(CExcelByteCursor& cursor, CExcelDifferentialFormat& out);
};
