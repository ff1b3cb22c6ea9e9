#include "records/CExcelSSTCursor.h"

#include <algorithm>

#include "records/RecordLayout.h"

namespace {

constexpr std::uint8_t kOptionBits =
    biff8::kStringWide | biff8::kStringFarEast | biff8::kStringRichText;

}  // namespace

CExcelSSTCursor::CExcelSSTCursor(const std::uint8_t* bytes, std::uint32_t size,
                                 std::vector<Boundary> boundaries)
    : m_bytes(bytes), m_size(bytes ? size : 0), m_boundaries(std::move(boundaries)) {
    // The record stream appends CONTINUE data in file order, so offsets never
    // go down; holding that as an invariant keeps every walk below moving
    // forward even if a caller hands them out of order.
    for (std::size_t i = 1; i < m_boundaries.size(); ++i)
        m_boundaries[i].offset = std::max(m_boundaries[i].offset, m_boundaries[i - 1].offset);
}

bool CExcelSSTCursor::AtBoundary() const {
    return m_next < m_boundaries.size() && m_boundaries[m_next].offset == m_pos;
}

std::uint32_t CExcelSSTCursor::Limit() const {
    if (m_next < m_boundaries.size()) return std::min(m_boundaries[m_next].offset, m_size);
    return m_size;
}

bool CExcelSSTCursor::BoundaryAhead() const {
    return m_next < m_boundaries.size() && m_boundaries[m_next].offset <= m_size;
}

bool CExcelSSTCursor::HasData() const {
    return AtBoundary() || m_pos < m_size;
}

void CExcelSSTCursor::MarkDamage(std::uint32_t boundary) {
    if (m_unsound) return;
    m_unsound = true;
    m_damagedBoundary = boundary;
}

void CExcelSSTCursor::CheckPiece(const std::u16string& text, std::size_t from, bool wide,
                                 bool switched, std::uint32_t boundary) {
    const std::size_t length = text.size() - from;
    if (wide) {
        // Two ASCII bytes in every character: 8-bit text read as 16-bit. Far-
        // east text has such characters too, so a piece whose width did not
        // change must be long before it is taken for damage.
        if (length < (switched ? 2u : 12u)) return;
        auto ascii = [](unsigned b) { return b >= 0x20 && b < 0x7F; };
        for (std::size_t i = from; i < text.size(); ++i)
            if (!ascii(text[i] & 0xFF) || !ascii(text[i] >> 8)) return;
        MarkDamage(boundary);
        return;
    }
    // NULs between the letters: 16-bit text read as 8-bit.
    const auto nuls = static_cast<std::size_t>(
        std::count(text.begin() + static_cast<long>(from), text.end(), u'\0'));
    if (nuls >= 2 && 3 * nuls >= length) MarkDamage(boundary);
}

std::uint32_t CExcelSSTCursor::BoundaryOffset(std::uint32_t index) const {
    return index < m_boundaries.size() ? std::min(m_boundaries[index].offset, m_size) : m_size;
}

void CExcelSSTCursor::SetMark(const Mark& mark) {
    m_next = mark.next;
    m_pos = mark.pos;
    m_normalised = mark.normalised;
    m_damagedBoundary = mark.damagedBoundary;
    m_exhausted = mark.exhausted;
    m_unsound = mark.unsound;
}

void CExcelSSTCursor::Seek(std::uint32_t offset, std::uint32_t passed) {
    m_pos = std::min(offset, m_size);
    m_next = std::min<std::uint32_t>(passed, static_cast<std::uint32_t>(m_boundaries.size()));
    // Boundaries before the position are behind it whatever `passed` says.
    while (m_next < m_boundaries.size() && m_boundaries[m_next].offset < m_pos) ++m_next;
    m_normalised = m_pos;
    m_exhausted = false;
    m_unsound = false;
}

