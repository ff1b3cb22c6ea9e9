// Byte layout of what the writer produces for cell comments: the drawing
// records (the drawing group in the workbook globals, one drawing per sheet
// that has comments) and the OBJ, TXO and NOTE records of each comment.
// Every integer is little-endian.
//
// Drawing data is a tree of drawing records, each an 8-byte header
//
//   u16  version (bits 0-3; 0xF for a container) | instance << 4
//   u16  record type
//   u32  length of what follows the header
//
// carried in the bodies of MSODRAWINGGROUP (globals) and MSODRAWING (sheet)
// records. A sheet's drawing is one container whose pieces are spread over
// several MSODRAWING records with OBJ and TXO records between them; the
// container lengths count the drawing bytes of all those MSODRAWING records
// and nothing else:
//
//   MSODRAWING  drawing container, FDG, group container, the group's shape
//               container, the first comment's shape container up to its
//               client data
//   OBJ, then MSODRAWING with the client text box (still inside that shape
//   container), TXO and its CONTINUE records
//   MSODRAWING  the next comment's shape container ...
//
// Shape ids come in clusters of 1024: id / 1024 names the cluster, and the
// drawing group's cluster table says which drawing owns each cluster (the
// first entry describes cluster 1; ids below 1024 are never used).
#pragma once

#include <cstdint>

