// The sheet's units turned into the pixels the preview grid draws, at
// 96 dots per inch, as a spreadsheet shows them on such a screen.
//
// - Font heights and row heights are in twips (1/20 point; a point is
//   4/3 pixel): pixels = twips / 15, rounded to the nearest.
// - Column widths (COLINFO, STANDARDWIDTH) are in 1/256 of the width of the
//   digit "0" of the workbook's default font (FONT record 0), the cell's
//   padding included; the digit width comes from the caller (7 pixels for
//   Arial 10).
// - DEFCOLWIDTH gives whole characters without the padding.
#pragma once

class CGridUnits {
public:
    // The digit width of Arial 10 at 96 dots per inch, taken when nothing
    // better is known.
    static constexpr int kDefaultDigitWidth = 7;
    // DEFCOLWIDTH's value when a sheet has none.
    static constexpr int kDefaultColumnCharacters = 8;

    // Twips to pixels, rounded; 0 for 0 or less.
    static int TwipsToPixels(int twips);
    // A width in 1/256 of a digit to pixels: (width + 128 / digit) x digit
    // / 256, each step truncated; 2340 (8.43 characters) is 64 pixels for a
    // 7-pixel digit. A digit width below 1 counts as the default.
    static int ColumnPixels(int width256, int digitWidth);
    // DEFCOLWIDTH's characters to pixels: characters x digit + 5 pixels of
    // padding and grid line, rounded up to a multiple of 8 (8 characters of
    // a 7-pixel digit: 61, shown as 64).
    static int DefaultColumnPixels(int characters, int digitWidth);
};
