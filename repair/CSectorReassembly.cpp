#include "repair/CSectorReassembly.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <optional>
#include <system_error>

#include "biff/BiffRecordIds.h"
#include "biff/CBofSignature.h"
#include "biff/CByteBuffer.h"
#include "biff/CRecordChain.h"
#include "compound/CompoundFormat.h"
#include "repair/RepairStopCheck.h"
#include "repair/SectorContent.h"
#include "repair/SstStringFraming.h"

namespace {

namespace cf = CompoundFormat;
using sectorcontent::EBlock;
using sstframing::BodyPieces;
using sstframing::StringsFit;

constexpr std::uint32_t kSmallSector = 512;
constexpr std::uint32_t kLargeSector = 4096;
constexpr std::uint16_t kLargeSectorShift = 12;
// Globals BOFs that each start a candidate stream; a file holds one, or a
// few where a stale copy of the stream survives.
constexpr std::size_t kMaxStarts = 16;
// Header reads and sector steps one walk may spend on sectors it tries:
// enough to search every sector a few dozen times over, never n squared.
constexpr std::uint64_t kReadsPerSector = 32;
constexpr std::uint64_t kReadsBase = 1u << 16;
// Headers a fit check reads at most: a sector's worth of the shortest
// records.
constexpr int kConvincingHeaders = 128;
constexpr std::uint32_t kStopCheckEvery = 1024;
// How far a search follows each of two equally convincing sectors to see
// which runs on further: as far as a stream kept in the mini stream goes,
// eight sectors of a larger one. And how many such ties one search settles
// so; past them the lower sector stays.
constexpr std::uint32_t kTrialBytes = 4096;
constexpr int kMaxTrials = 64;
// Record types of BIFF8 streams lie below this: chart records are 0x10xx.
constexpr std::uint16_t kHighestType = 0x11FF;
constexpr std::uint16_t kFirstChartType = 0x1001;
constexpr std::uint16_t kLastChartType = 0x10FF;

// Records added to the format after BIFF8 (0x0850 to 0x08FF: styles and
// conditional formats of later versions, themes) open their body with a
// header that repeats the record type: a type the record table does not
// know is still recognised by it. header holds the record's first 8 bytes.
constexpr std::uint16_t kFirstFutureType = 0x0850;
constexpr std::uint16_t kLastFutureType = 0x08FF;

bool IsFutureRecord(const std::uint8_t* header) {
    const std::uint16_t type = CDataReader::GetU16(header + biff::kTypeOffset);
    const std::uint16_t length = CDataReader::GetU16(header + biff::kLengthOffset);
    return type >= kFirstFutureType && type <= kLastFutureType && length >= 4 &&
           CDataReader::GetU16(header + biff::kRecordHeaderSize) == type;
}

// Records of a sheet's own that no globals substream holds: its cells and
// their rows, its dimensions, columns and window, its calculation and print
// settings. Sorted by type. A sector whose records, read while the walk is
// in the globals, show one of these belongs to a sheet: a stale copy of a
// sheet's sectors there fits the framing as well as the stream's own.
constexpr std::uint16_t kSheetOnlyTypes[] = {
    biff::kFORMULA,
    0x000C,  // CALCCOUNT
    0x000D,  // CALCMODE
    0x000F,  // REFMODE
    0x0010,  // DELTA
    0x0011,  // ITERATION
    biff::kSELECTION,
    0x002A,  // PRINTHEADERS
    0x002B,  // PRINTGRIDLINES
    biff::kDEFCOLWIDTH,
    0x005F,  // SAVERECALC
    biff::kCOLINFO,
    0x0080,  // GUTS
    0x0081,  // WSBOOL
    0x0082,  // GRIDSET
    biff::kMULRK,
    biff::kMULBLANK,
    0x00D7,  // DBCELL
    biff::kMERGEDCELLS,
    biff::kLABELSST,
    0x0200,  // DIMENSIONS
    biff::kBLANK,
    biff::kNUMBER,
    biff::kLABEL,
    biff::kBOOLERR,
    biff::kSTRING,
    biff::kROW,
    0x020B,  // INDEX
    biff::kARRAY,
    biff::kDEFAULTROWHEIGHT,
    biff::kTABLE,
    biff::kWINDOW2,
    biff::kRK,
    biff::kSHRFMLA,
};
static_assert(std::is_sorted(std::begin(kSheetOnlyTypes), std::end(kSheetOnlyTypes)));

bool IsSheetOnly(std::uint16_t type) {
    return std::binary_search(std::begin(kSheetOnlyTypes), std::end(kSheetOnlyTypes), type);
}

// What a candidate sector shows where the cut record ends in it.
struct Fit {
    int framed = 0;           // plausible headers read, each starting where the last ends
    int known = 0;            // of the first ones, types the record table knows, without a gap
    int sound = 0;            // of the first ones, lengths their layouts allow, without a gap
    int anyKnown = 0;         // of all, types known or of a chart's records
    bool reachesEnd = false;  // the plausible headers go on past the sector's end
    // The first header a known type with the longest body there is: a
    // record split into CONTINUE records (SST, drawings) is cut there, so
    // one such header convinces like two.
    bool fullBody = false;
    bool sheetsOwn = false;  // a sheet's own record read in the globals: no fit at all

