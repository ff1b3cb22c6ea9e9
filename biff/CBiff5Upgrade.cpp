#include "biff/CBiff5Upgrade.h"

#include <algorithm>
#include <string>
#include <utility>

#include "biff/BiffRecordIds.h"
#include "biff/CBiff5Text.h"
#include "biff/CBiff5Tokens.h"

namespace {

using biff5::GetU16;
using biff5::GetU32;
using biff5::PutU16;
using biff5::PutU32;
using Bytes = std::vector<std::uint8_t>;

// BIFF5 BOF body: version u16, substream type u16, build u16, year u16.
constexpr std::uint16_t kVersionBiff5 = 0x0500;
constexpr std::uint32_t kBiff5BofLength = 8;
constexpr std::uint32_t kLowestBiffVersion = 6;
constexpr std::uint32_t kStreamAlignment = 64;
constexpr int kMaxNesting = 16;

// Record types that only this translator handles.
constexpr std::uint16_t kEXTERNCOUNT = 0x0016;
constexpr std::uint16_t kHEADER = 0x0014;
constexpr std::uint16_t kFOOTER = 0x0015;
constexpr std::uint16_t kVERTICALPAGEBREAKS = 0x001A;
constexpr std::uint16_t kHORIZONTALPAGEBREAKS = 0x001B;
constexpr std::uint16_t kCODEPAGE = 0x0042;
constexpr std::uint16_t kWRITEACCESS = 0x005C;
constexpr std::uint16_t kIMDATA = 0x007F;
constexpr std::uint16_t kDBCELL = 0x00D7;
constexpr std::uint16_t kDIMENSIONS = 0x0200;
constexpr std::uint16_t kINDEX = 0x020B;

// The most characters a LABEL (8 fixed bytes, flag byte, 16-bit
// characters) holds in one BIFF8 record.
constexpr std::size_t kMaxLabelChars = (biff::kMaxBodyLength - 9) / 2;
// Refused shared formulas remembered per translation (a bound on the
// lookups each formula cell makes).
constexpr std::size_t kMaxRefusedBlocks = 256;
// XTI entries one EXTERNSHEET record holds (cXTI u16, 6 bytes each).
constexpr std::size_t kMaxXti = (biff::kMaxBodyLength - 2) / 6;

enum class EAction : std::uint8_t { kCopy, kRewrite, kDrop };

struct RecordRule {
    std::uint16_t type;
    EAction action;
};

// Records not listed are copied as they are.
constexpr RecordRule kRecordRules[] = {
    {biff::kFORMULA, EAction::kRewrite},
    {kHEADER, EAction::kRewrite},
    {kFOOTER, EAction::kRewrite},
    {kEXTERNCOUNT, EAction::kDrop},
    {biff::kEXTERNSHEET, EAction::kDrop},
    {biff::kNAME, EAction::kRewrite},
    {biff::kNOTE, EAction::kDrop},
    {biff::kEXTERNNAME, EAction::kDrop},
    {kVERTICALPAGEBREAKS, EAction::kRewrite},
    {kHORIZONTALPAGEBREAKS, EAction::kRewrite},
    {biff::kXCT, EAction::kDrop},
    {biff::kCRN, EAction::kDrop},
    {biff::kFONT, EAction::kRewrite},
    {kCODEPAGE, EAction::kRewrite},
    {kWRITEACCESS, EAction::kDrop},
    {biff::kOBJ, EAction::kDrop},
    {kIMDATA, EAction::kDrop},
    {biff::kBOUNDSHEET, EAction::kRewrite},
    {biff::kRSTRING, EAction::kRewrite},
    {kDBCELL, EAction::kDrop},
    {biff::kXF, EAction::kRewrite},
    {biff::kTXO, EAction::kDrop},
    {kDIMENSIONS, EAction::kRewrite},
    {biff::kLABEL, EAction::kRewrite},
    {biff::kSTRING, EAction::kRewrite},
    {kINDEX, EAction::kDrop},
    {biff::kARRAY, EAction::kRewrite},
    {biff::kSTYLE, EAction::kRewrite},
    {biff::kFORMAT, EAction::kRewrite},
    {biff::kSHRFMLA, EAction::kRewrite},
};

EAction ActionOf(std::uint16_t type) {
    for (const RecordRule& rule : kRecordRules) {
        if (rule.type == type) return rule.action;
    }
    return EAction::kCopy;
}

// A BOF of BIFF5's length with version 0x0500. With `inBiff5Workbook`,
// version 0x0600 is taken too: Gnumeric gives the sheet BOFs of its Excel 95
// streams that version, with the BIFF5 length and BIFF5 records after them.
bool IsBiff5Bof(std::span<const std::uint8_t> bytes, std::size_t at, bool inBiff5Workbook) {
    if (at > bytes.size() || bytes.size() - at < 4 + kBiff5BofLength) return false;
    const std::uint8_t* p = bytes.data() + at;
    const std::uint16_t version = GetU16(p + 4);
    return GetU16(p) == biff::kBOF && GetU16(p + 2) == kBiff5BofLength &&
           (version == kVersionBiff5 || (inBiff5Workbook && version == biff::kBofVersionBiff8));
}

std::size_t FindBiff5Bof(std::span<const std::uint8_t> bytes, std::size_t from,
                         bool inBiff5Workbook) {
    for (std::size_t at = from; at + 4 + kBiff5BofLength <= bytes.size(); ++at) {
        if (bytes[at] == biff::kBofSignature0 && IsBiff5Bof(bytes, at, inBiff5Workbook)) return at;
    }
    return bytes.size();
}

void PutRecord(Bytes& out, std::uint16_t type, const Bytes& body) {
    PutU16(out, type);
    PutU16(out, static_cast<std::uint16_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

// XF: BIFF5 16 bytes to BIFF8 20 bytes, field by field.
Bytes UpgradeXf(const std::uint8_t* xf) {
    const std::uint8_t align = xf[6];
    const std::uint8_t orientUsed = xf[7];
    const std::uint32_t area = GetU32(xf + 8);    // pattern, colours, bottom line
    const std::uint32_t lines = GetU32(xf + 12);  // top, left, right lines
    constexpr std::uint8_t kRotation[4] = {0, 255, 90, 180};

    const std::uint32_t patternColour = area & 0x7F;
    const std::uint32_t backgroundColour = (area >> 7) & 0x7F;
    const std::uint32_t pattern = (area >> 16) & 0x3F;
    const std::uint32_t bottomStyle = (area >> 22) & 0x07;
    const std::uint32_t bottomColour = (area >> 25) & 0x7F;
    const std::uint32_t topStyle = lines & 0x07;
    const std::uint32_t leftStyle = (lines >> 3) & 0x07;
    const std::uint32_t rightStyle = (lines >> 6) & 0x07;
    const std::uint32_t topColour = (lines >> 9) & 0x7F;
    const std::uint32_t leftColour = (lines >> 16) & 0x7F;
    const std::uint32_t rightColour = (lines >> 23) & 0x7F;

    Bytes out(xf, xf + 6);                                   // font, format, type/protection/parent
    out.push_back(static_cast<std::uint8_t>(align & 0x7F));  // horizontal, wrap, vertical
    out.push_back(kRotation[orientUsed & 0x03]);
    out.push_back(0);                                             // indent, shrink, text direction
    out.push_back(static_cast<std::uint8_t>(orientUsed & 0xFC));  // used-attribute flags
    PutU32(out, leftStyle | (rightStyle << 4) | (topStyle << 8) | (bottomStyle << 12) |
                    (leftColour << 16) | (rightColour << 23));
    PutU32(out, topColour | (bottomColour << 7) | (pattern << 26));
    PutU16(out, static_cast<std::uint16_t>(patternColour | (backgroundColour << 7)));
    return out;
}

class CUpgrader {
public:
    // A shared or array formula whose tokens cannot be rewritten: the cells
    // that point at it keep their cached values instead.
    struct RefusedBlock {
        std::uint32_t substream;  // which BOF it follows, counting from 1
        std::uint16_t rowFirst, rowLast;
        std::uint8_t colFirst, colLast;
    };

    // What the first pass learns for the second: the sheet count, the sheet
    // ranges of 3-D references, the shared formulas that were refused.
    struct Prescan {
        bool collecting = true;
        std::uint32_t sheetCount = 0;
        std::vector<std::pair<std::uint16_t, std::uint16_t>> list;
        std::vector<RefusedBlock> refused;
    };

    CUpgrader(std::span<const std::uint8_t> in, Prescan& ranges)
        : m_in(in), m_ranges(ranges), m_cap(in.size() * 4 + 65536) {
        m_sheets = [this](std::uint16_t first, std::uint16_t last) {
            return RangeIndex(first, last);
        };
    }

    Bytes Run() {
        std::size_t at = 0;
        // Each turn copies up to the next BIFF5 BOF and walks from it; the
        // walk always moves past the BOF, so the loop ends.
        while (at < m_in.size() && !Full()) {
            const std::size_t bof = FindBiff5Bof(m_in, at, m_sawGlobals);
            CopyVerbatim(at, bof);
            if (bof >= m_in.size()) break;
            at = Walk(bof);
            FlushNames();
        }
        PatchSheetPositions();
        return std::move(m_out);
    }

    std::uint32_t SheetCount() const { return m_sheetCount; }

private:
    bool Full() const { return m_out.size() > m_cap; }

    int RangeIndex(std::uint16_t first, std::uint16_t last) {
        auto& list = m_ranges.list;
        const auto range = std::make_pair(first, last);
        const auto found = std::find(list.begin(), list.end(), range);
        if (m_ranges.collecting) {
            if (found == list.end() && list.size() < kMaxXti) list.push_back(range);
            return 0;
        }
        if (found == list.end()) return -1;
        return static_cast<int>(found - list.begin());
    }

    void MapStart(std::size_t old) { m_starts.emplace_back(old, m_out.size()); }

    void CopyVerbatim(std::size_t from, std::size_t to) {
        if (from >= to) return;
        MapStart(from);
        m_out.insert(m_out.end(), m_in.begin() + from, m_in.begin() + to);
    }

    // Walks the substream whose BOF is at `bof`; returns where the walk
    // stopped (after the closing EOF, or at a record that does not frame).
    std::size_t Walk(std::size_t bof) {
        std::size_t at = bof;
        int depth = 0;
        while (at + biff::kRecordHeaderSize <= m_in.size() && !Full()) {
            const std::uint16_t type = GetU16(m_in.data() + at);
            const std::size_t length = GetU16(m_in.data() + at + 2);
            const std::size_t bodyAt = at + biff::kRecordHeaderSize;
            if (length > biff::kMaxBodyLength || length > m_in.size() - bodyAt) return at;
            if (type == biff::kBOF) {
                // A BIFF8 substream inside is not ours to rewrite.
                if (!IsBiff5Bof(m_in, at, true) || depth >= kMaxNesting) return at;
                ++depth;
                Bof(at);
                at = bodyAt + length;
                continue;
            }
            // The CONTINUE records after a record are part of its body.
            std::size_t end = bodyAt + length;
            Bytes body(m_in.begin() + bodyAt, m_in.begin() + end);
            const EAction action = ActionOf(type);
            std::vector<std::size_t> continues;
            if (action != EAction::kCopy) {
                while (end + biff::kRecordHeaderSize <= m_in.size() &&
                       GetU16(m_in.data() + end) == biff::kCONTINUE) {
                    const std::size_t more = GetU16(m_in.data() + end + 2);
                    if (more > m_in.size() - end - biff::kRecordHeaderSize ||
                        body.size() + more > biff::kMaxBodyLength) {
                        break;
                    }
                    continues.push_back(end);
                    body.insert(body.end(), m_in.begin() + end + 4, m_in.begin() + end + 4 + more);
                    end += biff::kRecordHeaderSize + more;
                }
            }
            if (m_inGlobals && type != biff::kBOUNDSHEET && m_globalsSheets > 0) FlushNames();
            MapStart(at);
            if (type == biff::kEOF) {
                if (!m_emitted && m_inGlobals && depth == 1) EmitSheetList();
                if (m_inGlobals) FlushNames();
                PutRecord(m_out, type, body);
                at = end;
                if (--depth <= 0) return at;
                continue;
            }
            // A STRING whose text a refused formula's cell already took.
            if (type == biff::kSTRING && at == m_dropString) {
                at = end;
                continue;
            }
            // The own-workbook sheet list takes the place of the first
            // EXTERNSHEET of the globals.
            if (type == biff::kEXTERNSHEET && m_inGlobals && !m_emitted) EmitSheetList();
            if (action == EAction::kCopy) {
                m_out.insert(m_out.end(), m_in.begin() + at, m_in.begin() + end);
            } else if (action == EAction::kRewrite) {
                Rewrite(type, body, end);
            }
            for (const std::size_t c : continues) MapStart(c);
            at = end;
        }
        return at;
    }

    void Bof(std::size_t at) {
        MapStart(at);
        const std::uint8_t* body = m_in.data() + at + biff::kRecordHeaderSize;
        const std::uint16_t substream = GetU16(body + 2);
        ++m_substream;
        if (substream == biff::kSubstreamGlobals) {
            m_sawGlobals = true;
            m_inGlobals = true;
            m_emitted = false;
            m_globalsOld = at;
            m_globalsSheets = 0;
            m_globalsNew = m_out.size();
            m_text.SetCodePage(biff5::kCodePageDefault);
        } else {
            m_inGlobals = false;
        }
        Bytes out;
        PutU16(out, biff::kBofVersionBiff8);
        out.insert(out.end(), body + 2, body + 8);  // substream type, build, year
        PutU32(out, 0);
        PutU32(out, kLowestBiffVersion);
        PutRecord(m_out, biff::kBOF, out);
    }

    // BIFF8 readers take the sheet list from the BOUNDSHEETs before they
    // read SUPBOOK, EXTERNSHEET and NAME; some BIFF5 writers put NAMEs first.
    // Until the globals' BOUNDSHEETs are through, those records wait.
    Bytes& NameSink() { return m_inGlobals && m_globalsSheets == 0 ? m_waiting : m_out; }

    void FlushNames() {
        m_out.insert(m_out.end(), m_waiting.begin(), m_waiting.end());
        m_waiting.clear();
    }

    // SUPBOOK for the own workbook and the EXTERNSHEET its 3-D references
    // point into, once per globals substream.
    void EmitSheetList() {
        m_emitted = true;
        if (m_ranges.list.empty()) return;
        Bytes supbook;
        PutU16(supbook,
               static_cast<std::uint16_t>(std::min<std::uint32_t>(m_ranges.sheetCount, 0xFFFF)));
        supbook.push_back(0x01);
        supbook.push_back(0x04);
        PutRecord(NameSink(), biff::kSUPBOOK, supbook);
        Bytes sheets;
        PutU16(sheets, static_cast<std::uint16_t>(m_ranges.list.size()));
        for (const auto& [first, last] : m_ranges.list) {
            PutU16(sheets, 0);
            PutU16(sheets, first);
            PutU16(sheets, last);
        }
        PutRecord(NameSink(), biff::kEXTERNSHEET, sheets);
    }

    // A string of `count` stored characters at `at`, or nothing when the
    // body ends first.
    bool Text(const Bytes& body, std::size_t at, std::size_t count, std::u16string& text) {
        const std::size_t bytes = count;
        if (at > body.size() || bytes > body.size() - at) return false;
        text = m_text.Decode(std::span<const std::uint8_t>(body).subspan(at, bytes));
        return true;
    }

    // Appends count u8 or u16, flag byte and characters.
    static void PutString(Bytes& out, std::u16string text, bool shortCount, std::size_t maxChars) {
        text.resize(
            std::min(text.size(), shortCount ? std::min<std::size_t>(maxChars, 0xFF) : maxChars));
        if (shortCount) {
            out.push_back(static_cast<std::uint8_t>(text.size()));
        } else {
            PutU16(out, static_cast<std::uint16_t>(text.size()));
        }
        CBiff5Text::AppendBody(out, text);
    }

    void Label(const std::uint8_t* cell, const std::u16string& text) {
        Bytes out(cell, cell + 6);
        PutString(out, text, false, kMaxLabelChars);
        PutRecord(m_out, biff::kLABEL, out);
    }

    void Rewrite(std::uint16_t type, const Bytes& body, std::size_t next) {
        Bytes out;
        std::u16string text;
        const std::size_t n = body.size();
        switch (type) {
            case kCODEPAGE:
                if (n < 2) return;
                m_text.SetCodePage(GetU16(body.data()));
                PutU16(out, biff5::kCodePageUtf16);
                break;
            case biff::kBOUNDSHEET:
                if (n < 7 || !Text(body, 7, body[6], text)) return;
                ++m_sheetCount;
                ++m_globalsSheets;
                out.assign(body.begin(), body.begin() + 6);
                PutString(out, text, true, 0xFF);
                m_positions.push_back({m_out.size() + biff::kRecordHeaderSize, m_globalsOld,
                                       m_globalsNew, GetU32(body.data())});
                break;
            case biff::kLABEL:
            case biff::kRSTRING:
                if (n < 8 || !Text(body, 8, GetU16(body.data() + 6), text)) return;
                Label(body.data(), text);
                return;
            case biff::kSTRING:
                if (n < 2 || !Text(body, 2, GetU16(body.data()), text)) return;
                PutString(out, text, false, (biff::kMaxBodyLength - 3) / 2);
                break;
            case biff::kFONT:
                if (n < 15 || !Text(body, 15, body[14], text)) return;
                out.assign(body.begin(), body.begin() + 14);
                PutString(out, text, true, 0xFF);
                break;
            case biff::kFORMAT:
                if (n < 3 || !Text(body, 3, body[2], text)) return;
                out.assign(body.begin(), body.begin() + 2);
                PutString(out, text, false, 0xFF);
                break;
            case biff::kSTYLE:
                if (n >= 4 && (GetU16(body.data()) & 0x8000) != 0) {
                    out.assign(body.begin(), body.begin() + 4);
                    break;
                }
                if (n < 3 || !Text(body, 3, body[2], text)) return;
                out.assign(body.begin(), body.begin() + 2);
                PutString(out, text, false, 0xFF);
                break;
            case kHEADER:
            case kFOOTER:
                if (n > 0) {
                    if (!Text(body, 1, body[0], text)) return;
                    PutString(out, text, false, 0xFF);
                }
                break;
            case biff::kXF:
                if (n < 16) return;
                out = UpgradeXf(body.data());
                break;
            case kDIMENSIONS:
                if (n < 8) return;
                PutU32(out, GetU16(body.data()));
                PutU32(out, GetU16(body.data() + 2));
                out.insert(out.end(), body.begin() + 4, body.begin() + 8);
                PutU16(out, 0);
                break;
            case kHORIZONTALPAGEBREAKS:
            case kVERTICALPAGEBREAKS: {
                // BIFF5 lists the rows (columns) a break comes before; BIFF8
                // adds the span of columns (rows) each break runs over.
                if (n < 2) return;
                const std::size_t count = std::min<std::size_t>(GetU16(body.data()), (n - 2) / 2);
                const std::uint16_t spanEnd = type == kHORIZONTALPAGEBREAKS ? 0x00FF : 0xFFFF;
                PutU16(out, static_cast<std::uint16_t>(count));
                for (std::size_t i = 0; i < count; ++i) {
                    PutU16(out, GetU16(body.data() + 2 + 2 * i));
                    PutU16(out, 0);
                    PutU16(out, spanEnd);
                }
                break;
            }
            case biff::kFORMULA:
                Formula(body, next);
                return;
            case biff::kARRAY:
            case biff::kSHRFMLA:
                if (!SharedTokens(type, body, out)) return;
                break;
            case biff::kNAME:
                Name(body);
                return;
            default:
                return;
        }
        PutRecord(m_out, type, out);
    }

    bool Tokens(const Bytes& body, std::size_t rgceAt, std::size_t cce, std::size_t extraEnd,
                CBiff5Tokens::Result& result) {
        if (rgceAt > body.size() || cce > body.size() - rgceAt || extraEnd < rgceAt + cce)
            return false;
        const std::span<const std::uint8_t> all(body);
        return CBiff5Tokens::Translate(all.subspan(rgceAt, cce),
                                       all.subspan(rgceAt + cce, extraEnd - rgceAt - cce), m_text,
                                       m_sheets, result);
    }

    static void PutTokens(Bytes& out, const CBiff5Tokens::Result& result) {
        PutU16(out, static_cast<std::uint16_t>(result.tokens.size()));
        out.insert(out.end(), result.tokens.begin(), result.tokens.end());
        out.insert(out.end(), result.extra.begin(), result.extra.end());
    }

    static bool Fits(std::size_t fixed, const CBiff5Tokens::Result& result) {
        return result.tokens.size() <= 0xFFFF &&
               fixed + 2 + result.tokens.size() + result.extra.size() <= biff::kMaxBodyLength;
    }

    // FORMULA: row, col, xf, result 8 bytes, options u16, chn u32, cce u16, rgce.
    void Formula(const Bytes& body, std::size_t next) {
        constexpr std::size_t kFixed = 20;
        if (body.size() < kFixed + 2) return;
        if (PointsAtRefusedBlock(body, kFixed)) {
            CachedValue(body, next);
            return;
        }
        CBiff5Tokens::Result result;
        if (Tokens(body, kFixed + 2, GetU16(body.data() + kFixed), body.size(), result) &&
            Fits(kFixed, result)) {
            Bytes out(body.begin(), body.begin() + kFixed);
            PutTokens(out, result);
            PutRecord(m_out, biff::kFORMULA, out);
            return;
        }
        CachedValue(body, next);
    }

    // A formula cell whose tokens have no BIFF8 form keeps its cached result.
    void CachedValue(const Bytes& body, std::size_t next) {
        const std::uint8_t* value = body.data() + 6;
        Bytes out(body.begin(), body.begin() + 6);
        if (GetU16(value + 6) != 0xFFFF) {
            out.insert(out.end(), value, value + 8);
            PutRecord(m_out, biff::kNUMBER, out);
            return;
        }
        switch (value[0]) {
            case 0x00: {  // text, in the STRING record that follows
                std::u16string text;
                if (FollowingString(next, text)) Label(body.data(), text);
                return;
            }
            case 0x01:
            case 0x02:
                out.push_back(value[2]);
                out.push_back(value[0] == 0x02 ? 1 : 0);
                PutRecord(m_out, biff::kBOOLERR, out);
                return;
            case 0x03:
                Label(body.data(), std::u16string());
                return;
            default:
                return;
        }
    }

    // The text of the STRING record after a formula (ARRAY, SHRFMLA or
    // TABLE may stand between them); that STRING is then dropped.
    bool FollowingString(std::size_t at, std::u16string& text) {
        for (int i = 0; i < 4 && at + biff::kRecordHeaderSize <= m_in.size(); ++i) {
            const std::uint16_t type = GetU16(m_in.data() + at);
            const std::size_t length = GetU16(m_in.data() + at + 2);
            if (length > m_in.size() - at - biff::kRecordHeaderSize) return false;
            if (type == biff::kSTRING) {
                const Bytes body(m_in.begin() + at + 4, m_in.begin() + at + 4 + length);
                if (body.size() < 2 || !Text(body, 2, GetU16(body.data()), text)) return false;
                m_dropString = at;
                return true;
            }
            if (type != biff::kARRAY && type != biff::kSHRFMLA && type != biff::kTABLE)
                return false;
            at += biff::kRecordHeaderSize + length;
        }
        return false;
    }

    // Whether a FORMULA's tokens are a lone ptgExp (row u16, col u16) that
    // points at a shared or array formula the first pass refused.
    bool PointsAtRefusedBlock(const Bytes& body, std::size_t fixed) const {
        constexpr std::uint8_t kPtgExp = 0x01;
        if (GetU16(body.data() + fixed) != 5 || body.size() < fixed + 7 ||
            body[fixed + 2] != kPtgExp) {
            return false;
        }
        const std::uint16_t row = GetU16(body.data() + fixed + 3);
        const std::uint16_t col = GetU16(body.data() + fixed + 5);
        for (const RefusedBlock& block : m_ranges.refused) {
            if (block.substream == m_substream && row >= block.rowFirst && row <= block.rowLast &&
                col >= block.colFirst && col <= block.colLast) {
                return true;
            }
        }
        return false;
    }

    // ARRAY: rowFirst, rowLast, colFirst u8, colLast u8, options, chn u32,
    // cce at 12. SHRFMLA: the range, reserved u8, count u8, cce at 8.
    bool SharedTokens(std::uint16_t type, const Bytes& body, Bytes& out) {
        const std::size_t fixed = type == biff::kARRAY ? 12 : 8;
        if (body.size() < fixed + 2) return false;
        CBiff5Tokens::Result result;
        if (!Tokens(body, fixed + 2, GetU16(body.data() + fixed), body.size(), result) ||
            !Fits(fixed, result)) {
            if (m_ranges.collecting && m_ranges.refused.size() < kMaxRefusedBlocks) {
                m_ranges.refused.push_back(
                    {m_substream, GetU16(body.data()), GetU16(body.data() + 2), body[4], body[5]});
            }
            return false;
        }
        out.assign(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(fixed));
        PutTokens(out, result);
        return true;
    }

    // NAME: options u16, key u8, cch u8, cce u16, ixals u16, itab u16, four
    // text lengths u8, name, rgce, texts. BIFF8 keeps the text lengths at 0
    // and the name as a flagged string; a name whose tokens cannot be
    // translated keeps its place (later names are counted by position) with
    // no tokens.
    void Name(const Bytes& body) {
        constexpr std::size_t kFixed = 14;
        if (m_inGlobals && !m_emitted) EmitSheetList();
        if (body.size() < kFixed) return;
        const std::size_t cch = body[3];
        const std::size_t cce = GetU16(body.data() + 4);
        const std::size_t texts = std::size_t{body[10]} + body[11] + body[12] + body[13];
        const bool builtIn = (GetU16(body.data()) & 0x0020) != 0;
        std::u16string name;
        if (builtIn) {
            if (cch > body.size() - kFixed) return;
            name.assign(body.begin() + kFixed,
                        body.begin() + static_cast<std::ptrdiff_t>(kFixed + cch));
        } else if (!Text(body, kFixed, cch, name)) {
            return;
        }
        const std::size_t rgceAt = kFixed + cch;
        const std::size_t extraEnd = body.size() >= texts ? body.size() - texts : 0;
        CBiff5Tokens::Result result;
        const bool translated =
            Tokens(body, rgceAt, cce, std::max(extraEnd, rgceAt + cce), result) &&
            Fits(kFixed + 1 + name.size() * 2, result);
        name.resize(std::min<std::size_t>(name.size(), 0xFF));
        Bytes out(body.begin(), body.begin() + 3);
        out.push_back(static_cast<std::uint8_t>(name.size()));
        PutU16(out, translated ? static_cast<std::uint16_t>(result.tokens.size()) : 0);
        PutU16(out, 0);
        out.insert(out.end(), body.begin() + 8, body.begin() + 10);  // itab
        out.insert(out.end(), 4, 0);
        CBiff5Text::AppendBody(out, name);
        if (translated) {
            out.insert(out.end(), result.tokens.begin(), result.tokens.end());
            out.insert(out.end(), result.extra.begin(), result.extra.end());
        }
        PutRecord(NameSink(), biff::kNAME, out);
    }

    // The new stream offset of an old one: exact at a record start, else
    // shifted as the nearest record start before it.
    std::size_t NewOffset(std::size_t old) const {
        const auto after = std::upper_bound(
            m_starts.begin(), m_starts.end(), old,
            [](std::size_t value, const std::pair<std::size_t, std::size_t>& start) {
                return value < start.first;
            });
        if (after == m_starts.begin()) return old;
        const auto& [oldStart, newStart] = *(after - 1);
        return newStart + (old - oldStart);
    }

    void PatchSheetPositions() {
        for (const Position& position : m_positions) {
            if (position.field + 4 > m_out.size()) continue;
            const std::size_t target = NewOffset(position.oldGlobals + position.value);
            std::size_t value = target > position.newGlobals ? target - position.newGlobals : 0;
            value = std::min({value, m_out.size() - position.newGlobals, std::size_t{0xFFFFFFFF}});
            for (int i = 0; i < 4; ++i) {
                m_out[position.field + i] = static_cast<std::uint8_t>(value >> (8 * i));
            }
        }
    }

    struct Position {
        std::size_t field;       // output offset of the BOUNDSHEET's position
        std::size_t oldGlobals;  // input offset of its globals BOF
        std::size_t newGlobals;  // output offset of that BOF
        std::uint32_t value;     // the position as read
    };

    std::span<const std::uint8_t> m_in;
    Prescan& m_ranges;
    std::uint32_t m_substream = 0;  // BOFs walked so far
    std::size_t m_cap;
    Bytes m_out;
    CBiff5Text m_text;
    CBiff5Tokens::SheetRangeIndex m_sheets;
    std::vector<std::pair<std::size_t, std::size_t>> m_starts;  // old record start -> new
    std::vector<Position> m_positions;
    std::uint32_t m_sheetCount = 0;
    std::size_t m_dropString = static_cast<std::size_t>(-1);  // start of a STRING already used
    Bytes m_waiting;  // link table and NAMEs held back until the BOUNDSHEETs are out
    std::uint32_t m_globalsSheets = 0;  // BOUNDSHEETs of the current globals
    bool m_sawGlobals = false;          // a BIFF5 globals substream was walked
    bool m_inGlobals = false;
    bool m_emitted = false;
    std::size_t m_globalsOld = 0;
    std::size_t m_globalsNew = 0;
};

}  // namespace

bool CBiff5Upgrade::HoldsBiff5Workbook(std::span<const std::uint8_t> bytes) {
    for (std::size_t at = 0; at + 4 + kBiff5BofLength <= bytes.size(); at += kStreamAlignment) {
        if (IsBiff5Bof(bytes, at, false) &&
            GetU16(bytes.data() + at + 6) == biff::kSubstreamGlobals) {
            return true;
        }
    }
    return false;
}

std::vector<std::uint8_t> CBiff5Upgrade::Upgrade(std::span<const std::uint8_t> bytes) {
    // The first pass learns the sheet count and every 3-D reference's sheet
    // range, which the globals need before their first NAME.
    CUpgrader::Prescan ranges;
    CUpgrader collect(bytes, ranges);
    collect.Run();
    ranges.collecting = false;
    ranges.sheetCount = collect.SheetCount();
    std::erase_if(ranges.list, [&](const auto& range) {
        return range.first > range.second || range.second >= ranges.sheetCount;
    });
    return CUpgrader(bytes, ranges).Run();
}
