// A bounded reader over the bytes of one joined SST record that knows where
// its CONTINUE boundaries lie and what byte the record stream removed at
// each of them.
//
// Positions count from the record's 4-byte header. A read never passes the
// end of the bytes and never steps over a boundary unseen:
//  - data reads (ReadU8/ReadU16/ReadU32/ReadRun/SkipData) put the removed
//    byte back at its boundary, because there it is real data;
//  - ReadChars takes the removed byte as the option byte of the characters
//    that follow (bit 0: 16-bit).
// Besides the position in the bytes, the cursor keeps a "normalised"
// position: the offset the same place would have if every character were
// 16-bit, every removed data byte were present and every option byte at a
// boundary inside characters were absent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CExcelSSTCursor {
public:
    struct Boundary {
        std::uint32_t offset;      // where the CONTINUE's remaining bytes begin
        std::uint8_t removedByte;  // the CONTINUE's first byte, not in the bytes
        // The CONTINUE's header was damaged and its bytes were found again by
        // the framing: what crosses this boundary cannot be trusted.
        bool damaged = false;
    };

    // bytes: size bytes, not copied (they must outlive the cursor); the
    // cursor starts at offset 0. boundaries: in file order (non-decreasing
    // offsets); offsets beyond size are never reached.
    CExcelSSTCursor(const std::uint8_t* bytes, std::uint32_t size,
                    std::vector<Boundary> boundaries);
    virtual ~CExcelSSTCursor() = default;

    // True while a byte (from the data or a boundary) can still be read.
    bool HasData() const;
    std::uint32_t GetPosition() const { return m_pos; }
    // Bytes of the joined record: one past the last position.
    std::uint32_t GetSize() const { return m_size; }
    std::uint32_t GetNormalisedPosition() const { return m_normalised; }
    // Number of boundaries passed so far (taken as data or as option byte).
    std::uint32_t GetBoundariesUsed() const { return m_next; }
    // True once a read wanted more bytes than were left.
    bool IsExhausted() const { return m_exhausted; }
    // True once damage was found at a boundary the reads crossed: one the
    // record stream marked damaged, an option byte with reserved bits set,
    // or characters after an option byte that read as the other width's
    // bytes (two ASCII letters as one 16-bit character, 16-bit ASCII as
    // letters and NULs). Reads since may come from the wrong place.
    bool IsUnsound() const { return m_unsound; }
    // Index (in file order) of the boundary where the damage was found.
    std::uint32_t GetDamagedBoundary() const { return m_damagedBoundary; }
    // Offset of boundary index (in file order); size of the bytes past the
    // last.
    std::uint32_t BoundaryOffset(std::uint32_t index) const;

    // Everything the cursor knows of where it is, to come back to.
    struct Mark {
        std::uint32_t next, pos, normalised, damagedBoundary;
        bool exhausted, unsound;
    };
    Mark GetMark() const {
        return {m_next, m_pos, m_normalised, m_damagedBoundary, m_exhausted, m_unsound};
    }
    void SetMark(const Mark& mark);

    // Moves to offset with the first `passed` boundaries taken as crossed,
    // and forgets exhaustion and unsoundness. The normalised position then
    // counts from offset as if the bytes before it were all data.
    void Seek(std::uint32_t offset, std::uint32_t passed);

    // Little-endian data reads; a read cut by the end of the bytes gives 0
    // and marks the cursor exhausted.
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    // Reads 4 data bytes; false (and nothing usable) when they are not all
    // there.
    bool ReadRun(std::uint8_t out[4]);
    // Skips n data bytes (an extension block); false when the data ends
    // first.
    bool SkipData(std::uint32_t n);
    // Reads up to count characters that start in the given width, switching
    // width at each boundary met before the last one, into text (replacing
    // what it held; its capacity serves string after string). Stops early
    // at the end of the bytes (the cursor is then exhausted).
    void ReadChars(std::uint32_t count, bool wide, std::u16string& text);

private:
    bool AtBoundary() const;
    // Offset of the next boundary not yet passed, or the end of the bytes.
    std::uint32_t Limit() const;
    bool ReadDataByte(std::uint8_t& out);
    // Takes note of damage at boundary index (the first found is kept).
    void MarkDamage(std::uint32_t boundary);
    // Checks the characters text[from..] read after the option byte at
    // boundary index, which gave them the width `wide` (switched: another
    // width than the characters before it).
    void CheckPiece(const std::u16string& text, std::size_t from, bool wide, bool switched,
                    std::uint32_t boundary);
    // A boundary not yet passed lies at or before the end of the bytes.
    bool BoundaryAhead() const;

    const std::uint8_t* m_bytes;
    std::uint32_t m_size;
    std::vector<Boundary> m_boundaries;
    std::uint32_t m_next = 0;
    std::uint32_t m_pos = 0;
    std::uint32_t m_normalised = 0;
    bool m_exhausted = false;
    bool m_unsound = false;
    std::uint32_t m_damagedBoundary = 0;
};