    // Whether the next sector in file order goes on: plausible headers up to
    // the sector's end, or three, the first of a known type or two of them.
    // Writers lay streams out in runs, and records the table does not know
    // (a chart's, newer ones) must not break a run. A lone header whose body
    // runs past the sector's end is two bytes of type and two of length: it
    // goes on only with a length its layout allows (the property set of a
    // summary stream reads as an EXTSST of any length).
    bool GoesOn() const {
        const bool lone = framed == 1 && sound == 0 && !fullBody;
        return !sheetsOwn && (known >= 1 || anyKnown >= 2) &&
               (framed >= 3 || (reachesEnd && !lone));
    }
    // Whether a sector searched for out of file order goes on: only records
    // with the lengths their layouts allow convince, three of them or two
    // up to the sector's end. Bytes of other streams pass one such header
    // now and then, rarely more.
    bool Convinces() const {
        return !sheetsOwn &&
               (sound >= 3 || (reachesEnd && sound == framed && (sound >= 2 || fullBody)));
    }
    bool SoundToTheEnd() const { return reachesEnd && sound == framed; }
    // Runs of fixed-size records (XF, ROW, NUMBER) line up in many sectors
    // of a stream: a run sound to the sector's end wins, else the longer.
    bool Beats(const Fit& other) const {
        if (SoundToTheEnd() != other.SoundToTheEnd()) return SoundToTheEnd();
        return !SoundToTheEnd() && sound > other.sound;
    }
};

class Walk {
public:
    Walk(const std::vector<std::uint8_t>& file, std::uint64_t base, std::uint32_t size,
         std::uint32_t count, const std::vector<EBlock>& kinds, std::uint64_t& budget)
        : m_file(file),
          m_base(base),
          m_size(size),
          m_count(count),
          m_kinds(kinds),
          m_budget(budget),
          m_taken(count, false) {}

    // Follows the stream from sector first; false for a stop request.
    bool Run(std::uint32_t first);
    const std::vector<std::uint32_t>& Sectors() const { return m_sectors; }

private:
    const std::uint8_t* Sector(std::uint32_t s) const {
        return m_file.data() + m_base + static_cast<std::uint64_t>(s) * m_size;
    }
    void Take(std::uint32_t s) {
        m_taken[s] = true;
        m_sectors.push_back(s);
    }
    // Walks the records of the sector just taken from offset at (negative
    // when the header began in the sector before, its bytes in m_carry).
    // Returns where the next header starts, counting from this sector's
    // first byte; m_finished when the last substream ended in it.
    std::int64_t WalkSector(std::uint32_t s, std::int64_t at);
    void StartStrings(const std::uint8_t* sector, std::int64_t body, std::uint16_t length);
    Fit Check(std::uint32_t s, std::int64_t at, bool wantBof) {
        return Check(s, at, wantBof, m_carry, m_inGlobals);
    }
    // The same, with the cut header's first bytes in carry, inside the
    // globals substream or not.
    Fit Check(std::uint32_t s, std::int64_t at, bool wantBof,
              const std::vector<std::uint8_t>& carry, bool inGlobals);
    int RunLength(std::uint32_t s, std::int64_t at);
    std::uint32_t NextInFileOrder(std::uint32_t after, bool zerosToo);
    bool ZerosInBody(std::uint32_t after, std::int64_t owed);
    std::vector<std::uint32_t> PlanInOrder(std::uint32_t after, std::int64_t owed);
    std::uint32_t PreviousInFileOrder(std::uint32_t before);
    std::vector<std::uint32_t> PlanBody(std::uint32_t after, std::int64_t owed, bool zerosToo);
    bool InStrings() const { return m_stringsNext < m_stringsEnd; }
    StringsFit FrameInto(std::uint32_t candidate, std::int64_t from) const;
    std::optional<std::uint32_t> FollowStrings(std::int64_t next, bool wantBof);
    void AdvanceStrings(std::uint32_t taken);
    std::optional<std::uint32_t> Search(std::int64_t at, bool wantBof);
    void Header(const std::vector<std::uint8_t>& carry, const std::uint8_t* sector, std::int64_t at,
                std::uint8_t out[8]) const;

