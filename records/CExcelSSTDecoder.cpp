#include "records/CExcelSSTDecoder.h"

#include <algorithm>
#include <optional>

#include "biff/CExcelContinueRecordOffset.h"
#include "biff/CExcelRawRecordData.h"
#include "platform/RunState.h"
#include "records/CExcelSSTDataList.h"
#include "records/RecordLayout.h"

namespace {

using BucketStart = CExcelSSTDecoder::BucketStart;
using DroppedBytes = CExcelSSTDecoder::DroppedBytes;

constexpr std::uint8_t kReservedFlags = static_cast<std::uint8_t>(
    ~(biff8::kStringWide | biff8::kStringFarEast | biff8::kStringRichText));

// Bounds of the search for the strings of a stretch given up: a few
// buckets' worth of strings and bytes, a few strings lost in one run, and
// work linear in the stretch. A string takes at least its 3-byte header.
constexpr std::uint32_t kMaxBackFillStrings = 4096;
constexpr std::uint32_t kMaxBackFillBytes = 1u << 20;
constexpr std::uint32_t kMaxBackFillLost = 16;
constexpr std::uint64_t kBackFillWorkPerByte = 64;
constexpr std::uint64_t kBackFillWork = 1u << 16;
constexpr std::uint32_t kMinStringBytes = 3;
// Every boundary taken as passed (a cursor counts no more than it has).
constexpr std::uint32_t kAllBoundaries = 0xFFFFFFFF;

// Reads one long-form string at the cursor: its characters into text, its
// flags, runs and extension offset into attributes. False when its header
// (count, flags and the run count and extension size the flags announce)
// is cut by the end of the data, or its flags have reserved bits set: no
// string begins there.
bool ReadString(CExcelSSTCursor& cursor, std::u16string& text, CExcelSSTData& attributes) {
    const std::uint16_t count = cursor.ReadU16();
    const std::uint8_t flags = cursor.ReadU8();
    const bool rich = flags & biff8::kStringRichText;
    const bool farEast = flags & biff8::kStringFarEast;
    if (flags & kReservedFlags) return false;
    const std::uint16_t runs = rich ? cursor.ReadU16() : 0;
    const std::uint32_t extension = farEast ? cursor.ReadU32() : 0;
    if (cursor.IsExhausted()) return false;

    attributes.SetFlags(rich, farEast);
    cursor.ReadChars(count, flags & biff8::kStringWide, text);
    for (std::uint32_t i = 0; i < runs; ++i) {
        std::uint8_t run[biff8::kRunSize];
        // Runs cut by the end of the data are lost; the text is kept.
        if (!cursor.ReadRun(run)) break;
        attributes.AddRun(new CFormatingRuns(run));
    }
    attributes.SetExtensionOffset(cursor.GetNormalisedPosition());
    // The far-east block is never interpreted; its declared size only says
    // where the next string begins.
    cursor.SkipData(extension);
    return true;
}

// The walk over the strings, appending them to the table as it reads them:
// each index holds its string or is lost, and the walk notes the offset
// just past what was read for it. Indices count from the table's first
// index the walk added.
class CSstWalk {
public:
    CSstWalk(CExcelSSTCursor& cursor, const std::vector<BucketStart>& buckets, std::uint32_t unique,
             CExcelSSTDataList& list)
        : m_cursor(cursor),
          m_buckets(buckets),
          m_unique(unique),
          m_list(list),
          m_base(list.GetCount()),
          m_trustedStart(cursor.GetPosition()),
          m_trustedPassed(cursor.GetBoundariesUsed()) {}

