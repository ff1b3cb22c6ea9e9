#include "biff/CBiff5Tokens.h"

#include <array>
#include <string>

#include "biff/CBiff5Text.h"

namespace {

using biff5::GetU16;
using biff5::PutU16;
using Bytes = std::vector<std::uint8_t>;

// How a token is rewritten. Sizes in the rule table count the bytes after
// the token id.
enum class EKind : std::uint8_t {
    kRefused,    // no BIFF8 counterpart (or never seen in BIFF5)
    kSame,       // identical layout
    kStr,        // cch u8, 8-bit characters
    kAttr,       // kind u8, u16 data, [jump table]
    kArray,      // 7 reserved bytes; constants after the tokens
    kName,       // ilbl u16, 12 reserved -> ilbl u16, u16 0
    kRef,        // rw u16 (flags in bits 14-15), col u8
    kArea,       // rwFirst, rwLast, colFirst u8, colLast u8
    kRefN,       // as kRef, relative row a 14-bit signed offset
    kAreaN,      // as kArea, likewise
    kRefErr,     // 3 bytes -> 4 zero bytes
    kAreaErr,    // 6 bytes -> 8 zero bytes
    kMem,        // 4 reserved, cce u16
    kMemArea,    // as kMem; cached areas after the tokens
    kMemShort,   // cce u16
    kRef3d,      // ixals, 8 reserved, itabFirst, itabLast, rw, col u8
    kArea3d,     // ixals, 8 reserved, itabFirst, itabLast, area
    kRefErr3d,   // as kRef3d
    kAreaErr3d,  // as kArea3d
};

struct Rule {
    EKind kind;
    std::uint8_t size;  // BIFF5 bytes after the id (variable parts excluded)
};

// Ids 0x00-0x1F: operators, constants and control tokens.
constexpr std::array<Rule, 32> kPlainRules = [] {
    std::array<Rule, 32> rules{};
    for (Rule& rule : rules) rule = {EKind::kRefused, 0};
    rules[0x01] = {EKind::kSame, 4};  // ptgExp
    rules[0x02] = {EKind::kSame, 4};  // ptgTbl
    for (int id = 0x03; id <= 0x16; ++id)
        rules[id] = {EKind::kSame, 0};  // operators, paren, missing
    rules[0x17] = {EKind::kStr, 1};
    rules[0x19] = {EKind::kAttr, 3};
    rules[0x1C] = {EKind::kSame, 1};  // ptgErr
    rules[0x1D] = {EKind::kSame, 1};  // ptgBool
    rules[0x1E] = {EKind::kSame, 2};  // ptgInt
    rules[0x1F] = {EKind::kSame, 8};  // ptgNum
    return rules;
}();

// Ids 0x20-0x7F by their low five bits (the class bits 0x60 are kept).
constexpr std::array<Rule, 32> kClassRules = [] {
    std::array<Rule, 32> rules{};
    for (Rule& rule : rules) rule = {EKind::kRefused, 0};
    rules[0x00] = {EKind::kArray, 7};
    rules[0x01] = {EKind::kSame, 2};  // ptgFunc
    rules[0x02] = {EKind::kSame, 3};  // ptgFuncVar
    rules[0x03] = {EKind::kName, 14};
    rules[0x04] = {EKind::kRef, 3};
    rules[0x05] = {EKind::kArea, 6};
    rules[0x06] = {EKind::kMemArea, 6};
    rules[0x07] = {EKind::kMem, 6};       // ptgMemErr
    rules[0x08] = {EKind::kMem, 6};       // ptgMemNoMem
    rules[0x09] = {EKind::kMemShort, 2};  // ptgMemFunc
    rules[0x0A] = {EKind::kRefErr, 3};
    rules[0x0B] = {EKind::kAreaErr, 6};
    rules[0x0C] = {EKind::kRefN, 3};
    rules[0x0D] = {EKind::kAreaN, 6};
    rules[0x0E] = {EKind::kMemShort, 2};  // ptgMemAreaN
    rules[0x0F] = {EKind::kMemShort, 2};  // ptgMemNoMemN
    rules[0x1A] = {EKind::kRef3d, 17};
    rules[0x1B] = {EKind::kArea3d, 20};
    rules[0x1C] = {EKind::kRefErr3d, 17};
    rules[0x1D] = {EKind::kAreaErr3d, 20};
    return rules;
}();

constexpr std::uint8_t kAttrIf = 0x02;
constexpr std::uint8_t kAttrChoose = 0x04;
constexpr std::uint8_t kAttrSkip = 0x08;
constexpr std::uint16_t kRowFlags = 0xC000;  // row relative, column relative
constexpr std::uint16_t kRowMask = 0x3FFF;

// A u16 in the output that holds a distance over the tokens: recomputed
// once every token has its new offset.
struct Jump {
    std::size_t field;      // output offset of the u16
    std::size_t newBase;    // output offset the distance counts from
    std::size_t oldTarget;  // rgce offset the distance reaches (+ adjust)
    std::size_t adjust;     // 1 for ptgAttrSkip, which counts one byte less
};

// The BIFF8 row of a BIFF5 row word (whose top bits are the relative flags).
void PutRow(Bytes& out, std::uint16_t rw, bool relativeOffsets) {
    std::uint16_t row = rw & kRowMask;
    // A relative row of a shared formula or name is a signed 14-bit offset;
    // BIFF8 keeps it as a signed 16-bit one.
    if (relativeOffsets && (rw & 0x8000) != 0 && (row & 0x2000) != 0) row |= kRowFlags;
    PutU16(out, row);
}

// The BIFF8 column: the column byte with the relative flags of the row word.
std::uint16_t FlaggedColumn(std::uint16_t rw, std::uint8_t col) {
    return static_cast<std::uint16_t>(col | (rw & kRowFlags));
}

void PutArea(Bytes& out, const std::uint8_t* at, bool relativeOffsets) {
    const std::uint16_t rwFirst = GetU16(at);
    const std::uint16_t rwLast = GetU16(at + 2);
    PutRow(out, rwFirst, relativeOffsets);
    PutRow(out, rwLast, relativeOffsets);
    PutU16(out, FlaggedColumn(rwFirst, at[4]));
    PutU16(out, FlaggedColumn(rwLast, at[5]));
}

void PutRef(Bytes& out, const std::uint8_t* at, bool relativeOffsets) {
    const std::uint16_t rw = GetU16(at);
    PutRow(out, rw, relativeOffsets);
    PutU16(out, FlaggedColumn(rw, at[2]));
}

class CTranslation {
public:
    CTranslation(std::span<const std::uint8_t> rgce, std::span<const std::uint8_t> extra,
                 CBiff5Text& text, const CBiff5Tokens::SheetRangeIndex& sheets,
                 CBiff5Tokens::Result& out)
        : m_rgce(rgce),
          m_extra(extra),
          m_text(text),
          m_sheets(sheets),
          m_out(out),
          m_newAt(rgce.size() + 1, kNone) {}

