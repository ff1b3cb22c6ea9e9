// Byte layout of the records that carry a cell comment in a BIFF8 worksheet
// substream. All integers are little-endian; payload offsets count from the
// first byte after a record's 4-byte header.
//
// A comment is a drawing object and a note. The object comes first, among
// the sheet's other drawing objects:
//
//   MSODRAWING  the shape (a text box) of the comment's box
//   OBJ         the object: type 0x19 (comment) and its object id
//   MSODRAWING  the shape's client text box (some writers carry this drawing
//               data in a CONTINUE record instead)
//   TXO         the text object: character count, formatting-run bytes
//   CONTINUE    the characters: an option byte (bit 0: 16-bit characters),
//               then the characters; a long text goes on in further
//               CONTINUE records, each starting with its own option byte
//   CONTINUE    the formatting runs, 8 bytes each
//
// and after every drawing object of the sheet, one NOTE per comment names
// the cell and the object id.
#pragma once

#include <cstdint>

namespace biff8 {

// ---- NOTE (0x001C) -----------------------------------------------------------
//   0  u16  row
//   2  u16  column
//   4  u16  flags: bit 1 the comment is shown at all times
//   6  u16  object id of the comment's OBJ record
//   8  ..   author: long-form unicode string (u16 count, option byte,
//           characters), then one undefined byte that some writers leave out
constexpr std::uint32_t kNoteRow = 0;
constexpr std::uint32_t kNoteColumn = 2;
constexpr std::uint32_t kNoteFlags = 4;
constexpr std::uint32_t kNoteObjectId = 6;
constexpr std::uint32_t kNoteAuthor = 8;
constexpr std::uint32_t kNoteFixedSize = 8;
constexpr std::uint16_t kNoteShown = 0x0002;

// ---- OBJ (0x005D) --------------------------------------------------------------
// A run of sub-records, each u16 type, u16 size, then size bytes. The first
// is the common object data (ftCmo, type 0x0015, 18 bytes):
//   4  u16  object type      6  u16  object id      8  u16  flags
//   10 ..   12 reserved bytes
// A comment's OBJ goes on with the note data (ftNts, type 0x000D, 22 bytes:
// a GUID, u16 shared-note flag, 4 reserved bytes) and ends with ftEnd
// (type 0, size 0).
constexpr std::uint16_t kObjCmo = 0x0015;
constexpr std::uint32_t kObjSubType = 0;
constexpr std::uint32_t kObjType = 4;
constexpr std::uint32_t kObjId = 6;
constexpr std::uint32_t kObjMinSize = 8;  // up to and including the object id
constexpr std::uint16_t kObjTypeComment = 0x0019;

// ---- TXO (0x01B6) ----------------------------------------------------------------
//   0  u16  alignment and lock flags      2  u16  rotation
//   4  ..   6 reserved bytes
//   10 u16  characters in the text        12 u16  bytes of formatting runs
//   14 u16  font of an empty text box     16 ..   formula (2 bytes of 0 here)
constexpr std::uint32_t kTxoTextLength = 10;
constexpr std::uint32_t kTxoRunsLength = 12;
constexpr std::uint32_t kTxoMinSize = 14;  // up to and including the run bytes

// The option byte that starts each CONTINUE record of a TXO's text.
constexpr std::uint8_t kTxoTextWide = 0x01;

}  // namespace biff8