    void Run();
    // Lost strings at the end of the table need no entries: an index past
    // the end is lost as well.
    void DropLostTail();
    const std::vector<DroppedBytes>& GetDropped() const { return m_dropped; }

private:
    std::uint32_t Count() const { return m_list.GetCount() - m_base; }
    bool Kept(std::uint32_t index) const { return m_list.GetAt(m_base + index) != nullptr; }
    // Drops the strings read since the last trusted start that may come
    // from the wrong place: those that end past the boundary where the
    // cursor found damage or, when nothing says where the damage lies and
    // wholeStretch is set, all of them.
    void Retract(bool wholeStretch);
    // After Retract: goes on at first when it is given and can be entered,
    // else as Resume does, and notes the bytes from the end of the last
    // string kept to where the walk goes on, or to the end of the record
    // when it cannot (false then: the table ends).
    bool Realign(const std::optional<BucketStart>& first = std::nullopt);
    // Goes on at the next bucket start not yet met whose header is sound;
    // false when none is left.
    bool Resume();
    // Goes on at bucket, reading the strings from its index on again; false
    // (nothing changed) when its header is not sound or its index lies
    // before the trusted start.
    bool Enter(const BucketStart& bucket);
    // True when a string header with sound flags starts at the bucket start
    // and its index is one the table and the bytes before it can hold.
    bool HeaderAt(const BucketStart& bucket);
    // True when a bucket start the walk did not arrive at says more about
    // the walk than about the index: its header is sound and no string
    // read since the trusted start began there.
    bool Believable(const BucketStart& bucket);
    // Offset just past the last string kept since the trusted start, or the
    // trusted start itself.
    std::uint32_t KeptEnd() const;
    // Notes [begin, end) as bytes the walk could not use.
    void Drop(std::uint32_t begin, std::uint32_t end);

    // A string index, where that string begins and the boundaries behind it.
    struct Start {
        std::uint32_t index;
        std::uint32_t offset;
        std::uint32_t passed;
    };
    Start TrustedStart() const { return {m_trusted, m_trustedStart, m_trustedPassed}; }
    // Once the walk goes on at `to`, finds again the strings of the stretch
    // from `from` that damage did not touch, and puts them back under their
    // own indices; `lost` receives the bytes of the strings still lost.
    // False (the table unchanged) when no single run of lost strings
    // explains the stretch.
    bool BackFill(const Start& from, const Start& to, DroppedBytes& lost);
    // The strings read from `start` to `end` in the bytes, one after the
    // other: for each offset of [from, to], how many sound strings starting
    // there end exactly at `to`, or -1.
    bool ChainsTo(const Start& from, const Start& to, std::vector<std::int32_t>& chains);