    bool Run() {
        m_out.tokens.clear();
        m_out.extra.clear();
        std::size_t at = 0;
        // Every token consumes at least its id byte.
        while (at < m_rgce.size()) {
            m_newAt[at] = m_out.tokens.size();
            const std::size_t next = Token(at);
            if (next == 0) return false;
            at = next;
        }
        m_newAt[m_rgce.size()] = m_out.tokens.size();
        return FixJumps();
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    bool Has(std::size_t at, std::size_t n) const {
        return at <= m_rgce.size() && n <= m_rgce.size() - at;
    }
    bool HasExtra(std::size_t n) const { return n <= m_extra.size() - m_extraAt; }

    // The rgce offset after the token at `at`, or 0 when it is refused.
    std::size_t Token(std::size_t at) {
        const std::uint8_t id = m_rgce[at];
        const Rule rule = id < 0x20 ? kPlainRules[id] : kClassRules[id & 0x1F];
        if (id >= 0x80 || rule.kind == EKind::kRefused) return 0;
        if (!Has(at + 1, rule.size)) return 0;
        const std::uint8_t* body = m_rgce.data() + at + 1;
        const std::size_t end = at + 1 + rule.size;
        Bytes& out = m_out.tokens;
        out.push_back(id);
        switch (rule.kind) {
            case EKind::kSame:
            case EKind::kArray:
                out.insert(out.end(), body, body + rule.size);
                if (rule.kind == EKind::kArray && !ArrayConstants()) return 0;
                return end;
            case EKind::kStr:
                return String(at);
            case EKind::kAttr:
                return Attr(at);
            case EKind::kName:
                PutU16(out, GetU16(body));
                PutU16(out, 0);
                return end;
            case EKind::kRef:
            case EKind::kRefN:
                PutRef(out, body, rule.kind == EKind::kRefN);
                return end;
            case EKind::kArea:
            case EKind::kAreaN:
                PutArea(out, body, rule.kind == EKind::kAreaN);
                return end;
            case EKind::kRefErr:
                out.insert(out.end(), 4, 0);
                return end;
            case EKind::kAreaErr:
                out.insert(out.end(), 8, 0);
                return end;
            case EKind::kMem:
            case EKind::kMemArea:
                out.insert(out.end(), body, body + 4);
                m_jumps.push_back({out.size(), out.size() + 2, end + GetU16(body + 4), 0});
                PutU16(out, 0);
                if (rule.kind == EKind::kMemArea && !CachedAreas()) return 0;
                return end;
            case EKind::kMemShort:
                m_jumps.push_back({out.size(), out.size() + 2, end + GetU16(body), 0});
                PutU16(out, 0);
                return end;
            case EKind::kRef3d:
            case EKind::kArea3d:
            case EKind::kRefErr3d:
            case EKind::kAreaErr3d:
                return Reference3d(rule.kind, body) ? end : 0;
            case EKind::kRefused:
                return 0;
        }
        return 0;
    }

    std::size_t String(std::size_t at) {
        const std::size_t cch = m_rgce[at + 1];
        const std::size_t bytes = cch;
        if (!Has(at + 2, bytes)) return 0;
        std::u16string text = m_text.Decode(m_rgce.subspan(at + 2, bytes));
        if (text.size() > 0xFF) text.resize(0xFF);
        m_out.tokens.push_back(static_cast<std::uint8_t>(text.size()));
        CBiff5Text::AppendBody(m_out.tokens, text);
        return at + 2 + bytes;
    }

    std::size_t Attr(std::size_t at) {
        const std::uint8_t kind = m_rgce[at + 1];
        const std::uint16_t data = GetU16(m_rgce.data() + at + 2);
        const std::size_t end = at + 4;
        const std::size_t tableSize = (kind & kAttrChoose) != 0 ? (data + std::size_t{1}) * 2 : 0;
        if (!Has(end, tableSize)) return 0;
        Bytes& out = m_out.tokens;
        const std::size_t newStart = out.size() - 1;
        out.insert(out.end(), m_rgce.begin() + at + 1, m_rgce.begin() + end + tableSize);
        if ((kind & kAttrIf) != 0) m_jumps.push_back({newStart + 2, newStart + 4, end + data, 0});
        if ((kind & kAttrSkip) != 0) {
            m_jumps.push_back({newStart + 2, newStart + 4, end + data + 1, 1});
        }
        // The jump table's offsets count from the table's first byte.
        for (std::size_t i = 0; i < tableSize; i += 2) {
            const std::uint16_t offset = GetU16(m_rgce.data() + end + i);
            m_jumps.push_back({newStart + 4 + i, newStart + 4, end + offset, 0});
        }
        return end + tableSize;
    }

    bool Reference3d(EKind kind, const std::uint8_t* body) {
        const auto ixals = static_cast<std::int16_t>(GetU16(body));
        // A non-negative index names another workbook's sheet, which the
        // own-workbook list cannot express.
        if (ixals >= 0) return false;
        const int ixti = m_sheets ? m_sheets(GetU16(body + 10), GetU16(body + 12)) : -1;
        if (ixti < 0 || ixti > 0xFFFF) return false;
        Bytes& out = m_out.tokens;
        PutU16(out, static_cast<std::uint16_t>(ixti));
        switch (kind) {
            case EKind::kRef3d:
                PutRef(out, body + 14, false);
                break;
            case EKind::kArea3d:
                PutArea(out, body + 14, false);
                break;
            case EKind::kRefErr3d:
                out.insert(out.end(), 4, 0);
                break;
            default:
                out.insert(out.end(), 8, 0);
                break;
        }
        return true;
    }

    // Constants of a ptgArray: BIFF5 counts columns (u8, 0 for 256) and rows
    // (u16) where BIFF8 stores each count less one. Then per value a type
    // byte and 8 bytes, a string instead its cch (u8 in BIFF5, u16 in BIFF8)
    // and characters.
    bool ArrayConstants() {
        if (!HasExtra(3)) return false;
        Bytes& out = m_out.extra;
        const std::uint8_t* at = m_extra.data() + m_extraAt;
        const std::size_t columns = at[0] == 0 ? 256 : at[0];
        const std::size_t rows = GetU16(at + 1);
        if (rows == 0) return false;
        const std::size_t count = columns * rows;
        out.push_back(static_cast<std::uint8_t>(columns - 1));
        PutU16(out, static_cast<std::uint16_t>(rows - 1));
        m_extraAt += 3;
        // Each value takes at least two bytes: the count is checked against
        // what is there before the loop.
        if (count > (m_extra.size() - m_extraAt) / 2) return false;
        for (std::size_t i = 0; i < count; ++i) {
            if (!HasExtra(1)) return false;
            const std::uint8_t type = m_extra[m_extraAt++];
            out.push_back(type);
            if (type == 0x02) {
                if (!HasExtra(1)) return false;
                const std::size_t bytes = std::size_t{m_extra[m_extraAt]};
                if (!HasExtra(1 + bytes)) return false;
                const std::u16string text = m_text.Decode(m_extra.subspan(m_extraAt + 1, bytes));
                PutU16(out, static_cast<std::uint16_t>(text.size()));
                CBiff5Text::AppendBody(out, text);
                m_extraAt += 1 + bytes;
            } else if (type == 0x00 || type == 0x01 || type == 0x04 || type == 0x10) {
                if (!HasExtra(8)) return false;
                out.insert(out.end(), m_extra.begin() + m_extraAt, m_extra.begin() + m_extraAt + 8);
                m_extraAt += 8;
            } else {
                return false;
            }
        }
        return true;
    }

    // Cached areas of a ptgMemArea: count u16, then per area rwFirst,
    // rwLast u16 and colFirst, colLast u8, widened to u16 columns.
    bool CachedAreas() {
        if (!HasExtra(2)) return false;
        const std::size_t count = GetU16(m_extra.data() + m_extraAt);
        m_extraAt += 2;
        if (!HasExtra(count * 6)) return false;
        Bytes& out = m_out.extra;
        PutU16(out, static_cast<std::uint16_t>(count));
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* area = m_extra.data() + m_extraAt;
            PutU16(out, GetU16(area));
            PutU16(out, GetU16(area + 2));
            PutU16(out, area[4]);
            PutU16(out, area[5]);
            m_extraAt += 6;
        }
        return true;
    }

