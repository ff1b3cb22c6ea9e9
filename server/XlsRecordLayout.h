// Byte layout of what the workbook writer produces: the compound-file
// container (header, sector tables, directory) and the BIFF8 records of the
// Workbook stream, with the fields the writer fills.
//
// Every integer is little-endian. Compound-file offsets count from the first
// byte of the header or of a directory entry; record offsets count from the
// first byte of the record body (after the 4-byte type/length header).
// The reader keeps its own table of record types (biff/BiffRecordIds.h);
// this one lists what the writer emits, which is a different set.
#pragma once

#include <cstdint>

namespace xlsw {

// ---- Compound file, version 3 (512-byte sectors) ----------------------------
constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kHeaderSize = 512;          // sector -1: the header
constexpr std::uint32_t kSectorIdsPerSector = 128;  // u32 entries in a FAT sector
constexpr std::uint32_t kHeaderDifatSlots = 109;    // FAT sector ids kept in the header
constexpr std::uint32_t kDifatIdsPerSector = 127;   // the 128th u32 links to the next
constexpr std::uint32_t kDirEntrySize = 128;
constexpr std::uint32_t kDirEntriesPerSector = kSectorSize / kDirEntrySize;
// Streams below this size would go to the mini stream; the Workbook stream
// is padded so that it never does.
constexpr std::uint32_t kMiniStreamCutoff = 4096;

// Special sector ids in FAT and DIFAT entries.
constexpr std::uint32_t kFreeSect = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kDifSect = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;  // empty sibling/child link

// Header fields.
constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::uint32_t kHdrMinorVersion = 24;     // u16, 0x003E
constexpr std::uint32_t kHdrMajorVersion = 26;     // u16, 3
constexpr std::uint32_t kHdrByteOrder = 28;        // u16, 0xFFFE
constexpr std::uint32_t kHdrSectorShift = 30;      // u16, 9
constexpr std::uint32_t kHdrMiniSectorShift = 32;  // u16, 6
constexpr std::uint32_t kHdrFatSectors = 44;       // u32 number of FAT sectors
constexpr std::uint32_t kHdrFirstDirSector = 48;   // u32
constexpr std::uint32_t kHdrMiniCutoff = 56;       // u32, 4096
constexpr std::uint32_t kHdrFirstMiniFat = 60;     // u32, end of chain: no mini FAT
constexpr std::uint32_t kHdrMiniFatSectors = 64;   // u32
constexpr std::uint32_t kHdrFirstDifat = 68;       // u32, end of chain when none
constexpr std::uint32_t kHdrDifatSectors = 72;     // u32
constexpr std::uint32_t kHdrDifat = 76;            // 109 x u32

// Directory entry fields.
constexpr std::uint32_t kDirName = 0;         // 32 UTF-16 units, zero-terminated
constexpr std::uint32_t kDirNameLength = 64;  // u16, bytes including the terminator
constexpr std::uint32_t kDirType = 66;        // u8: 1 storage, 2 stream, 5 root
constexpr std::uint32_t kDirColor = 67;       // u8: 0 red, 1 black
constexpr std::uint32_t kDirLeft = 68;        // u32 sibling ids
constexpr std::uint32_t kDirRight = 72;
constexpr std::uint32_t kDirChild = 76;
constexpr std::uint32_t kDirClassId = 80;       // 16 bytes
constexpr std::uint32_t kDirStartSector = 116;  // u32
constexpr std::uint32_t kDirSize = 120;         // u32 (the high half at 124 stays 0)
constexpr std::uint8_t kDirTypeStream = 2;
constexpr std::uint8_t kDirTypeRoot = 5;
constexpr std::uint8_t kDirBlack = 1;

// ---- BIFF8 record framing ------------------------------------------------
constexpr std::uint32_t kRecordHeaderSize = 4;  // type u16, body length u16
constexpr std::uint32_t kMaxRecordBody = 8224;  // longer data goes on in CONTINUE records

// Record types written, by the names the file format gives them.
constexpr std::uint16_t kFORMULA = 0x0006;
constexpr std::uint16_t kEOF = 0x000A;
constexpr std::uint16_t kCALCCOUNT = 0x000C;
constexpr std::uint16_t kCALCMODE = 0x000D;
constexpr std::uint16_t kPRECISION = 0x000E;
constexpr std::uint16_t kREFMODE = 0x000F;
constexpr std::uint16_t kDELTA = 0x0010;
constexpr std::uint16_t kITERATION = 0x0011;
constexpr std::uint16_t kPROTECT = 0x0012;
constexpr std::uint16_t kPASSWORD = 0x0013;
constexpr std::uint16_t kEXTERNSHEET = 0x0017;
constexpr std::uint16_t kNAME = 0x0018;
constexpr std::uint16_t kWINDOWPROTECT = 0x0019;
constexpr std::uint16_t kSELECTION = 0x001D;
constexpr std::uint16_t kNOTE = 0x001C;
constexpr std::uint16_t kDATEMODE = 0x0022;
constexpr std::uint16_t kEXTERNNAME = 0x0023;
constexpr std::uint16_t kPRINTHEADERS = 0x002A;
constexpr std::uint16_t kPRINTGRIDLINES = 0x002B;
constexpr std::uint16_t kFONT = 0x0031;
constexpr std::uint16_t kCONTINUE = 0x003C;
constexpr std::uint16_t kWINDOW1 = 0x003D;
constexpr std::uint16_t kBACKUP = 0x0040;
constexpr std::uint16_t kPANE = 0x0041;
constexpr std::uint16_t kCODEPAGE = 0x0042;
constexpr std::uint16_t kDEFCOLWIDTH = 0x0055;
constexpr std::uint16_t kXCT = 0x0059;
constexpr std::uint16_t kCRN = 0x005A;
constexpr std::uint16_t kWRITEACCESS = 0x005C;
constexpr std::uint16_t kOBJ = 0x005D;
constexpr std::uint16_t kSAVERECALC = 0x005F;
constexpr std::uint16_t kCOLINFO = 0x007D;
constexpr std::uint16_t kGUTS = 0x0080;
constexpr std::uint16_t kWSBOOL = 0x0081;
constexpr std::uint16_t kGRIDSET = 0x0082;
constexpr std::uint16_t kBOUNDSHEET = 0x0085;
constexpr std::uint16_t kCOUNTRY = 0x008C;
constexpr std::uint16_t kHIDEOBJ = 0x008D;
constexpr std::uint16_t kPALETTE = 0x0092;
constexpr std::uint16_t kSTANDARDWIDTH = 0x0099;
constexpr std::uint16_t kSCL = 0x00A0;
constexpr std::uint16_t kMMS = 0x00C1;
constexpr std::uint16_t kBOOKBOOL = 0x00DA;
constexpr std::uint16_t kXF = 0x00E0;
constexpr std::uint16_t kINTERFACEHDR = 0x00E1;
constexpr std::uint16_t kINTERFACEEND = 0x00E2;
constexpr std::uint16_t kMULBLANK = 0x00BE;
constexpr std::uint16_t kMERGEDCELLS = 0x00E5;
constexpr std::uint16_t kMSODRAWINGGROUP = 0x00EB;
constexpr std::uint16_t kMSODRAWING = 0x00EC;
constexpr std::uint16_t kSST = 0x00FC;
constexpr std::uint16_t kLABELSST = 0x00FD;
constexpr std::uint16_t kEXTSST = 0x00FF;
constexpr std::uint16_t kUSESELFS = 0x0160;
constexpr std::uint16_t kDSF = 0x0161;
constexpr std::uint16_t kSUPBOOK = 0x01AE;
constexpr std::uint16_t kPROT4REV = 0x01AF;
constexpr std::uint16_t kPROT4REVPASS = 0x01BC;
constexpr std::uint16_t kTXO = 0x01B6;
constexpr std::uint16_t kREFRESHALL = 0x01B7;
constexpr std::uint16_t kDIMENSIONS = 0x0200;
constexpr std::uint16_t kBLANK = 0x0201;
constexpr std::uint16_t kNUMBER = 0x0203;
constexpr std::uint16_t kBOOLERR = 0x0205;
constexpr std::uint16_t kSTRING = 0x0207;
constexpr std::uint16_t kROW = 0x0208;
constexpr std::uint16_t kARRAY = 0x0221;
constexpr std::uint16_t kDEFAULTROWHEIGHT = 0x0225;
constexpr std::uint16_t kWINDOW2 = 0x023E;
constexpr std::uint16_t kRK = 0x027E;
constexpr std::uint16_t kSTYLE = 0x0293;
constexpr std::uint16_t kFORMAT = 0x041E;
constexpr std::uint16_t kBOF = 0x0809;
constexpr std::uint16_t kSHEETEXT = 0x0862;

// ---- BOF (16 bytes) -------------------------------------------------------
// version u16 0x0600, substream type u16, build u16, year u16, file history
// u32, lowest BIFF version u32.
constexpr std::uint16_t kBiff8Version = 0x0600;
constexpr std::uint16_t kBofGlobals = 0x0005;
constexpr std::uint16_t kBofWorksheet = 0x0010;
constexpr std::uint16_t kBofBuild = 0x0DBB;
constexpr std::uint16_t kBofYear = 0x07CC;

// ---- Unicode strings -------------------------------------------------------
// count (u8 in the short form, u16 in the long form), option byte, chars.
// Characters are 8-bit ("compressed": the low bytes of U+0000..U+00FF) or
// 16-bit. A string's characters may go on in a CONTINUE record, which then
// starts with a fresh option byte; a count/option header is never split.
constexpr std::uint8_t kStringWide = 0x01;
constexpr std::uint32_t kMaxCellTextLength = 32767;  // characters in one cell

// ---- Cell records: row u16, column u16, XF index u16, then ------------------
constexpr std::uint32_t kCellHeaderSize = 6;
//   NUMBER    +6  double                                  (14 bytes)
//   RK        +6  u32 RK number                           (10 bytes)
//   LABELSST  +6  u32 index into the SST                  (10 bytes)
//   BOOLERR   +6  u8 value or error code, +7 u8 1=error   (8 bytes)
//   BLANK     nothing more                                (6 bytes)
//   MULBLANK  +4  one u16 XF index per cell, then the last column u16: the
//                 blank cells of columns first..last of one row (10 + 2n)
//   FORMULA   +6  8-byte cached result, +14 u16 flags, +16 u32 0,
//             +20 u16 token length, +22 tokens, then extra token data
constexpr std::uint32_t kFormulaResult = 6;
constexpr std::uint32_t kFormulaFlags = 14;
constexpr std::uint32_t kFormulaTokenLength = 20;
constexpr std::uint32_t kFormulaTokens = 22;
// Cached results other than a number: byte 0 says the kind, byte 2 holds a
// Boolean or error code, bytes 6-7 are 0xFFFF (no double has that top).
constexpr std::uint8_t kResultString = 0x00;  // a STRING record follows
constexpr std::uint8_t kResultBoolean = 0x01;
constexpr std::uint8_t kResultError = 0x02;
constexpr std::uint8_t kResultEmptyString = 0x03;
// FORMULA/ARRAY flags: calculate the formula whenever the sheet calculates,
// which makes every spreadsheet program recalculate it on open.
constexpr std::uint16_t kFormulaAlwaysCalc = 0x0001;
// ptgExp: the cells of an array formula point at its top-left cell, whose
// ARRAY record holds the tokens. ptgExp u8 0x01, row u16, column u16.
constexpr std::uint8_t kPtgExp = 0x01;
constexpr std::uint32_t kPtgExpSize = 5;

// ---- ARRAY: first row u16, last row u16, first column u8, last column u8,
// flags u16, u32 0, token length u16, tokens, extra token data.
constexpr std::uint32_t kArrayTokens = 14;

// ---- ROW (16 bytes): row u16, first column u16, last column + 1 u16,
// height u16 (twips), u16 0, u16 0, flags u32.
constexpr std::uint32_t kRowFlagsReserved = 0x00000100;  // always set
constexpr std::uint32_t kRowHidden = 0x00000020;         // height 0
constexpr std::uint32_t kRowCustomHeight = 0x00000040;   // height differs from the default
constexpr std::uint32_t kRowHasFormat = 0x00000080;      // XF index in bits 16-27 applies
constexpr std::uint32_t kRowXfShift = 16;
constexpr std::uint16_t kDefaultRowHeightTwips = 255;      // 12.75 pt, Arial 10
constexpr std::uint16_t kMaxDefaultRowHeightTwips = 8179;  // DEFAULTROWHEIGHT miyRw
constexpr std::uint32_t kRowsPerBlock = 32;  // ROW records are grouped with their cells

// ---- COLINFO (12 bytes): first column u16, last column u16, width u16
// (1/256 of the digit width of font 0, padding included), XF index u16,
// flags u16 (bit 0 hidden, bit 1 custom width), u16 0.
constexpr std::uint16_t kColHidden = 0x0001;
constexpr std::uint16_t kColCustomWidth = 0x0002;
constexpr std::uint16_t kDefaultColumnWidthChars = 8;  // DEFCOLWIDTH

// ---- DIMENSIONS (14 bytes): first row u32, last row + 1 u32, first column
// u16, last column + 1 u16, u16 0.

// ---- MERGEDCELLS: count u16, then ranges of first row, last row, first
// column, last column (u16 each). At most 1026 ranges fit one record.
constexpr std::uint32_t kMergedRangesPerRecord = 1026;

// ---- WINDOW2 (18 bytes): flags u16, top row u16, left column u16, gridline
// colour u32, zoom u16 x2, u32 0.
constexpr std::uint16_t kWindow2Default = 0x00B6;  // grid, headers, zeros, outline, auto colour
constexpr std::uint16_t kWindow2AutoGridColor = 0x0020;  // the gridline colour field is unused
constexpr std::uint16_t kWindow2Gridlines = 0x0002;
constexpr std::uint16_t kWindow2Headings = 0x0004;
constexpr std::uint16_t kWindow2Frozen = 0x0008;
constexpr std::uint16_t kWindow2FrozenNoSplit = 0x0100;  // frozen without a split before
constexpr std::uint16_t kWindow2Selected = 0x0200;
constexpr std::uint16_t kWindow2Active = 0x0400;

// ---- SHEETEXT, short form (20 bytes): future-record header (the record
// type again u16, flags u16, 8 bytes 0), the record's size u32 (20), then
// u32 with the tab colour in its low 7 bits (a palette index 8-63).
constexpr std::uint32_t kSheetExtSize = 20;

// ---- SCL (4 bytes): zoom as a fraction, numerator u16, denominator u16.
// ---- PANE (10 bytes): x u16, y u16 (frozen: columns and rows in the fixed
// panes; split: twips), first row u16 and first column u16 of the bottom /
// right panes, active pane u8, u8 0.
// ---- SELECTION: pane u8, active row u16, active column u16, index of the
// active range u16, range count u16, then ranges of first row u16, last row
// u16, first column u8, last column u8.
// Panes: 0 bottom right, 1 top right, 2 bottom left, 3 top left.
constexpr std::uint8_t kPaneBottomRight = 0;
constexpr std::uint8_t kPaneTopRight = 1;
constexpr std::uint8_t kPaneBottomLeft = 2;
constexpr std::uint8_t kPaneTopLeft = 3;

// ---- DEFAULTROWHEIGHT (4 bytes): flags u16 (bit 0 the height differs from
// the font's, bit 1 hidden), height u16 (twips).
constexpr std::uint16_t kDefaultRowCustom = 0x0001;
constexpr std::uint16_t kDefaultRowHidden = 0x0002;

// ---- PALETTE: count u16 (56), then the colours of indices 8 to 63 as red,
// green, blue u8 and u8 0.
constexpr std::uint16_t kPaletteColors = 56;
constexpr std::uint16_t kPaletteFirstIndex = 8;

// ---- FONT: height u16 (twips), flags u16 (bit 0 bold, kept for older
// readers beside the weight; bit 1 italic; bit 3 strikethrough), colour u16,
// weight u16, escapement u16 (1 superscript, 2 subscript), underline u8, family u8, character set
// u8, u8 0, name (short form string).
constexpr std::uint16_t kFontBold = 0x0001;
constexpr std::uint16_t kFontItalic = 0x0002;
constexpr std::uint16_t kFontStrikeOut = 0x0008;
constexpr std::uint16_t kFontWeightNormal = 400;
constexpr std::uint16_t kFontWeightBold = 700;
constexpr std::uint16_t kFontColorAuto = 0x7FFF;
constexpr std::uint8_t kFontDefaultCharSet = 1;
constexpr std::uint32_t kMissingFontIndex = 4;  // font index 4 is never written

// ---- FORMAT: index u16, format text (long form string).
constexpr std::uint16_t kFirstUserFormat = 164;

// ---- XF (20 bytes) ---------------------------------------------------------
//   +0  u16 font index        +2 u16 number format index
//   +4  u16 bit 0 locked, bit 1 formula hidden, bit 2 style XF, bits 4-15
//           parent style XF
//   +6  u8  alignment: bits 0-2 horizontal, bit 3 wrap, bits 4-6 vertical
//           (2 = bottom)
//   +7  u8  rotation          +8 u8 bits 0-3 indent, bit 4 shrink to fit
//   +9  u8  bits 2-7: which attributes this XF sets (cell XF) or leaves to
//           the parent (style XF): number format, font, alignment, border,
//           pattern, protection
//   +10 u32 left, right, top, bottom line styles (4 bits each), left colour
//           (bits 16-22), right colour (23-29), diagonal down (30), up (31)
//   +14 u32 top colour (0-6), bottom colour (7-13), diagonal colour (14-20),
//           diagonal style (21-24), fill pattern (26-31)
//   +18 u16 pattern colour (0-6), pattern background colour (7-13)
constexpr std::uint32_t kXfSize = 20;
constexpr std::uint16_t kXfLocked = 0x0001;
constexpr std::uint16_t kXfHidden = 0x0002;
constexpr std::uint16_t kXfStyle = 0x0004;
constexpr std::uint16_t kXfParentShift = 4;
constexpr std::uint16_t kXfNoParent = 0x0FFF;
constexpr std::uint8_t kXfAlignBottom = 0x20;
constexpr std::uint8_t kXfUsedFormat = 0x04;
constexpr std::uint8_t kXfUsedFont = 0x08;
constexpr std::uint8_t kXfUsedAlign = 0x10;
constexpr std::uint8_t kXfUsedBorder = 0x20;
constexpr std::uint8_t kXfUsedPattern = 0x40;
constexpr std::uint8_t kXfUsedProtect = 0x80;
constexpr std::uint32_t kXfDiagDown = 0x40000000;
constexpr std::uint32_t kXfDiagUp = 0x80000000;
constexpr std::uint16_t kColorAutoLine = 64;  // automatic border and pattern colour
constexpr std::uint16_t kColorAutoPatternBack = 65;
constexpr std::uint32_t kStyleXfCount = 21;  // XF 0-14 and 16-20 are style XFs
constexpr std::uint32_t kDefaultCellXf = 15;
constexpr std::uint32_t kFirstUserXf = 21;
// More XFs than this make the spreadsheet refuse the file.
constexpr std::uint32_t kMaxXfCount = 4000;
constexpr std::uint32_t kMaxFontRecords = 510;

// ---- STYLE (4 bytes): XF index u16 with bit 15 set (built-in style), style
// id u8, outline level u8 (0xFF).
constexpr std::uint16_t kStyleBuiltIn = 0x8000;

// ---- BOUNDSHEET: stream position of the sheet's BOF u32, visibility u8,
// sheet type u8 (0 worksheet), name (short form string).
constexpr std::uint32_t kBoundSheetPosition = 0;

// ---- SST: total references u32, distinct strings u32, then long-form
// strings. EXTSST: strings per bucket u16, then per bucket the stream
// position u32 of its first string, its offset u16 inside the SST or
// CONTINUE record that holds it (counted from that record's header), u16 0.
constexpr std::uint32_t kSstHeaderSize = 8;
constexpr std::uint32_t kExtSstMinBucket = 8;
constexpr std::uint32_t kExtSstMaxBuckets = 128;

// ---- SUPBOOK for this workbook's own sheets: sheet count u16, 0x0401.
constexpr std::uint16_t kSupBookSelf = 0x0401;
// ---- SUPBOOK for add-in functions: u16 1, 0x3A01. Its EXTERNNAMEs name
// the functions.
constexpr std::uint16_t kSupBookAddIn = 0x3A01;
// ---- SUPBOOK for another workbook: sheet count u16, the workbook's path
// in its encoded form (long form string: CXlsVirtualPath), then each sheet
// name (long form string). Its EXTERNNAMEs name that workbook's names.
constexpr std::uint32_t kSupBookCountSize = 2;
// ---- EXTERNNAME: option flags u16 (0: a plain name), then for an add-in
// function u32 0, for a name of another workbook the 1-based position of
// its sheet in the SUPBOOK's list u16 (0: a name of the whole workbook) and
// u16 0; the name (short form string); formula size u16 and tokens.
// ptgNameX counts the EXTERNNAMEs of its SUPBOOK from 1.
constexpr std::uint32_t kExternNameHeaderSize = 6;
// ---- EXTERNSHEET: count u16, then per entry SUPBOOK index u16, first and
// last sheet u16 (0xFFFF: the sheet no longer exists; 0xFFFE: no sheet, for
// add-in functions and the names of a whole workbook).
constexpr std::uint32_t kExternSheetEntrySize = 6;
constexpr std::uint32_t kMaxExternSheetEntries = (kMaxRecordBody - 2) / kExternSheetEntrySize;
constexpr std::uint16_t kExternSheetDeleted = 0xFFFF;
constexpr std::uint16_t kExternSheetNoSheet = 0xFFFE;

// ---- NAME: option flags u16, keyboard shortcut u8, name length u8
// (characters), formula size u16, u16 0, sheet index u16 (1-based position
// of the sheet the name belongs to; 0 for a name of the whole workbook),
// four u8 0 (lengths of menu, description, help and status texts), the
// name's option byte and characters (without a count; a built-in name is
// its one code character), the formula tokens, their extra data.
constexpr std::uint32_t kNameFixedSize = 14;
constexpr std::uint16_t kNameHidden = 0x0001;
constexpr std::uint16_t kNameFunction = 0x0002;  // called as a function, not run as a command
constexpr std::uint16_t kNameVbaMacro = 0x0004;  // a procedure of the workbook's macros
constexpr std::uint16_t kNameMacro = 0x0008;     // set whenever either of the two above is
constexpr std::uint16_t kNameBuiltin = 0x0020;

// ---- Limits of a worksheet -------------------------------------------------
constexpr std::uint32_t kMaxRows = 65536;
constexpr std::uint32_t kMaxColumns = 256;

}  // namespace xlsw
