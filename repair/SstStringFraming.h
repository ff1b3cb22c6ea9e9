// The strings of a shared-string table (SST) framed through bytes that
// sector boundaries cut: inside the table's body, where records show only
// at its end, the strings tell whether one sector follows another.
// Positions count from the stream's first byte.
#pragma once

#include <cstdint>
#include <vector>

namespace sstframing {

// Sectors taken one after another, read as one run of bytes.
class BodyPieces {
public:
    void Add(const std::uint8_t* p, std::uint32_t size) {
        if (size == 0) return;
        m_pieces.push_back({p, size});
        m_size += size;
    }
    std::uint32_t Size() const { return m_size; }
    std::uint8_t At(std::uint32_t at) const {
        for (const Piece& piece : m_pieces) {
            if (at < piece.size) return piece.p[at];
            at -= piece.size;
        }
        return 0;
    }
    std::uint32_t U16(std::uint32_t at) const {
        return static_cast<std::uint32_t>(At(at) | (At(at + 1) << 8));
    }
    std::uint32_t U32(std::uint32_t at) const { return U16(at) | (U16(at + 2) << 16); }

private:
    struct Piece {
        const std::uint8_t* p;
        std::uint32_t size;
    };
    std::vector<Piece> m_pieces;
    std::uint32_t m_size = 0;
};

// What the strings of a shared-string table show in a stretch of its
// body: how many framed soundly, whether one broke the framing (reserved
// option flags), and where the next string's header starts.
struct StringsFit {
    int strings = 0;  // of them, strings with characters: empty ones prove little
    bool broken = false;
    std::int64_t next = 0;
    std::uint64_t headers = 0;  // string headers read, for the budget
};

// Frames the strings from stream position `from` through the bytes of
// pieces, which start at stream position base: each a character count and
// option flags without reserved bits, then the run count and extension
// size the flags announce, the characters, runs and extension. Stops at
// the first header at or past stop, past the body's end, or whose bytes
// the pieces do not hold yet. Each string takes at least 3 bytes: the loop
// ends within a third of the pieces' length.
StringsFit FrameStrings(const BodyPieces& pieces, std::int64_t base, std::int64_t from,
                        std::int64_t stop, std::int64_t bodyEnd);

}  // namespace sstframing
