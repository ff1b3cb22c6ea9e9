// Byte layout of a BIFF8 parsed formula: the length field, the token ids
// (ptgs) with their fixed operand sizes, the bits of reference fields and
// the extra-data structures that follow the tokens. All integers are
// little-endian. Offsets inside a token count from the byte after its id.
//
//   offset 0       u16  cce: byte count of the tokens
//   offset 2       cce  the tokens, in reverse Polish order
//   offset 2+cce   ..   extra data, read in token order by ptgArray (an array
//                       constant) and ptgMemArea (its cached rectangles)
#pragma once

#include <cstdint>

namespace biff8 {

// ---- Length field -------------------------------------------------------------
constexpr std::uint32_t kFormulaLengthSize = 2;  // u16 cce
constexpr std::uint32_t kFormulaLengthHighByte = 1;
// A high byte of 0x40 marks a formula whose tokens are gone; no BIFF8
// formula is 0x4000 bytes long, so the value cannot be a real length.
constexpr std::uint8_t kFormulaDeletedMarker = 0x40;

// Where the length field sits in the companion records of a FORMULA record.
constexpr std::uint32_t kShrFmlaFormulaOffset = 8;  // SHRFMLA: range (6), reserved, use count
constexpr std::uint32_t kArrayFormulaOffset = 12;   // ARRAY: range (6), options (2), chn (4)

// ---- Token ids ------------------------------------------------------------------
// Ids 0x01-0x1F have no class. From 0x20 on an id is a base id (0x20-0x3F)
// plus a class: +0x00 reference, +0x20 value, +0x40 array. 0x80 and up are
// not tokens.
constexpr std::uint8_t kPtgClassless = 0x20;  // ids below this have no class
constexpr std::uint8_t kPtgClassMask = 0x60;
constexpr std::uint8_t kPtgBaseMask = 0x1F;
constexpr std::uint8_t kPtgClassReference = 0x20;
constexpr std::uint8_t kPtgClassValue = 0x40;
constexpr std::uint8_t kPtgClassArray = 0x60;
constexpr std::uint8_t kPtgLastToken = 0x7F;

constexpr std::uint8_t kPtgExp = 0x01;    // u16 row, u16 column of the shared cell
constexpr std::uint8_t kPtgTbl = 0x02;    // u16 row, u16 column of the table's first cell
constexpr std::uint8_t kPtgAdd = 0x03;    // binary operators 0x03-0x11, in this order:
constexpr std::uint8_t kPtgRange = 0x11;  // + - * / ^ & < <= = >= > <> isect union range
constexpr std::uint8_t kPtgUplus = 0x12;
constexpr std::uint8_t kPtgUminus = 0x13;
constexpr std::uint8_t kPtgPercent = 0x14;
constexpr std::uint8_t kPtgParen = 0x15;
constexpr std::uint8_t kPtgMissArg = 0x16;
constexpr std::uint8_t kPtgStr = 0x17;     // u8 cch, u8 flags, characters
constexpr std::uint8_t kPtgExtend = 0x18;  // extended tokens; not found in cell formulas
constexpr std::uint8_t kPtgAttr = 0x19;    // u8 kind, then by kind (below)
constexpr std::uint8_t kPtgErr = 0x1C;     // u8 error code
constexpr std::uint8_t kPtgBool = 0x1D;    // u8
constexpr std::uint8_t kPtgInt = 0x1E;     // u16, unsigned
constexpr std::uint8_t kPtgNum = 0x1F;     // f64

// Base ids of the classed tokens (reference class).
constexpr std::uint8_t kPtgArray = 0x20;      // 7 unused bytes; the constant is extra data
constexpr std::uint8_t kPtgFunc = 0x21;       // u16 function index
constexpr std::uint8_t kPtgFuncVar = 0x22;    // u8 argument count, u16 function index
constexpr std::uint8_t kPtgName = 0x23;       // u16 1-based NAME index, u16 unused
constexpr std::uint8_t kPtgRef = 0x24;        // u16 row, u16 column field
constexpr std::uint8_t kPtgArea = 0x25;       // u16 first row, last row, column fields
constexpr std::uint8_t kPtgMemArea = 0x26;    // 4 unused, u16 length of the subexpression
constexpr std::uint8_t kPtgMemErr = 0x27;     // likewise
constexpr std::uint8_t kPtgMemNoMem = 0x28;   // likewise
constexpr std::uint8_t kPtgMemFunc = 0x29;    // u16 length of the subexpression
constexpr std::uint8_t kPtgRefErr = 0x2A;     // 4 unused
constexpr std::uint8_t kPtgAreaErr = 0x2B;    // 8 unused
constexpr std::uint8_t kPtgRefN = 0x2C;       // as ptgRef, relative parts are offsets
constexpr std::uint8_t kPtgAreaN = 0x2D;      // as ptgArea, relative parts are offsets
constexpr std::uint8_t kPtgMemAreaN = 0x2E;   // u16 length of the subexpression
constexpr std::uint8_t kPtgMemNoMemN = 0x2F;  // likewise
constexpr std::uint8_t kPtgNameX = 0x39;      // u16 EXTERNSHEET index, u16 name index, 2 unused
constexpr std::uint8_t kPtgRef3d = 0x3A;      // u16 EXTERNSHEET index, then as ptgRef
constexpr std::uint8_t kPtgArea3d = 0x3B;     // u16 EXTERNSHEET index, then as ptgArea
constexpr std::uint8_t kPtgRefErr3d = 0x3C;   // u16 EXTERNSHEET index, 4 unused
constexpr std::uint8_t kPtgAreaErr3d = 0x3D;  // u16 EXTERNSHEET index, 8 unused

// The value-class 3-D reference: without an EXTERNSHEET table (or without
// its operand bytes) it ends the whole decode with no text.
constexpr std::uint8_t kPtgRef3dValue = kPtgRef3d + (kPtgClassValue - kPtgClassReference);

// ---- Fixed operand sizes (bytes after the id) ------------------------------------
constexpr std::uint32_t kPtgExpSize = 4;
constexpr std::uint32_t kPtgTblSize = 4;
constexpr std::uint32_t kPtgErrSize = 1;
constexpr std::uint32_t kPtgBoolSize = 1;
constexpr std::uint32_t kPtgIntSize = 2;
constexpr std::uint32_t kPtgNumSize = 8;
constexpr std::uint32_t kPtgStrSize = 2;   // count and flags; the characters follow
constexpr std::uint32_t kPtgAttrSize = 1;  // the kind byte; its data follows
constexpr std::uint32_t kPtgArraySize = 7;
constexpr std::uint32_t kPtgFuncSize = 2;
constexpr std::uint32_t kPtgFuncVarSize = 3;
constexpr std::uint32_t kPtgNameSize = 4;
constexpr std::uint32_t kPtgRefSize = 4;
constexpr std::uint32_t kPtgAreaSize = 8;
constexpr std::uint32_t kPtgMemSize = 6;
constexpr std::uint32_t kPtgMemShortSize = 2;
constexpr std::uint32_t kPtgNameXSize = 6;
constexpr std::uint32_t kPtgRef3dSize = 6;
constexpr std::uint32_t kPtgArea3dSize = 10;

// ---- Reference fields ---------------------------------------------------------
// A column field: the column in the low byte, bit 14 set when the column is
// relative, bit 15 set when the row (the other field) is relative. A part
// that is not relative is absolute and prints with "$".
constexpr std::uint16_t kColumnMask = 0x00FF;
constexpr std::uint16_t kColumnRelative = 0x4000;
constexpr std::uint16_t kRowRelative = 0x8000;
// In ptgRefN and ptgAreaN a relative row is a signed 16-bit offset and a
// relative column a signed offset in the column byte; the sum wraps round
// the grid, so both are taken modulo these sizes.
constexpr std::uint32_t kGridRows = 0x10000;
constexpr std::uint32_t kGridColumns = 0x100;

// The error code that ptgRefErr, ptgAreaErr and their 3-D forms stand for.
constexpr std::uint8_t kErrorRef = 0x17;  // #REF!

// ---- ptgStr flags ----------------------------------------------------------------
constexpr std::uint8_t kPtgStrWide = 0x01;  // characters are 16-bit

// ---- ptgFuncVar fields --------------------------------------------------------------
constexpr std::uint8_t kFuncVarCountMask = 0x7F;  // top bit: prompt the user
constexpr std::uint16_t kFuncVarIndexMask = 0x7FFF;
constexpr std::uint16_t kFuncVarCommand = 0x8000;  // a macro command, not a function
constexpr std::uint16_t kFuncUserDefined = 255;    // called through a name operand

// ---- ptgAttr kinds -----------------------------------------------------------------
constexpr std::uint8_t kAttrVolatile = 0x01;  // u16 unused
constexpr std::uint8_t kAttrIf = 0x02;        // u16 jump offset
constexpr std::uint8_t kAttrChoose = 0x04;    // u16 case count n, (n + 1) u16 jump offsets
constexpr std::uint8_t kAttrGoto = 0x08;      // u16 jump offset
constexpr std::uint8_t kAttrSum = 0x10;       // u16 unused; SUM of the top operand
constexpr std::uint8_t kAttrBaxcel = 0x20;    // u16 unused
constexpr std::uint8_t kAttrSpace = 0x40;     // u8 space kind, u8 count
constexpr std::uint8_t kAttrSpaceVolatile = 0x41;
constexpr std::uint32_t kAttrDataSize = 2;
constexpr std::uint32_t kAttrJumpSize = 2;

// ---- Array constant (extra data of ptgArray) ----------------------------------------
// u8 columns - 1, u16 rows - 1, then rows x columns elements row by row, each
// a type byte and its value.
constexpr std::uint32_t kArrayHeaderSize = 3;
constexpr std::uint32_t kArrayRowsOffset = 1;
constexpr std::uint8_t kArrayNil = 0x00;     // 8 unused bytes
constexpr std::uint8_t kArrayNumber = 0x01;  // f64
constexpr std::uint8_t kArrayString = 0x02;  // u16 cch, u8 flags (bit 0: 16-bit), characters
constexpr std::uint8_t kArrayBool = 0x04;    // u8 value, 7 unused
constexpr std::uint8_t kArrayError = 0x10;   // u8 code, 7 unused
constexpr std::uint32_t kArrayValueSize = 8;
constexpr std::uint32_t kArrayStringHeader = 3;

// ---- Cached rectangles (extra data of ptgMemArea) ------------------------------------
// u16 count, then count rectangles of 8 bytes (first row, last row, first
// column, last column, u16 each).
constexpr std::uint32_t kMemExtraCountSize = 2;
constexpr std::uint32_t kMemExtraRectSize = 8;

}  // namespace biff8