    CExcelSSTCursor& m_cursor;
    const std::vector<BucketStart>& m_buckets;
    const std::uint32_t m_unique;
    CExcelSSTDataList& m_list;
    const std::uint32_t m_base;
    // The characters of the string being read, one buffer for them all.
    std::u16string m_text;
    std::vector<std::uint32_t> m_ends;
    std::size_t m_nextBucket = 0;
    // Strings below m_trusted were read from a start known to be right (or
    // judged sound before damage) and are not dropped again.
    std::uint32_t m_trusted = 0;
    // Where string m_trusted begins, and the boundaries behind it.
    std::uint32_t m_trustedStart;
    std::uint32_t m_trustedPassed;
    // A bucket start ahead of where the walk was when it expected it.
    std::optional<BucketStart> m_pending;
    std::vector<DroppedBytes> m_dropped;
};

void CSstWalk::Run() {
    while (Count() < m_unique) {
        while (m_nextBucket < m_buckets.size() && m_buckets[m_nextBucket].index < Count())
            ++m_nextBucket;
        if (m_nextBucket < m_buckets.size() && m_buckets[m_nextBucket].index == Count()) {
            const BucketStart& bucket = m_buckets[m_nextBucket];
            if (m_cursor.GetPosition() == bucket.offset &&
                m_cursor.GetBoundariesUsed() == bucket.passed) {
                // Arriving where EXTSST says confirms every string before.
                m_trusted = Count();
                m_trustedStart = bucket.offset;
                m_trustedPassed = bucket.passed;
                ++m_nextBucket;
            } else if (!Believable(bucket)) {
                ++m_nextBucket;
            } else if (bucket.offset > m_cursor.GetPosition() && !m_pending) {
                // Ahead of the walk: the walk goes on, and the start is
                // judged when the walk gets there.
                m_pending = bucket;
                ++m_nextBucket;
            } else {
                Retract(true);
                if (!Realign()) break;
                continue;
            }
        }
        if (!m_cursor.HasData()) break;
        CExcelSSTData attributes;
        const bool read = ReadString(m_cursor, m_text, attributes);
        if (m_cursor.IsUnsound() || (!read && !m_cursor.IsExhausted())) {
            // Without bucket starts to check against, only the string being
            // read is known to be wrong.
            Retract(!m_buckets.empty());
            if (!Realign()) break;
            continue;
        }
        if (!read) {
            // A header cut by the end of the data ends the table.
            Drop(KeptEnd(), m_cursor.GetSize());
            break;
        }
        m_list.Add(m_text, std::move(attributes));
        m_ends.push_back(m_cursor.GetPosition());
        if (!m_pending && m_nextBucket < m_buckets.size() &&
            m_cursor.GetPosition() > m_buckets[m_nextBucket].offset &&
            Believable(m_buckets[m_nextBucket])) {
            // A string running over the start of a later bucket (a damaged
            // character count can make one run to the end of the table)
            // shows the walk misaligned before that bucket's index is reached.
            Retract(true);
            if (!Realign()) break;
            continue;
        }
        if (m_pending && m_cursor.GetPosition() >= m_pending->offset) {
            // A string starting where the bucket says, under another index,
            // shows the index damaged; a string running over it shows the
            // walk misaligned.
            const BucketStart pending = *m_pending;
            m_pending.reset();
            if (m_cursor.GetPosition() > pending.offset) {
                Retract(true);
                if (!Realign(pending)) break;
                continue;
            }
        }
        if (m_cursor.IsExhausted()) break;
    }
}

bool CSstWalk::HeaderAt(const BucketStart& bucket) {
    if (bucket.index >= m_unique || bucket.index > bucket.offset / 3) return false;
    const CExcelSSTCursor::Mark mark = m_cursor.GetMark();
    m_cursor.Seek(bucket.offset, bucket.passed);
    m_cursor.ReadU16();
    const std::uint8_t flags = m_cursor.ReadU8();
    const bool sound =
        !m_cursor.IsExhausted() && !m_cursor.IsUnsound() && !(flags & kReservedFlags);
    m_cursor.SetMark(mark);
    return sound;
}

bool CSstWalk::Believable(const BucketStart& bucket) {
    if (!HeaderAt(bucket)) return false;
    // A start where a string read soundly since the trusted start began,
    // under another index, is the index's damage, not the walk's.
    for (std::uint32_t i = m_trusted; i < Count(); ++i)
        if (Kept(i) && m_ends[i] == bucket.offset) return false;
    return true;
}

void CSstWalk::Retract(bool wholeStretch) {
    if (m_cursor.IsUnsound()) {
        const std::uint32_t offset = m_cursor.BoundaryOffset(m_cursor.GetDamagedBoundary());
        for (std::uint32_t i = m_trusted; i < Count(); ++i)
            if (m_ends[i] > offset) m_list.SetLost(m_base + i);
    } else if (wholeStretch) {
        // Nothing says where the damage lies: every string since the
        // trusted start may come from the wrong place.
        for (std::uint32_t i = m_trusted; i < Count(); ++i) m_list.SetLost(m_base + i);
    }
}

std::uint32_t CSstWalk::KeptEnd() const {
    for (std::uint32_t i = Count(); i > m_trusted; --i)
        if (Kept(i - 1)) return m_ends[i - 1];
    return m_trustedStart;
}

void CSstWalk::Drop(std::uint32_t begin, std::uint32_t end) {
    // Stretches stay in order and apart even when a bucket start the walk
    // resumed at lies before the end of a string it kept.
    if (!m_dropped.empty()) begin = std::max(begin, m_dropped.back().end);
    if (begin >= end) return;
    if (!m_dropped.empty() && m_dropped.back().end == begin)
        m_dropped.back().end = end;
    else
        m_dropped.push_back({begin, end});
}

bool CSstWalk::Realign(const std::optional<BucketStart>& first) {
    const std::uint32_t from = KeptEnd();
    const Start stretch = TrustedStart();
    const bool resumed = (first && Enter(*first)) || Resume();
    // Past the last bucket start the table's end is the anchor: with EXTSST
    // read after it, the record was not cut, and its last string ends
    // where its bytes do.
    const Start to = resumed ? TrustedStart() : Start{m_unique, m_cursor.GetSize(), kAllBoundaries};
    DroppedBytes lost{};
    if ((resumed || !m_buckets.empty()) && BackFill(stretch, to, lost)) {
        Drop(lost.begin, lost.end);
        return true;
    }
    Drop(from, resumed ? m_cursor.GetPosition() : m_cursor.GetSize());
    return resumed;
}

bool CSstWalk::ChainsTo(const Start& from, const Start& to, std::vector<std::int32_t>& chains) {
    const std::uint32_t span = to.offset - from.offset;
    chains.assign(span + 1, -1);
    chains[span] = 0;
    // Each offset reads at most the bytes up to `to`; a stretch whose
    // headers would make that quadratic is given up.
    std::uint64_t work = 0;
    const std::uint64_t budget = kBackFillWorkPerByte * std::uint64_t{span} + kBackFillWork;
    for (std::uint32_t q = to.offset; q-- > from.offset;) {
        m_cursor.Seek(q, from.passed);
        const std::uint32_t count = m_cursor.ReadU16();
        const std::uint8_t flags = m_cursor.ReadU8();
        const std::uint32_t runs = (flags & biff8::kStringRichText) ? m_cursor.ReadU16() : 0;
        const std::uint64_t extension = (flags & biff8::kStringFarEast) ? m_cursor.ReadU32() : 0;
        if ((flags & kReservedFlags) || m_cursor.IsExhausted() || m_cursor.IsUnsound()) continue;
        // Every character takes at least a byte.
        const std::uint64_t least = std::uint64_t{m_cursor.GetPosition() - q} + count +
                                    std::uint64_t{biff8::kRunSize} * runs + extension;
        if (q + least > to.offset) continue;
        work += least;
        if (work > budget) return false;
        m_cursor.Seek(q, from.passed);
        CExcelSSTData attributes;
        if (!ReadString(m_cursor, m_text, attributes) || m_cursor.IsUnsound()) continue;
        const std::uint32_t end = m_cursor.GetPosition();
        if (end <= q || end > to.offset || chains[end - from.offset] < 0) continue;
        chains[q - from.offset] = chains[end - from.offset] + 1;
    }
    return true;
}

bool CSstWalk::BackFill(const Start& from, const Start& to, DroppedBytes& lost) {
    if (to.index <= from.index || to.offset <= from.offset ||
        to.index - from.index > kMaxBackFillStrings ||
        to.offset - from.offset > kMaxBackFillBytes) {
        return false;
    }
    const std::uint32_t n = to.index - from.index;
    // The strings that read soundly from the trusted start, and where each
    // ends.
    std::vector<std::uint32_t> forward{from.offset};
    m_cursor.Seek(from.offset, from.passed);
    while (forward.size() <= n) {
        CExcelSSTData attributes;
        if (!ReadString(m_cursor, m_text, attributes) || m_cursor.IsUnsound() ||
            m_cursor.GetPosition() > to.offset)
            break;
        forward.push_back(m_cursor.GetPosition());
    }
    std::vector<std::int32_t> chains;
    const bool chained = ChainsTo(from, to, chains);
    m_cursor.Seek(to.offset, to.passed);
    if (!chained) return false;

    // The stretch is: strings read from the trusted start, then `missing`
    // strings lost, then strings that run on to `to` exactly, the counts
    // adding up. The fewest lost strings explain it best; then the fewest
    // strings read past the trusted start (a string read from a damaged
    // header may end anywhere), then the earliest start of the rest.
    std::uint32_t kept = 0;
    std::uint32_t missing = 0;
    std::uint32_t resume = 0;
    // The offsets that start each count of strings running on to `to`, in
    // increasing order: each try below is one search.
    std::vector<std::vector<std::uint32_t>> starts(n + 1);
    for (std::uint32_t q = from.offset; q <= to.offset; ++q) {
        const std::int32_t count = chains[q - from.offset];
        if (count >= 0 && static_cast<std::uint32_t>(count) <= n)
            starts[static_cast<std::uint32_t>(count)].push_back(q);
    }
    const auto explain = [&] {
        for (missing = 1; missing <= std::min(n, kMaxBackFillLost); ++missing) {
            for (kept = 0; kept < forward.size() && kept + missing <= n; ++kept) {
                const std::vector<std::uint32_t>& candidates = starts[n - kept - missing];
                const auto at = std::lower_bound(candidates.begin(), candidates.end(),
                                                 forward[kept] + kMinStringBytes * missing);
                if (at != candidates.end()) {
                    resume = *at;
                    return true;
                }
            }
        }
        return false;
    };
    if (!explain()) return false;

    // Read again into place: the table holds the stretch's strings in
    // order, so it is cut back to the stretch's start and grown anew. The
    // reads are those made above, so they give the same strings; the
    // table still ends at `to`'s index whatever happens.
    m_list.Resize(m_base + from.index);
    m_ends.resize(from.index);
    const auto readInto = [&](std::uint32_t strings) {
        for (std::uint32_t i = 0; i < strings && Count() < to.index; ++i) {
            CExcelSSTData attributes;
            if (!ReadString(m_cursor, m_text, attributes)) break;
            m_list.Add(m_text, std::move(attributes));
            m_ends.push_back(m_cursor.GetPosition());
        }
    };
    m_cursor.Seek(from.offset, from.passed);
    readInto(kept);
    for (std::uint32_t i = 0; i < missing && Count() < to.index; ++i) {
        m_list.AddLost();
        m_ends.push_back(resume);
    }
    m_cursor.Seek(resume, from.passed);
    readInto(static_cast<std::uint32_t>(chains[resume - from.offset]));
    m_list.Resize(m_base + to.index);
    m_ends.resize(to.index, to.offset);
    lost = {forward[kept], resume};
    m_cursor.Seek(to.offset, to.passed);
    return true;
}

bool CSstWalk::Resume() {
    m_pending.reset();
    while (m_nextBucket < m_buckets.size()) {
        const BucketStart& bucket = m_buckets[m_nextBucket++];
        if (bucket.index >= Count() && Enter(bucket)) return true;
    }
    return false;
}

bool CSstWalk::Enter(const BucketStart& bucket) {
    if (bucket.index < m_trusted || !HeaderAt(bucket)) return false;
    m_pending.reset();
    m_list.Resize(m_base + bucket.index);
    m_ends.resize(bucket.index, bucket.offset);
    m_cursor.Seek(bucket.offset, bucket.passed);
    m_trusted = bucket.index;
    m_trustedStart = bucket.offset;
    m_trustedPassed = bucket.passed;
    return true;
}

void CSstWalk::DropLostTail() {
    std::uint32_t count = Count();
    while (count > 0 && !Kept(count - 1)) --count;
    m_list.Resize(m_base + count);
}

}  // namespace