    const std::vector<std::uint8_t>& m_file;
    std::uint64_t m_base;  // where block 0 starts in the file
    std::uint32_t m_size;
    std::uint32_t m_count;
    const std::vector<EBlock>& m_kinds;
    std::uint64_t& m_budget;
    std::vector<bool> m_taken;
    std::vector<std::uint32_t> m_sectors;
    std::vector<std::uint8_t> m_carry;  // a header's first bytes, cut by a sector's end
    int m_depth = 0;                    // substreams open: BOFs less EOFs
    bool m_inGlobals = true;            // the walk starts at the globals' BOF
    bool m_finished = false;
    bool m_inBody = false;              // the last sector taken held only a record's body
    std::vector<std::uint32_t> m_plan;  // sectors chosen ahead for a long record, in order
    // Inside a shared-string table's body that sectors cut: the stream
    // positions of the next string's header and of the body's end.
    std::int64_t m_stringsNext = 0;
    std::int64_t m_stringsEnd = 0;
};

// The 8 bytes from at (a BOF's header, version and type), taking the
// carried bytes first when at is negative and zeros past the sector's end.
void Walk::Header(const std::vector<std::uint8_t>& carry, const std::uint8_t* sector,
                  std::int64_t at, std::uint8_t out[8]) const {
    for (std::int64_t i = 0; i < 8; ++i) {
        const std::int64_t pos = at + i;
        if (pos < 0) {
            out[i] = carry[static_cast<std::size_t>(static_cast<std::int64_t>(carry.size()) + pos)];
        } else {
            out[i] = pos < m_size ? sector[pos] : 0;
        }
    }
}

std::int64_t Walk::WalkSector(std::uint32_t s, std::int64_t at) {
    const std::uint8_t* sector = Sector(s);
    while (at + static_cast<std::int64_t>(biff::kRecordHeaderSize) <= m_size) {
        std::uint8_t header[8];
        Header(m_carry, sector, at, header);
        const std::uint16_t type = CDataReader::GetU16(header + biff::kTypeOffset);
        const std::uint16_t length = CDataReader::GetU16(header + biff::kLengthOffset);
        const std::int64_t body = at + static_cast<std::int64_t>(biff::kRecordHeaderSize);
        if (type == biff::kSST && body + length > m_size) StartStrings(sector, body, length);
        if (type == biff::kBOF) {
            ++m_depth;
        } else if (m_depth == 0) {
            // After the last substream's EOF only a BOF goes on: what follows
            // is the padding of the stream's last sector.
            m_finished = true;
            return at;
        } else if (type == biff::kEOF) {
            --m_depth;
            m_inGlobals = false;
        }
        at += biff::kRecordHeaderSize + length;
    }
    m_carry.clear();
    if (at < m_size) m_carry.assign(sector + at, sector + m_size);
    return at;
}

// Whether sound records start at at in sector s: the cut record's bytes
// skipped, or its header completed from the carried bytes.
Fit Walk::Check(std::uint32_t s, std::int64_t at, bool wantBof,
                const std::vector<std::uint8_t>& carry, bool inGlobals) {
    Fit fit;
    const std::uint8_t* sector = Sector(s);
    while (fit.framed < kConvincingHeaders) {
        if (at + static_cast<std::int64_t>(biff::kRecordHeaderSize) > m_size) {
            fit.reachesEnd = true;
            break;
        }
        if (m_budget == 0) return Fit{};
        --m_budget;
        std::uint8_t header[8];
        Header(carry, sector, at, header);
        const std::uint16_t type = CDataReader::GetU16(header + biff::kTypeOffset);
        const std::uint16_t length = CDataReader::GetU16(header + biff::kLengthOffset);
        // Between substreams only a sheet's BIFF8 BOF goes on: a globals
        // BOF there starts another workbook's stream.
        const bool bofWanted = wantBof && fit.framed == 0;
        const bool sheetBof =
            type == biff::kBOF &&
            CDataReader::GetU16(header + biff::kBofVersionOffset) == biff::kBofVersionBiff8 &&
            CDataReader::GetU16(header + biff::kBofSubstreamTypeOffset) != biff::kSubstreamGlobals;
        if ((bofWanted && !sheetBof) || type == 0 || type > kHighestType ||
            length > biff::kMaxBodyLength)
            break;
        if (inGlobals && IsSheetOnly(type)) {
            fit.sheetsOwn = true;
            break;
        }
        // The globals' EOF ends them: a sheet's substream follows.
        if (type == biff::kEOF) inGlobals = false;
        const bool known = CRecordChain::IsKnownHeader(type, length) || IsFutureRecord(header);
        if (fit.known == fit.framed && known) ++fit.known;
        if (fit.sound == fit.framed && CRecordChain::IsSoundHeader(type, length)) ++fit.sound;
        if (fit.framed == 0 && known && length == biff::kMaxBodyLength) fit.fullBody = true;
        // A chart's records, inside a sheet's substream, have no table of
        // their own: their type range alone keeps file order going.
        if (known || (type >= kFirstChartType && type <= kLastChartType)) ++fit.anyKnown;
        ++fit.framed;
        at += biff::kRecordHeaderSize + length;
    }
    return fit;
}

// The first sector after `after` in file order that no walk took and that
// holds no tables; m_count when there is none, or when the budget is spent
// (stepping over a long run that an earlier piece of the stream took).
// Whether the zeroed sectors ahead in file order belong to the body of the
// long record that owes `owed` more bytes (a picture's blank pixels), or
// are a wiped table's to step over: the sector where the record ends, in
// file order with them and without them, tells which one a sound record
// follows in. With them when neither or both convince.
bool Walk::ZerosInBody(std::uint32_t after, std::int64_t owed) {
    const std::int64_t ahead = owed / m_size;
    const std::int64_t at = owed % m_size;
    if (at + static_cast<std::int64_t>(biff::kRecordHeaderSize) > m_size) return true;
    std::uint32_t with = after;
    std::uint32_t without = after;
    for (std::int64_t i = 0; i <= ahead; ++i) {
        with = NextInFileOrder(with, true);
        without = NextInFileOrder(without, false);
        if (with >= m_count || without >= m_count) return true;
    }
    if (with == without) return true;
    return Check(with, at, m_depth == 0).GoesOn() || !Check(without, at, m_depth == 0).GoesOn();
}

// The sectors that hold the rest of a long record owing `owed` bytes, and
// the one it ends in, all in file order after `after`. Zeroed sectors ahead
// may be the body's (a picture's blank pixels) or wiped tables to step
// over, each alone, and their bytes do not tell which: the end is the
// nearest sector where records go on at the body's end once the data
// sectors before it and enough of the zeroed ones fill the body. Taking all
// the zeroed sectors or none of them, records that go on decide; a mix of
// them needs records that convince. The body takes the first zeroed
// sectors it needs: any of them gives the same bytes. Empty when no end in
// file order fits.
std::vector<std::uint32_t> Walk::PlanInOrder(std::uint32_t after, std::int64_t owed) {
    const std::int64_t ahead = owed / m_size;
    const std::int64_t at = owed % m_size;
    if (at + static_cast<std::int64_t>(biff::kRecordHeaderSize) > m_size) return {};
    std::vector<std::uint32_t> data;
    std::vector<std::uint32_t> zeros;
    for (std::uint32_t s = NextInFileOrder(after, true); s < m_count;
         s = NextInFileOrder(s, true)) {
        const auto d = static_cast<std::int64_t>(data.size());
        const auto z = static_cast<std::int64_t>(zeros.size());
        if (d > ahead) break;
        if (d + z >= ahead && m_kinds[s] == EBlock::Data) {
            const Fit fit = Check(s, at, m_depth == 0);
            const bool allOrNone = d + z == ahead || d == ahead;
            if (allOrNone ? fit.GoesOn() : fit.Convinces()) {
                std::vector<std::uint32_t> plan = data;
                plan.insert(plan.end(), zeros.begin(), zeros.begin() + (ahead - d));
                std::sort(plan.begin(), plan.end());
                plan.push_back(s);
                return plan;
            }
        }
        (m_kinds[s] == EBlock::Data ? data : zeros).push_back(s);
    }
    return {};
}

// The sector before `before` in file order that no walk took and that holds
// no tables; m_count when there is none or the budget is spent.
std::uint32_t Walk::PreviousInFileOrder(std::uint32_t before) {
    for (std::uint32_t s = before; s-- > 0 && m_budget > 0; --m_budget)
        if (!m_taken[s] && m_kinds[s] != EBlock::Tables) return s;
    return m_count;
}

// The sectors that hold the rest of a long record owing `owed` bytes, and
// the one it ends in, when file order leads to no sound record after it:
// the stream jumped inside the body (a writer that placed it in pieces).
// The end is the sector where sound records start after the body's last
// bytes (Search), and the body the sectors after `after` in file order up
// to the jump, then those before the end in file order: as many in file
// order as fit. Nothing in the body tells where the jump lies, so its
// bytes may come in the wrong order; the records after it do not. Empty when file order leads
// on soundly, or no end is found.
std::vector<std::uint32_t> Walk::PlanBody(std::uint32_t after, std::int64_t owed, bool zerosToo) {
    const std::int64_t ahead = owed / m_size;
    const std::int64_t at = owed % m_size;
    if (at + static_cast<std::int64_t>(biff::kRecordHeaderSize) > m_size) return {};
    std::vector<std::uint32_t> forward;
    for (std::uint32_t s = after; static_cast<std::int64_t>(forward.size()) <= ahead;) {
        s = NextInFileOrder(s, zerosToo);
        if (s >= m_count) break;
        forward.push_back(s);
    }
    if (static_cast<std::int64_t>(forward.size()) > ahead &&
        Check(forward.back(), at, m_depth == 0).GoesOn())
        return {};
    const std::optional<std::uint32_t> end = Search(at, m_depth == 0);
    if (!end) return {};
    for (std::int64_t m = std::min<std::int64_t>(ahead, static_cast<std::int64_t>(forward.size()));
         m >= 0; --m) {
        std::vector<std::uint32_t> plan(forward.begin(), forward.begin() + m);
        const auto planned = [&plan](std::uint32_t s) {
            return std::find(plan.begin(), plan.end(), s) != plan.end();
        };
        if (planned(*end)) continue;
        std::vector<std::uint32_t> before;
        for (std::uint32_t s = *end; static_cast<std::int64_t>(before.size()) < ahead - m;) {
            s = PreviousInFileOrder(s);
            if (s >= m_count) break;
            if (!planned(s)) before.push_back(s);
        }
        if (static_cast<std::int64_t>(before.size()) < ahead - m) continue;
        plan.insert(plan.end(), before.rbegin(), before.rend());
        plan.push_back(*end);
        return plan;
    }
    return {};
}

std::uint32_t Walk::NextInFileOrder(std::uint32_t after, bool zerosToo) {
    for (std::uint32_t s = after + 1; s < m_count && m_budget > 0; ++s, --m_budget)
        if (!m_taken[s] &&
            (m_kinds[s] == EBlock::Data || (zerosToo && m_kinds[s] == EBlock::Zeros)))
            return s;
    return m_count;
}

// How many blocks the records from `at` in block s run through, s itself
// one, as the walk would take them in file order: a block a body covers
// whole is the next one (zeroed ones too), others must go on. The most
// countable, kTrialBytes of the stream, when the last substream ends on the
// way: nothing further could be asked of a stream.
int Walk::RunLength(std::uint32_t s, std::int64_t at) {
    const int most = static_cast<int>(std::max<std::uint32_t>(1, kTrialBytes / m_size));
    std::vector<std::uint8_t> carry = m_carry;
    int depth = m_depth;
    bool inGlobals = m_inGlobals;
    for (int blocks = 1;; ++blocks) {
        const std::uint8_t* sector = Sector(s);
        while (at + static_cast<std::int64_t>(biff::kRecordHeaderSize) <= m_size) {
            std::uint8_t header[8];
            Header(carry, sector, at, header);
            const std::uint16_t type = CDataReader::GetU16(header + biff::kTypeOffset);
            if (type == biff::kBOF) {
                ++depth;
            } else if (depth == 0) {
                return most;
            } else if (type == biff::kEOF) {
                --depth;
                inGlobals = false;
            }
            at += biff::kRecordHeaderSize + CDataReader::GetU16(header + biff::kLengthOffset);
        }
        if (blocks >= most) return most;
        carry.clear();
        if (at < m_size) carry.assign(sector + at, sector + m_size);
        at = carry.empty() ? at - m_size : -static_cast<std::int64_t>(carry.size());
        const bool bodyOnly = at + static_cast<std::int64_t>(biff::kRecordHeaderSize) > m_size;
        const std::uint32_t next = NextInFileOrder(s, bodyOnly);
        if (next >= m_count ||
            (!bodyOnly && !Check(next, at, depth == 0, carry, inGlobals).GoesOn()))
            return blocks;
        s = next;
    }
}

// Of the unused sectors, the one where the most convincing run of records
// starts (Fit::Convinces). Among equals, the one whose records run on
// further in file order (RunLength): a stale copy of a stream's sectors,
// left behind by an earlier save, is a fragment that breaks off where the
// stream itself runs on; then the lowest-numbered, as writers that place a
// stream in pieces fill the free sectors from the file's start.
std::optional<std::uint32_t> Walk::Search(std::int64_t at, bool wantBof) {
    std::optional<std::uint32_t> best;
    Fit bestFit;
    int bestRun = 0;  // 0 while not measured
    int trials = 0;
    for (std::uint32_t s = 0; s < m_count && m_budget > 0; ++s) {
        if (m_taken[s] || m_kinds[s] != EBlock::Data) continue;
        --m_budget;
        if (s % kStopCheckEvery == 0 && RepairStopRequested()) return std::nullopt;
        const Fit fit = Check(s, at, wantBof);
        if (!fit.Convinces()) continue;
        if (!best || fit.Beats(bestFit)) {
            best = s;
            bestFit = fit;
            bestRun = 0;
        } else if (!bestFit.Beats(fit) && trials < kMaxTrials) {
            ++trials;
            if (bestRun == 0) bestRun = RunLength(*best, at);
            const int run = RunLength(s, at);
            if (run > bestRun) {
                best = s;
                bestFit = fit;
                bestRun = run;
            }
        }
    }
    return best;
}

// The strings of a shared-string table whose body the sector's end cuts
// frame the sectors that follow, as records frame the others: strings
// split across sectors are the table's content, where records show only
// at the body's end. The sector holding the body's start was just taken.
void Walk::StartStrings(const std::uint8_t* sector, std::int64_t body, std::uint16_t length) {
    constexpr std::int64_t kCountsSize = 8;  // total and unique string counts
    const std::int64_t base = static_cast<std::int64_t>(m_sectors.size() - 1) * m_size;
    m_stringsEnd = base + body + length;
    BodyPieces pieces;
    pieces.Add(sector, m_size);
    const StringsFit fit = sstframing::FrameStrings(pieces, base, base + body + kCountsSize,
                                                    base + m_size, m_stringsEnd);
    m_stringsNext = fit.next;
    if (fit.broken) m_stringsEnd = 0;
}

// The strings framed from stream position `from` in the last sector taken
// through candidate, taken next.
StringsFit Walk::FrameInto(std::uint32_t candidate, std::int64_t from) const {
    const std::int64_t base = static_cast<std::int64_t>(m_sectors.size() - 1) * m_size;
    BodyPieces pieces;
    pieces.Add(Sector(m_sectors.back()), m_size);
    pieces.Add(Sector(candidate), m_size);
    return sstframing::FrameStrings(
        pieces, base, from, std::min<std::int64_t>(base + 2 * m_size, m_stringsEnd), m_stringsEnd);
}

// The sector after the last one taken, chosen by the strings it frames:
// the next in file order when its strings frame soundly there, three of
// them or fewer that stay inside the body; else the lowest-numbered unused
// sector where three or more do (writers that place a stream in pieces
// fill the free sectors from the file's start); else file order when a
// string frames there at all. Fewer than three convince nobody out of
// order: a string's flags pass by chance now and then, and its count then
// leaps far, often past the body's end. Where the table's body ends in the
// sector, sound records must follow too. None when no string header falls
// in the next sector (a long string covers it): the records decide.
std::optional<std::uint32_t> Walk::FollowStrings(std::int64_t next, bool wantBof) {
    constexpr int kConvincingStrings = 3;
    const std::int64_t start = static_cast<std::int64_t>(m_sectors.size()) * m_size;
    if (!InStrings() || m_stringsNext >= start + m_size) return std::nullopt;
    const bool recordsToo = next + static_cast<std::int64_t>(biff::kRecordHeaderSize) <= m_size;
    // Strings framed soundly in s, or -1; sound too where the body's end
    // shows in s is whether the framing stays inside the body.
    const auto framed = [&](std::uint32_t s, bool& inside) {
        const StringsFit fit = FrameInto(s, m_stringsNext);
        m_budget -= std::min(m_budget, fit.headers);
        inside = fit.next <= m_stringsEnd;
        if (fit.broken || (recordsToo && !Check(s, next, wantBof).GoesOn())) return -1;
        return fit.strings;
    };
    const std::uint32_t inOrder = NextInFileOrder(m_sectors.back(), false);
    bool inside = false;
    const int inOrderStrings = inOrder < m_count ? framed(inOrder, inside) : -1;
    if (inOrderStrings >= kConvincingStrings || (inOrderStrings >= 0 && inside)) return inOrder;
    for (std::uint32_t s = 0; s < m_count && m_budget > 0; ++s) {
        if (m_taken[s] || m_kinds[s] != EBlock::Data) continue;
        --m_budget;
        if (s % kStopCheckEvery == 0 && RepairStopRequested()) return std::nullopt;
        if (framed(s, inside) >= kConvincingStrings) return s;
    }
    if (inOrderStrings >= 1) return inOrder;
    return std::nullopt;
}

// Moves the strings' framing past the sector about to be taken; a framing
// that breaks there leaves the records alone to decide.
void Walk::AdvanceStrings(std::uint32_t taken) {
    if (!InStrings()) return;
    const StringsFit fit = FrameInto(taken, m_stringsNext);
    m_stringsNext = fit.next;
    if (fit.broken) m_stringsEnd = 0;
}

bool Walk::Run(std::uint32_t first) {
    Take(first);
    std::int64_t at = WalkSector(first, 0);
    std::uint32_t current = first;
    while (!m_finished) {
        if (m_sectors.size() % kStopCheckEvery == 0 && RepairStopRequested()) return false;
        // Where the next header starts in the next sector: past the bytes
        // the cut record still owes, or before it when the header was cut.
        const std::int64_t next =
            m_carry.empty() ? at - m_size : -static_cast<std::int64_t>(m_carry.size());
        const bool wantBof = m_depth == 0;
        // A long record's body covers the whole next sector: nothing there
        // tells whether it is the right one, so file order decides, unless
        // the record's end shows that the stream jumped inside it.
        const bool bodyOnly = next + static_cast<std::int64_t>(biff::kRecordHeaderSize) > m_size;
        std::optional<std::uint32_t> chosen;
        if (m_plan.empty()) chosen = FollowStrings(next, wantBof);
        if (!chosen && bodyOnly && m_plan.empty() && !m_inBody) m_plan = PlanInOrder(current, next);
        if (!chosen && bodyOnly && m_plan.empty()) {
            const bool zerosToo = ZerosInBody(current, next);
            if (!m_inBody) m_plan = PlanBody(current, next, zerosToo);
            const std::uint32_t inOrder = NextInFileOrder(current, zerosToo);
            if (m_plan.empty() && inOrder < m_count) chosen = inOrder;
        }
        if (!chosen && !m_plan.empty()) {
            chosen = m_plan.front();
            m_plan.erase(m_plan.begin());
        } else if (!chosen && !bodyOnly) {
            const std::uint32_t inOrder = NextInFileOrder(current, false);
            if (inOrder < m_count && Check(inOrder, next, wantBof).GoesOn()) chosen = inOrder;
            if (!chosen) chosen = Search(next, wantBof);
            // Inside a substream, records of types the table does not know
            // (a chart's) fail every check: file order is the best guess.
            // Between substreams nothing fits: the stream has ended.
            if (!chosen && !wantBof && inOrder < m_count) chosen = inOrder;
        }
        if (!chosen) break;
        m_inBody = bodyOnly;
        current = *chosen;
        AdvanceStrings(current);
        Take(current);
        at = WalkSector(current, next);
    }
    return true;
}

std::uint32_t SectorSizeOf(const std::vector<std::uint8_t>& file) {
    if (file.size() < cf::kHeaderSize) return kSmallSector;
    const bool signature =
        std::memcmp(file.data() + cf::kSignatureOffset, cf::kSignature, cf::kSignatureSize) == 0;
    const bool large =
        CDataReader::GetU16(file.data() + cf::kSectorShiftOffset) == kLargeSectorShift;
    return signature && large ? kLargeSector : kSmallSector;
}

bool ReadWhole(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > CSectorReassembly::kMaxFileSize) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

// Walks from every block of `size` bytes, the first at byte `base`, that
// starts with a globals BOF, and keeps the longest stream in best. Each walk
// spends the budget of a file of `sectors` sectors. False for a stop
// request.
bool Reassemble(const std::vector<std::uint8_t>& file, std::uint64_t base, std::uint32_t size,
                const std::vector<EBlock>& kinds, std::uint32_t sectors,
                std::vector<std::uint32_t>& best) {
    const auto count = static_cast<std::uint32_t>(kinds.size());
    std::vector<std::uint32_t> starts;
    for (std::uint32_t s = 0; s < count && starts.size() < kMaxStarts; ++s) {
        const std::uint8_t* p = file.data() + base + static_cast<std::uint64_t>(s) * size;
        if (kinds[s] == EBlock::Data && CBofSignature::SubstreamAt(p) == biff::kSubstreamGlobals)
            starts.push_back(s);
    }
    for (const std::uint32_t start : starts) {
        std::uint64_t budget = kReadsBase + kReadsPerSector * sectors;
        // A globals BOF inside the longest stream so far starts nothing new.
        if (std::find(best.begin(), best.end(), start) != best.end()) continue;
        Walk walk(file, base, size, count, kinds, budget);
        if (!walk.Run(start)) {
            best.clear();
            return false;
        }
        if (walk.Sectors().size() > best.size()) best = walk.Sectors();
    }
    return true;
}

}  // namespace

