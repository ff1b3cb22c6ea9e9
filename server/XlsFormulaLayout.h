// Byte layout of the compiled formulas that the writer stores in FORMULA and
// ARRAY records: the parsed-expression tokens (ptgs) in reverse Polish order,
// each a one-byte token id followed by fixed operand bytes, and the extra
// data that array constants keep after the token stream.
//
// Every integer is little-endian. Operand offsets count from the byte after
// the token id. The formula compiler writes these tokens, the shifter moves
// their references, the token walker steps over them.
#pragma once

#include <cstdint>

#include "server/XlsRecordLayout.h"

namespace xlsw {

// ---- Token ids without operand class (0x01 to 0x1F) ------------------------
// kPtgExp 0x01 (4: row, column of the shared cell) is in XlsRecordLayout.h.
constexpr std::uint8_t kPtgTbl = 0x02;  // 4: row, column of the TABLE
constexpr std::uint8_t kPtgAdd = 0x03;  // binary operators 0x03 to 0x11, no operand
constexpr std::uint8_t kPtgSub = 0x04;
constexpr std::uint8_t kPtgMul = 0x05;
constexpr std::uint8_t kPtgDiv = 0x06;
constexpr std::uint8_t kPtgPower = 0x07;
constexpr std::uint8_t kPtgConcat = 0x08;
constexpr std::uint8_t kPtgLT = 0x09;
constexpr std::uint8_t kPtgLE = 0x0A;
constexpr std::uint8_t kPtgEQ = 0x0B;
constexpr std::uint8_t kPtgGE = 0x0C;
constexpr std::uint8_t kPtgGT = 0x0D;
constexpr std::uint8_t kPtgNE = 0x0E;
constexpr std::uint8_t kPtgIsect = 0x0F;  // intersection, the space operator
constexpr std::uint8_t kPtgUnion = 0x10;  // the "," operator inside parentheses
constexpr std::uint8_t kPtgRange = 0x11;  // the ":" operator between two references
constexpr std::uint8_t kPtgUplus = 0x12;
constexpr std::uint8_t kPtgUminus = 0x13;
constexpr std::uint8_t kPtgPercent = 0x14;
constexpr std::uint8_t kPtgParen = 0x15;
constexpr std::uint8_t kPtgMissArg = 0x16;
constexpr std::uint8_t kPtgStr = 0x17;   // u8 character count, u8 flags, characters
constexpr std::uint8_t kPtgAttr = 0x19;  // u8 kind, then by kind (below)
constexpr std::uint8_t kPtgErr = 0x1C;   // u8 error code
constexpr std::uint8_t kPtgBool = 0x1D;  // u8 0 or 1
constexpr std::uint8_t kPtgInt = 0x1E;   // u16, whole numbers 0 to 65535
constexpr std::uint8_t kPtgNum = 0x1F;   // IEEE 754 double

// ---- Token ids with an operand class ---------------------------------------
// Written here in the reference class; bits 5-6 of the id carry the class.
constexpr std::uint8_t kPtgArray = 0x20;      // 7 unused; the values sit in the extra data
constexpr std::uint8_t kPtgFunc = 0x21;       // u16 function index
constexpr std::uint8_t kPtgFuncVar = 0x22;    // u8 argument count, u16 function index
constexpr std::uint8_t kPtgName = 0x23;       // u16 NAME index, 2 unused
constexpr std::uint8_t kPtgRef = 0x24;        // u16 row, u16 column field
constexpr std::uint8_t kPtgArea = 0x25;       // u16 first row, last row, first/last column field
constexpr std::uint8_t kPtgMemArea = 0x26;    // 4 unused, u16 subexpression size
constexpr std::uint8_t kPtgMemErr = 0x27;     // likewise
constexpr std::uint8_t kPtgMemNoMem = 0x28;   // likewise
constexpr std::uint8_t kPtgMemFunc = 0x29;    // u16 size of the subexpression that follows
constexpr std::uint8_t kPtgRefErr = 0x2A;     // 4 unused: a reference moved off the sheet
constexpr std::uint8_t kPtgAreaErr = 0x2B;    // 8 unused
constexpr std::uint8_t kPtgRefN = 0x2C;       // as ptgRef, offsets from the formula cell
constexpr std::uint8_t kPtgAreaN = 0x2D;      // as ptgArea, offsets from the formula cell
constexpr std::uint8_t kPtgMemAreaN = 0x2E;   // u16 subexpression size
constexpr std::uint8_t kPtgMemNoMemN = 0x2F;  // u16 subexpression size
constexpr std::uint8_t kPtgNameX = 0x39;      // u16 EXTERNSHEET index, u16 name, 2 unused
constexpr std::uint8_t kPtgRef3d = 0x3A;      // u16 EXTERNSHEET index, then as ptgRef
constexpr std::uint8_t kPtgArea3d = 0x3B;     // u16 EXTERNSHEET index, then as ptgArea
constexpr std::uint8_t kPtgRefErr3d = 0x3C;   // u16 EXTERNSHEET index, 4 unused
constexpr std::uint8_t kPtgAreaErr3d = 0x3D;  // u16 EXTERNSHEET index, 8 unused

// Operand classes: reference, value and array.
constexpr std::uint8_t kClassMask = 0x60;
constexpr std::uint8_t kClassReference = 0x20;
constexpr std::uint8_t kClassValue = 0x40;
constexpr std::uint8_t kClassArray = 0x60;
// The reference-class id of any classed token.
constexpr std::uint8_t BaseId(std::uint8_t id) {
    return (id & kClassMask) ? static_cast<std::uint8_t>((id & ~kClassMask) | kClassReference) : id;
}
// A classed token's id with the class bits `tokenClass`.
constexpr std::uint8_t WithClass(std::uint8_t id, std::uint8_t tokenClass) {
    return static_cast<std::uint8_t>((id & ~kClassMask) | tokenClass);
}

// ---- ptgAttr kinds (the byte after 0x19) -----------------------------------
// Each is followed by a u16; ptgAttrChoose adds u16 jump offsets for its
// cases plus one.
constexpr std::uint8_t kAttrVolatile = 0x01;  // first token of a formula with volatile calls
constexpr std::uint8_t kAttrIf = 0x02;
constexpr std::uint8_t kAttrChoose = 0x04;
constexpr std::uint8_t kAttrSkip = 0x08;
constexpr std::uint8_t kAttrSum = 0x10;  // SUM of its one operand
constexpr std::uint8_t kAttrSpace = 0x40;
constexpr std::uint8_t kAttrSpaceVolatile = 0x41;

// ---- Cell reference fields ---------------------------------------------------
// The column field holds the column in its low byte; bit 14 marks the column
// relative (written without "$"), bit 15 the row.
constexpr std::uint16_t kColumnMask = 0x00FF;
constexpr std::uint16_t kColumnRelative = 0x4000;
constexpr std::uint16_t kRowRelative = 0x8000;

// ---- Strings -------------------------------------------------------------------
// ptgStr and array texts: flags bit 0 set means UTF-16LE characters, clear
// means one byte per character (the low byte of each, all below 0x100).
constexpr std::uint8_t kStringUtf16 = 0x01;
constexpr std::uint32_t kMaxStringLength = 255;

// ---- Array constants (extra data) -----------------------------------------------
// u8 column count - 1, u16 row count - 1, then the values row by row, each a
// type byte and 8 bytes (a text: u16 count, u8 flags, characters instead).
constexpr std::uint8_t kArrayEmpty = 0x00;
constexpr std::uint8_t kArrayNumber = 0x01;
constexpr std::uint8_t kArrayString = 0x02;
constexpr std::uint8_t kArrayBoolean = 0x04;  // u8 value, 7 unused
constexpr std::uint8_t kArrayError = 0x10;    // u8 error code, 7 unused
constexpr std::uint32_t kArrayTokenUnused = 7;
constexpr std::uint32_t kMaxArrayColumns = 256;
constexpr std::uint32_t kMaxArrayRows = 65536;

// ---- Error codes -----------------------------------------------------------------
constexpr std::uint8_t kErrNull = 0x00;
constexpr std::uint8_t kErrDiv0 = 0x07;
constexpr std::uint8_t kErrValue = 0x0F;
constexpr std::uint8_t kErrRef = 0x17;
constexpr std::uint8_t kErrName = 0x1D;
constexpr std::uint8_t kErrNum = 0x24;
constexpr std::uint8_t kErrNA = 0x2A;

// A function call carries at most 30 arguments.
constexpr std::uint32_t kMaxFunctionArguments = 30;

}  // namespace xlsw