std::uint32_t CExcelSSTDecoder::DecodeBytes(
    const std::uint8_t* bytes, std::uint32_t size,
    const std::vector<CExcelSSTCursor::Boundary>& boundaries, CExcelSSTDataList& list,
    const std::vector<BucketStart>& buckets, std::vector<DroppedBytes>* dropped) {
    CExcelSSTCursor cursor(bytes, size, boundaries);
    cursor.SkipData(biff8::kSstTotalOffset);
    const std::uint32_t total = cursor.ReadU32();
    const std::uint32_t unique = cursor.ReadU32();
    RepairCounters[CounterTextCells].fetch_add(total);

    // cstUnique is only an upper bound: every string takes at least its
    // 3-byte header, so the walk also ends with the data.
    CSstWalk walk(cursor, buckets, unique, list);
    walk.Run();
    walk.DropLostTail();
    list.ReleaseSpare();
    if (dropped) *dropped = walk.GetDropped();
    return cursor.GetBoundariesUsed();
}

void CExcelSSTDecoder::Decode(CExcelRawRecordData& record, CExcelSSTDataList& list,
                              CExcelContinueRecordOffsetList& continues,
                              const std::vector<BucketStart>& buckets,
                              std::vector<DroppedBytes>* dropped) {
    if (dropped) dropped->clear();
    if (!record.Load()) return;
    std::vector<CExcelSSTCursor::Boundary> boundaries;
    boundaries.reserve(continues.GetCount());
    for (const CExcelContinueRecordOffset* entry = continues.GetHead(); entry;
         entry = entry->GetNext())
        boundaries.push_back({entry->GetOffset(), entry->GetFlag(), entry->IsDamaged()});

    const std::uint32_t used =
        DecodeBytes(record.GetLoadedBytes(), record.GetSize(), boundaries, list, buckets, dropped);
    record.FreeLoaded();

    // The boundaries the walk passed are consumed; those past the last string
    // read stay in the list.
    for (std::uint32_t i = 0; i < used && continues.GetHead(); ++i)
        continues.Remove(continues.GetHead());
}