bool CSectorReassembly::Rebuild(const std::filesystem::path& source,
                                const std::filesystem::path& destination) {
    m_sectors.clear();
    m_miniSectors = false;
    std::vector<std::uint8_t> file;
    if (!ReadWhole(source, file)) return false;
    m_sectorSize = SectorSizeOf(file);
    if (file.size() <= m_sectorSize) return false;
    // A last sector the file cuts short reads as ending in zeros.
    const std::uint64_t count64 = (file.size() - m_sectorSize + m_sectorSize - 1) / m_sectorSize;
    const auto count = static_cast<std::uint32_t>(count64);
    file.resize(static_cast<std::size_t>((count64 + 1) * m_sectorSize), 0);

    std::vector<EBlock> kinds(count, EBlock::Data);
    for (std::uint32_t s = 0; s < count; ++s) {
        if (s % kStopCheckEvery == 0 && RepairStopRequested()) return false;
        const std::uint8_t* p = file.data() + static_cast<std::uint64_t>(s + 1) * m_sectorSize;
        if (sectorcontent::AllZero(p, m_sectorSize)) {
            kinds[s] = EBlock::Zeros;
        } else if (sectorcontent::HoldsSectorIds(p, m_sectorSize, count) ||
                   sectorcontent::HoldsDirectoryEntries(p, m_sectorSize)) {
            kinds[s] = EBlock::Tables;
        }
    }
    if (!Reassemble(file, m_sectorSize, m_sectorSize, kinds, count, m_sectors)) return false;
    if (m_sectors.empty()) {
        // No sector starts with the globals' BOF: a stream under the mini
        // stream cutoff lies in the mini stream, whose 64-byte mini sectors
        // fill the sectors that hold it. A mini sector takes the kind of
        // its sector, unless it is zeroed alone.
        constexpr std::uint32_t kMini = cf::kMiniSectorSize;
        const std::uint32_t perSector = m_sectorSize / kMini;
        std::vector<EBlock> miniKinds(static_cast<std::size_t>(count) * perSector);
        for (std::size_t m = 0; m < miniKinds.size(); ++m) {
            const EBlock sector = kinds[m / perSector];
            const std::uint8_t* p = file.data() + m_sectorSize + m * kMini;
            miniKinds[m] =
                sector == EBlock::Data && sectorcontent::AllZero(p, kMini) ? EBlock::Zeros : sector;
        }
        // Its walk spends what a walk over the sectors would: eight times as
        // many blocks must not make a large file's search eight times slower.
        if (!Reassemble(file, m_sectorSize, kMini, miniKinds, count, m_sectors)) return false;
        m_miniSectors = !m_sectors.empty();
    }
    if (m_sectors.empty()) return false;

    const std::uint32_t block = m_miniSectors ? cf::kMiniSectorSize : m_sectorSize;
    std::ofstream out(destination, std::ios::binary | std::ios::trunc);
    for (const std::uint32_t s : m_sectors)
        out.write(reinterpret_cast<const char*>(file.data()) + m_sectorSize +
                      static_cast<std::uint64_t>(s) * block,
                  block);
    out.close();
    if (!out) {
        m_sectors.clear();
        return false;
    }
    return true;
}

std::vector<std::uint32_t> CSectorReassembly::GetFileSectors() const {
    if (!m_miniSectors) return m_sectors;
    const std::uint32_t perSector = m_sectorSize / cf::kMiniSectorSize;
    std::vector<std::uint32_t> sectors;
    for (const std::uint32_t m : m_sectors)
        if (sectors.empty() || sectors.back() != m / perSector) sectors.push_back(m / perSector);
    return sectors;
}

std::vector<CSectorRun> CSectorReassembly::Runs(const std::vector<std::uint32_t>& sectors) {
    std::vector<CSectorRun> runs;
    for (const std::uint32_t s : sectors) {
        if (!runs.empty() && runs.back().first + runs.back().count == s) {
            ++runs.back().count;
        } else {
            runs.push_back({s, 1});
        }
    }
    return runs;
}
