// Layout of the BIFF8 record stream: record framing, the record type numbers
// that the scan and the decoders recognise, and the fixed parts of the BOF
// record that the substream search looks for.
//
// Every integer in the stream is little-endian. A record is
//
//   offset 0  u16  record type
//   offset 2  u16  body length L
//   offset 4  L    body
//
// and the next record starts 4 + L bytes after the record's first byte.
#pragma once

#include <cstdint>

namespace biff {

// Framing.
constexpr std::uint32_t kRecordHeaderSize = 4;  // type u16 + length u16
constexpr std::uint32_t kTypeOffset = 0;
constexpr std::uint32_t kLengthOffset = 2;
// The largest body a record may declare. A larger length is damage: the
// record is taken as its 4-byte header alone and the next record is looked
// for right after that header.
constexpr std::uint32_t kMaxBodyLength = 8224;  // 0x2020

// Record types, by the names the file format gives them.
constexpr std::uint16_t kFORMULA = 0x0006;
constexpr std::uint16_t kEOF = 0x000A;
constexpr std::uint16_t kEXTERNSHEET = 0x0017;
constexpr std::uint16_t kNAME = 0x0018;
constexpr std::uint16_t kNOTE = 0x001C;
constexpr std::uint16_t kSELECTION = 0x001D;
constexpr std::uint16_t kEXTERNNAME = 0x0023;
constexpr std::uint16_t kDATEMODE = 0x0022;
constexpr std::uint16_t kFILEPASS = 0x002F;
constexpr std::uint16_t kFONT = 0x0031;
constexpr std::uint16_t kCONTINUE = 0x003C;
constexpr std::uint16_t kPANE = 0x0041;
constexpr std::uint16_t kDEFCOLWIDTH = 0x0055;
constexpr std::uint16_t kXCT = 0x0059;
constexpr std::uint16_t kCRN = 0x005A;
constexpr std::uint16_t kOBJ = 0x005D;
constexpr std::uint16_t kCOLINFO = 0x007D;
constexpr std::uint16_t kBOUNDSHEET = 0x0085;
constexpr std::uint16_t kPALETTE = 0x0092;
constexpr std::uint16_t kSTANDARDWIDTH = 0x0099;
constexpr std::uint16_t kSCL = 0x00A0;
constexpr std::uint16_t kMULRK = 0x00BD;
constexpr std::uint16_t kMULBLANK = 0x00BE;
constexpr std::uint16_t kRSTRING = 0x00D6;
constexpr std::uint16_t kXF = 0x00E0;
constexpr std::uint16_t kMERGEDCELLS = 0x00E5;
constexpr std::uint16_t kMSODRAWING = 0x00EC;
constexpr std::uint16_t kSST = 0x00FC;
constexpr std::uint16_t kLABELSST = 0x00FD;
constexpr std::uint16_t kEXTSST = 0x00FF;
constexpr std::uint16_t kSUPBOOK = 0x01AE;
constexpr std::uint16_t kTXO = 0x01B6;
constexpr std::uint16_t kCONDFMT = 0x01B0;
constexpr std::uint16_t kCF = 0x01B1;
constexpr std::uint16_t kDVAL = 0x01B2;
constexpr std::uint16_t kHLINK = 0x01B8;
constexpr std::uint16_t kDV = 0x01BE;
constexpr std::uint16_t kBLANK = 0x0201;
constexpr std::uint16_t kNUMBER = 0x0203;
constexpr std::uint16_t kLABEL = 0x0204;
constexpr std::uint16_t kBOOLERR = 0x0205;
constexpr std::uint16_t kSTRING = 0x0207;
constexpr std::uint16_t kROW = 0x0208;
constexpr std::uint16_t kARRAY = 0x0221;
constexpr std::uint16_t kDEFAULTROWHEIGHT = 0x0225;
constexpr std::uint16_t kTABLE = 0x0236;
constexpr std::uint16_t kWINDOW2 = 0x023E;
constexpr std::uint16_t kRK = 0x027E;
constexpr std::uint16_t kSTYLE = 0x0293;
constexpr std::uint16_t kFORMAT = 0x041E;
// FORMULA under its BIFF3/BIFF4 type number. A few writers still use it in
// BIFF8 streams, and spreadsheet programs read it as FORMULA.
constexpr std::uint16_t kFORMULA_BIFF4 = 0x0406;
constexpr std::uint16_t kSHRFMLA = 0x04BC;
constexpr std::uint16_t kQUICKTIP = 0x0800;
constexpr std::uint16_t kBOF = 0x0809;
// SHEETEXT: a worksheet's tab colour, in a future-record header.
constexpr std::uint16_t kSHEETEXT = 0x0862;

// CONTINUE body: the first byte is taken as a flag byte (for a string that
// goes on across the boundary, its option flags); the data follows it.
constexpr std::uint32_t kContinueFlagSize = 1;

// BOF record as the substream search recognises it (BIFF8 only; older BOF
// type numbers are not taken). Offsets count from the record's first byte.
//
//   offset 0  u16  0x0809 (bytes 09 08)
//   offset 2  u16  body length: 16, or 8 to 15 for the short form below
//   offset 4  u16  BIFF version, 0x0600 for BIFF8
//   offset 6  u16  substream type
//   offset 8  ..   build and year (u16 each), then history and lowest-version
//                  fields (u32 each, not read)
//
// Some writers give the BOFs of a BIFF8 stream only the version, type, build
// and year fields (8 bytes, the length older BIFF versions use); such a short
// BOF is taken only with version 0x0600 and a known substream type.
constexpr std::uint8_t kBofSignature0 = 0x09;
constexpr std::uint8_t kBofSignature1 = 0x08;
constexpr std::uint32_t kBofBodyLength = 16;
constexpr std::uint32_t kBofShortBodyLength = 8;
constexpr std::uint32_t kBofLengthOffset = 2;
constexpr std::uint32_t kBofVersionOffset = 4;
constexpr std::uint32_t kBofSubstreamTypeOffset = 6;
constexpr std::uint16_t kBofVersionBiff8 = 0x0600;
// Bytes from the signature on that tell whether a BOF starts there: the
// record header, the version and the substream type.
constexpr std::uint32_t kBofTestSize = 8;
// The search reads this many bytes from the signature on: the signature and
// the 20 bytes after it (header length field and the whole 16-byte body).
constexpr std::uint32_t kBofProbeSize = 22;

// Substream types in the BOF body.
constexpr std::uint16_t kSubstreamGlobals = 0x0005;
constexpr std::uint16_t kSubstreamWorksheet = 0x0010;
constexpr std::uint16_t kSubstreamChart = 0x0020;
constexpr std::uint16_t kSubstreamMacroSheet = 0x0040;

// The search never looks at the last 513 bytes of the file: a BOF whose
// first byte lies at offset i is taken only when i + 513 < file length.
// Files of 513 bytes or less are not searched at all.
constexpr std::uint32_t kBofSearchTail = 513;

// BOUNDSHEET body (offsets in the body):
//
//   0  u32  stream position of the sheet's BOF
//   4  u8   visibility
//   5  u8   sheet type: 0 worksheet, 1 macro sheet, 2 chart, 6 VBA module
//   6  u8   name length in characters
//   7  u8   option flags: bit 0 16-bit characters, bit 2 extension size
//           present, bit 3 rich-text run count present
//   8  ..   [u16 run count] [u32 extension size] characters
constexpr std::uint32_t kBoundSheetPositionOffset = 0;
constexpr std::uint32_t kBoundSheetVisibilityOffset = 4;
constexpr std::uint32_t kBoundSheetTypeOffset = 5;
constexpr std::uint32_t kBoundSheetNameLengthOffset = 6;
constexpr std::uint32_t kBoundSheetFlagsOffset = 7;
constexpr std::uint32_t kBoundSheetFixedSize = 8;
constexpr std::uint8_t kBoundSheetWorksheet = 0;
constexpr std::uint8_t kBoundSheetMacroSheet = 1;

// Option flags of a BIFF8 unicode string (BOUNDSHEET names, SST strings,
// FONT and FORMAT strings).
constexpr std::uint8_t kStringWide = 0x01;      // characters are 16-bit
constexpr std::uint8_t kStringExtended = 0x04;  // u32 extension size follows
constexpr std::uint8_t kStringRich = 0x08;      // u16 run count follows

// Name of a record type for diagnostics and tools ("FONT", "SST", ...), or
// null for a type that is not in the table.
const char* RecordName(std::uint16_t type);

struct RecordNameEntry {
    std::uint16_t type;
    const char* name;
};
// The whole table, sorted by type; count in *count.
const RecordNameEntry* RecordNameTable(std::uint32_t* count);

}  // namespace biff