bool CExcelSSTCursor::ReadDataByte(std::uint8_t& out) {
    if (AtBoundary()) {
        // Outside characters the byte the record stream took for an option
        // byte is part of the string's header, runs or extension block.
        if (m_boundaries[m_next].damaged) MarkDamage(m_next);
        out = m_boundaries[m_next++].removedByte;
        ++m_normalised;
        return true;
    }
    if (m_pos < m_size) {
        out = m_bytes[m_pos++];
        ++m_normalised;
        return true;
    }
    m_exhausted = true;
    return false;
}

std::uint8_t CExcelSSTCursor::ReadU8() {
    std::uint8_t b = 0;
    return ReadDataByte(b) ? b : 0;
}

std::uint16_t CExcelSSTCursor::ReadU16() {
    std::uint8_t b[2] = {};
    if (!ReadDataByte(b[0]) || !ReadDataByte(b[1])) return 0;
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t CExcelSSTCursor::ReadU32() {
    std::uint32_t value = 0;
    for (unsigned i = 0; i < 4; ++i) {
        std::uint8_t b = 0;
        if (!ReadDataByte(b)) return 0;
        value |= static_cast<std::uint32_t>(b) << (8 * i);
    }
    return value;
}

bool CExcelSSTCursor::ReadRun(std::uint8_t out[4]) {
    for (unsigned i = 0; i < 4; ++i)
        if (!ReadDataByte(out[i])) return false;
    return true;
}

bool CExcelSSTCursor::SkipData(std::uint32_t n) {
    while (n > 0) {
        if (AtBoundary()) {
            if (m_boundaries[m_next].damaged) MarkDamage(m_next);
            ++m_next;
            ++m_normalised;
            --n;
            continue;
        }
        const std::uint32_t limit = Limit();
        if (m_pos >= limit) {
            m_exhausted = true;
            return false;
        }
        const std::uint32_t step = std::min(n, limit - m_pos);
        m_pos += step;
        m_normalised += step;
        n -= step;
    }
    return true;
}

void CExcelSSTCursor::ReadChars(std::uint32_t count, bool wide, std::u16string& text) {
    text.clear();
    // The count is untrusted: reserve no more than the bytes left could hold.
    text.reserve(std::min<std::uint32_t>(count, m_size - m_pos));
    bool afterOption = false;
    bool switched = false;
    std::size_t pieceStart = 0;
    std::uint32_t pieceBoundary = 0;
    while (text.size() < count) {
        if (AtBoundary()) {
            if (afterOption) CheckPiece(text, pieceStart, wide, switched, pieceBoundary);
            if (m_boundaries[m_next].damaged) MarkDamage(m_next);
            const std::uint8_t option = m_boundaries[m_next].removedByte;
            // Only the width, rich-text and far-east bits are ever set; any
            // other bit means the byte is not an option byte after all.
            if (option & ~kOptionBits) MarkDamage(m_next);
            switched = (option & 0x01) != wide;
            wide = option & 0x01;
            afterOption = true;
            pieceStart = text.size();
            pieceBoundary = m_next++;
            continue;
        }
        const std::uint32_t limit = Limit();
        const std::uint32_t width = wide ? 2 : 1;
        const std::uint32_t room = limit > m_pos ? (limit - m_pos) / width : 0;
        if (room > 0) {
            // Every character up to the next boundary at once: none lies
            // between here and the limit.
            const auto take =
                static_cast<std::uint32_t>(std::min<std::size_t>(room, count - text.size()));
            const std::uint8_t* p = m_bytes + m_pos;
            // Widened in place: appending a range of bytes would build a
            // temporary string of them first.
            const std::size_t at = text.size();
            text.resize(at + take);
            char16_t* out = text.data() + at;
            if (wide) {
                for (std::uint32_t i = 0; i < take; ++i)
                    out[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
            } else {
                std::copy(p, p + take, out);
            }
            m_pos += take * width;
            m_normalised += 2 * take;
            continue;
        }
        if (BoundaryAhead()) {
            // Half a 16-bit character before a CONTINUE boundary: a damaged
            // record; drop the stray byte and go on with the next piece.
            m_pos = limit;
            continue;
        }
        m_exhausted = true;
        break;
    }
    if (afterOption) CheckPiece(text, pieceStart, wide, switched, pieceBoundary);
}
