// Byte layout of the BIFF8 cell-level records of a worksheet substream and
// of the cell-range structures inside them. All integers are little-endian;
// rows and columns are 0-based as stored. Offsets count from the first byte
// of the record's payload (the byte after its 4-byte header).
#pragma once

#include <cstdint>

namespace biff8 {

// ---- Common head of every cell record ---------------------------------------
constexpr std::uint32_t kCellRow = 0;     // u16
constexpr std::uint32_t kCellColumn = 2;  // u16
constexpr std::uint32_t kCellXF = 4;      // u16 index into the workbook's XF records
// A sheet has 256 columns: a column past this one is no cell of the file.
constexpr std::uint16_t kLastColumn = 255;

// ---- NUMBER (0x0203): row, column, XF, f64 value ----------------------------
constexpr std::uint32_t kNumberValue = 6;
constexpr std::uint32_t kNumberSize = 14;

// ---- RK (0x027E): row, column, XF, u32 RK number ----------------------------
constexpr std::uint32_t kRkValue = 6;
constexpr std::uint32_t kRkSize = 10;

// RK number: a 30-bit value in bits 2-31 with two flags below it. Without
// the integer flag the 30 bits are the top of an IEEE double whose low 32
// bits are zero; with it they are a signed integer.
constexpr std::uint32_t kRkDivideBy100 = 0x01;
constexpr std::uint32_t kRkInteger = 0x02;
constexpr std::uint32_t kRkFlagBits = 0x03;
constexpr double kRkHundredFold = 100.0;  // with kRkDivideBy100: the value / 100

// ---- MULRK (0x00BD) ---------------------------------------------------------
// row u16, first column u16, one entry per column, last column u16 in the
// record's last 2 bytes. An entry is XF u16 then RK u32.
constexpr std::uint32_t kMulRkFirstColumn = 2;
constexpr std::uint32_t kMulRkFirstEntry = 4;
constexpr std::uint32_t kMulRkEntrySize = 6;
constexpr std::uint32_t kMulRkEntryXF = 0;
constexpr std::uint32_t kMulRkEntryRk = 2;
constexpr std::uint32_t kMulRkLastColumnSize = 2;  // u16 at payload size - 2
constexpr std::uint32_t kMulRkMinSize = 12;        // head, one entry, last column

// ---- LABELSST (0x00FD): row, column, XF, u32 index into the SST -------------
constexpr std::uint32_t kLabelSstIndex = 6;
constexpr std::uint32_t kLabelSstSize = 10;

// ---- BLANK (0x0201): row, column, XF ----------------------------------------
constexpr std::uint32_t kBlankSize = 6;

// ---- MULBLANK (0x00BE) ------------------------------------------------------
// row u16, first column u16, one XF u16 per column, last column u16 in the
// record's last 2 bytes.
constexpr std::uint32_t kMulBlankFirstXF = 4;
constexpr std::uint32_t kMulBlankMinSize = 8;

// ---- BOOLERR (0x0205): row, column, XF, value u8, is-error u8 ---------------
constexpr std::uint32_t kBoolErrValue = 6;    // boolean 0/1, or an error code
constexpr std::uint32_t kBoolErrIsError = 7;  // non-zero: the value is an error code
constexpr std::uint32_t kBoolErrSize = 8;
// OpenOffice Calc writes one byte of padding after the is-error flag.
constexpr std::uint32_t kBoolErrPaddedSize = 9;

// ---- ROW (0x0208) -----------------------------------------------------------
constexpr std::uint32_t kRowIndex = 0;            // u16
constexpr std::uint32_t kRowFirstColumn = 2;      // u16
constexpr std::uint32_t kRowLastColumnPlus1 = 4;  // u16
constexpr std::uint32_t kRowHeight = 6;           // u16, twips in bits 0-14
constexpr std::uint32_t kRowOptions = 12;         // u32, after two reserved u16
constexpr std::uint32_t kRowSize = 16;
constexpr std::uint16_t kRowHeightDefault = 0x8000;  // set: the row keeps the default height
constexpr std::uint16_t kRowHeightTwips = 0x7FFF;
constexpr std::uint32_t kRowHidden = 0x20;            // options bit 5
constexpr std::uint32_t kRowCustomHeightFlag = 0x40;  // options bit 6: height set by hand
constexpr std::uint32_t kRowHasDefaultFormat = 0x80;  // options bit 7
constexpr unsigned kRowDefaultXFShift = 16;           // options bits 16-27
constexpr std::uint32_t kRowDefaultXFMask = 0x0FFF;

// ---- COLINFO (0x007D) -------------------------------------------------------
constexpr std::uint32_t kColInfoFirstColumn = 0;  // u16
constexpr std::uint32_t kColInfoLastColumn = 2;   // u16
constexpr std::uint32_t kColInfoWidth = 4;        // u16, 1/256 of a character width
constexpr std::uint32_t kColInfoXF = 6;           // u16
constexpr std::uint32_t kColInfoOptions = 8;      // u16: hidden, outline level, collapsed
constexpr std::uint32_t kColInfoSize = 12;
// The last 2 bytes are reserved; some writers leave them out, or write one.
constexpr std::uint32_t kColInfoMinSize = 10;
constexpr std::uint16_t kColInfoHidden = 0x0001;  // options bit 0
// Width to pixels: width / 263 (written as the product with its double
// reciprocal) times 7 pixels per character, truncated.
constexpr double kColInfoWidthScale = 0.0038022813688212928;
constexpr double kColInfoPixelsPerCharacter = 7.0;

// ---- MERGEDCELLS (0x00E5): count u16, then count 8-byte ranges --------------
constexpr std::uint32_t kMergedCount = 0;
constexpr std::uint32_t kMergedFirstRange = 2;
constexpr std::uint32_t kMergedMinSize = 2;

// ---- QUICKTIP (0x0800): kept whole, not decoded -----------------------------
constexpr std::uint32_t kQuickTipMinSize = 10;

// ---- Cell ranges ------------------------------------------------------------
// Both forms: first row u16 at 0, last row u16 at 2, then the columns.
// 8-byte form (merged cells): first column u16 at 4, last column u16 at 6,
// of which only the low byte (columns 0-255) is taken.
// 6-byte form (TABLE): first column u8 at 4, last column u8 at 5.
constexpr std::uint32_t kRangeFirstRow = 0;
constexpr std::uint32_t kRangeLastRow = 2;
constexpr std::uint32_t kRangeFirstColumn = 4;
constexpr std::uint32_t kRange8LastColumn = 6;
constexpr std::uint32_t kRange8Size = 8;
constexpr std::uint32_t kRange6LastColumn = 5;
constexpr std::uint32_t kRange6Size = 6;

}  // namespace biff8