namespace xlsd {

// ---- Drawing record header -----------------------------------------------
constexpr std::uint32_t kHeaderSize = 8;
constexpr std::uint16_t kContainer = 0x000F;  // version of every container
constexpr std::uint32_t kInstanceShift = 4;

// Record types.
constexpr std::uint16_t kDggContainer = 0xF000;  // the drawing group
constexpr std::uint16_t kDgContainer = 0xF002;   // one sheet's drawing
constexpr std::uint16_t kSpgrContainer = 0xF003;
constexpr std::uint16_t kSpContainer = 0xF004;
constexpr std::uint16_t kDgg = 0xF006;   // FDGG block with the cluster table
constexpr std::uint16_t kDg = 0xF008;    // FDG: shapes and last shape id; instance = drawing id
constexpr std::uint16_t kSpgr = 0xF009;  // the group's coordinate rectangle, version 1
constexpr std::uint16_t kSp = 0xF00A;    // FSP: shape id and flags, version 2, instance = type
constexpr std::uint16_t kOpt = 0xF00B;   // properties, version 3, instance = their count
constexpr std::uint16_t kClientTextbox = 0xF00D;
constexpr std::uint16_t kClientAnchor = 0xF010;
constexpr std::uint16_t kClientData = 0xF011;
constexpr std::uint16_t kSplitColors = 0xF11E;  // split-menu colours, instance 4

constexpr std::uint16_t kSpgrVersion = 1;
constexpr std::uint16_t kSpVersion = 2;
constexpr std::uint16_t kOptVersion = 3;

// ---- FDGG block: u32 largest shape id + 1, u32 cluster entries + 1, u32
// shapes saved, u32 drawings saved; then per cluster u32 drawing id, u32
// shape ids used in it.
constexpr std::uint32_t kDggFixedSize = 16;
constexpr std::uint32_t kClusterEntrySize = 8;
constexpr std::uint32_t kShapeIdsPerCluster = 1024;
// Every shape id, and the largest + 1, stays below 0x03FFD7FF: the last
// cluster that may be used.
constexpr std::uint32_t kLastCluster = 65524;
// FDG's instance (the drawing id) is at most 0xFFE.
constexpr std::uint32_t kMaxDrawingId = 0x0FFE;

// ---- FSP: u32 shape id, u32 flags.
constexpr std::uint32_t kSpGroup = 0x0001;
constexpr std::uint32_t kSpPatriarch = 0x0004;
constexpr std::uint32_t kSpHaveAnchor = 0x0200;
constexpr std::uint32_t kSpHaveShapeType = 0x0800;
constexpr std::uint16_t kShapeTypeTextBox = 202;  // a comment's box

// ---- Properties: u16 id, u32 value, sorted by id.
constexpr std::uint32_t kPropertySize = 6;
constexpr std::uint16_t kPropTextDirection = 0x008B;  // 2: from the context
constexpr std::uint16_t kPropTextBooleans = 0x00BF;   // auto text margins
constexpr std::uint16_t kPropFillColor = 0x0181;
constexpr std::uint16_t kPropFillBackColor = 0x0183;
constexpr std::uint16_t kPropFillBooleans = 0x01BF;  // hit test without fill
constexpr std::uint16_t kPropLineColor = 0x01C0;
constexpr std::uint16_t kPropShadowColor = 0x0201;
constexpr std::uint16_t kPropShadowBooleans = 0x023F;  // shadow on, obscured
constexpr std::uint16_t kPropShapeBooleans = 0x03BF;   // bit 1 hidden, bit 17 uses it
constexpr std::uint32_t kTextDirectionContext = 2;
constexpr std::uint32_t kTextAutoMargins = 0x00080008;
constexpr std::uint32_t kFillHitTest = 0x00100010;
constexpr std::uint32_t kShadowOn = 0x00030003;
constexpr std::uint32_t kShapeShown = 0x00020000;
constexpr std::uint32_t kShapeHidden = 0x00020002;
// Colours: 0x08000000 | n is system colour n. A comment's box has the
// tooltip background (0x50), a black shadow.
constexpr std::uint32_t kColorInfoBackground = 0x08000050;
constexpr std::uint32_t kColorBlack = 0x00000000;
// The drawing group's default shape: fill colour 0x41, line colour 0x40.
constexpr std::uint32_t kColorDefaultFill = 0x08000041;
constexpr std::uint32_t kColorDefaultLine = 0x08000040;
// The colours of the drawing menu's split buttons: fill, line, shadow, 3-D.
constexpr std::uint32_t kSplitColorValues[] = {0x0800000D, 0x0800000C, 0x08000017, 0x100000F7};

// ---- Client anchor (18 bytes): u16 flags (bit 0 moves, bit 1 sizes with
// the cells), then left column, offset in 1/1024 of its width, top row,
// offset in 1/256 of its height, right column, offset, bottom row, offset
// (u16 each).
constexpr std::uint32_t kClientAnchorSize = 18;
constexpr std::uint16_t kAnchorMoveAndSize = 0x0003;

// ---- OBJ of a comment (52 bytes).
//   ftCmo  u16 0x0015, u16 18: u16 object type, u16 object id, u16 flags,
//          12 reserved bytes
//   ftNts  u16 0x000D, u16 22: GUID (16 bytes), u16 shared-note flag,
//          4 reserved bytes
//   ftEnd  u16 0, u16 0
constexpr std::uint16_t kFtCmo = 0x0015;
constexpr std::uint16_t kFtCmoSize = 18;
constexpr std::uint16_t kFtNts = 0x000D;
constexpr std::uint16_t kFtNtsSize = 22;
constexpr std::uint16_t kObjTypeComment = 0x0019;
constexpr std::uint16_t kObjLockedPrintedAutoLine = 0x4011;

// ---- TXO (18 bytes): u16 flags, u16 rotation, 6 reserved bytes, u16
// characters, u16 bytes of formatting runs, u16 font of an empty box, u16
// formula size (0). The text follows in CONTINUE records (option byte,
// characters), the runs in one CONTINUE after it: 8 bytes each, u16 first
// character, u16 font index, 4 reserved bytes; the last run starts at the
// text's end.
constexpr std::uint16_t kTxoLeftTopLocked = 0x0212;
constexpr std::uint32_t kTxoRunSize = 8;
constexpr std::uint32_t kMaxTextLength = 0xFFFF;

// ---- NOTE: u16 row, u16 column, u16 flags (bit 1 shown), u16 object id,
// author (long-form string of 1 to 54 characters), one padding byte.
constexpr std::uint16_t kNoteShown = 0x0002;
constexpr std::uint32_t kMaxAuthorLength = 54;

}  // namespace xlsd