    // The new offset of an old one: a token start, the end of the tokens,
    // or (for writers that count to the last byte of a token rather than
    // past it) one byte before a token start.
    std::size_t NewOffset(std::size_t old) const {
        if (old < m_newAt.size() && m_newAt[old] != kNone) return m_newAt[old];
        if (old + 1 < m_newAt.size() && m_newAt[old + 1] != kNone && m_newAt[old + 1] > 0) {
            return m_newAt[old + 1] - 1;
        }
        return kNone;
    }

    bool FixJumps() {
        for (const Jump& jump : m_jumps) {
            const std::size_t target = NewOffset(jump.oldTarget);
            if (target == kNone || target < jump.newBase + jump.adjust) return false;
            const std::size_t distance = target - jump.newBase - jump.adjust;
            if (distance > 0xFFFF) return false;
            biff5::SetU16(m_out.tokens, jump.field, static_cast<std::uint16_t>(distance));
        }
        return true;
    }

    std::span<const std::uint8_t> m_rgce;
    std::span<const std::uint8_t> m_extra;
    std::size_t m_extraAt = 0;
    CBiff5Text& m_text;
    const CBiff5Tokens::SheetRangeIndex& m_sheets;
    CBiff5Tokens::Result& m_out;
    std::vector<std::size_t> m_newAt;  // per rgce offset: its output offset, or kNone
    std::vector<Jump> m_jumps;
};

}  // namespace

bool CBiff5Tokens::Translate(std::span<const std::uint8_t> rgce,
                             std::span<const std::uint8_t> extra, CBiff5Text& text,
                             const SheetRangeIndex& sheets, Result& out) {
    return CTranslation(rgce, extra, text, sheets, out).Run();
}
