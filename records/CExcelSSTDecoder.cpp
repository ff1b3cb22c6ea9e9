#include "records/CExcelSSTDecoder.h"

#include <memory>

#include "biff/CExcelContinueRecordOffset.h"
#include "biff/CExcelRawRecordData.h"
#include "platform/RunState.h"
#include "records/CExcelSSTDataList.h"
#include "records/RecordLayout.h"

namespace {

using BucketStart = CExcelSSTDecoder::BucketStart;

constexpr std::uint8_t kReservedFlags = static_cast<std::uint8_t>(
    ~(biff8::kStringWide | biff8::kStringFarEast | biff8::kStringRichText));

// Reads one long-form string at the cursor. Null when its header (count,
// flags and the run count and extension size the flags announce) is cut by
// the end of the data, or its flags have reserved bits set: no string
// begins there.
std::unique_ptr<CExcelSSTData> ReadString(CExcelSSTCursor& cursor) {
    const std::uint16_t count = cursor.ReadU16();
    const std::uint8_t flags = cursor.ReadU8();
    const bool rich = flags & biff8::kStringRichText;
    const bool farEast = flags & biff8::kStringFarEast;
    if (flags & kReservedFlags) return nullptr;
    const std::uint16_t runs = rich ? cursor.ReadU16() : 0;
    const std::uint32_t extension = farEast ? cursor.ReadU32() : 0;
    if (cursor.IsExhausted()) return nullptr;

    auto entry = std::make_unique<CExcelSSTData>();
    entry->SetFlags(rich, farEast);
    entry->SetText(cursor.ReadChars(count, flags & biff8::kStringWide));
    for (std::uint32_t i = 0; i < runs; ++i) {
        std::uint8_t run[biff8::kRunSize];
        // Runs cut by the end of the data are lost; the text is kept.
        if (!cursor.ReadRun(run)) break;
        entry->AddRun(new CFormatingRuns(run));
    }
    entry->SetExtensionOffset(cursor.GetNormalisedPosition());
    // The far-east block is never interpreted; its declared size only says
    // where the next string begins.
    cursor.SkipData(extension);
    return entry;
}

// The walk over the strings: each index holds its string or nothing (lost),
// and the offset just past what was read for it.
class CSstWalk {
public:
    CSstWalk(CExcelSSTCursor& cursor, const std::vector<BucketStart>& buckets, std::uint32_t unique)
        : m_cursor(cursor), m_buckets(buckets), m_unique(unique) {}

    void Run();
    void MoveTo(CExcelSSTDataList& list);

private:
    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_strings.size()); }
    // Drops the strings read since the last trusted start that may come
    // from the wrong place: those that end past the boundary where the
    // cursor found damage or, when a bucket start was missed (wholeStretch),
    // past the first boundary crossed since that start.
    void Retract(bool wholeStretch);
    // Goes on at the next bucket start not yet met; false when none is left.
    bool Resume();

    CExcelSSTCursor& m_cursor;
    const std::vector<BucketStart>& m_buckets;
    const std::uint32_t m_unique;
    std::vector<std::unique_ptr<CExcelSSTData>> m_strings;
    std::vector<std::uint32_t> m_ends;
    std::size_t m_nextBucket = 0;
    // Strings below m_trusted were read from a start known to be right and
    // are not dropped again; m_trustedPassed boundaries lay behind it.
    std::uint32_t m_trusted = 0;
    std::uint32_t m_trustedPassed = 0;
};

void CSstWalk::Run() {
    m_trustedPassed = m_cursor.GetBoundariesUsed();
    while (Count() < m_unique) {
        while (m_nextBucket < m_buckets.size() && m_buckets[m_nextBucket].index < Count())
            ++m_nextBucket;
        if (m_nextBucket < m_buckets.size() && m_buckets[m_nextBucket].index == Count()) {
            const BucketStart& bucket = m_buckets[m_nextBucket];
            if (m_cursor.GetPosition() != bucket.offset ||
                m_cursor.GetBoundariesUsed() != bucket.passed) {
                Retract(true);
                if (!Resume()) break;
                continue;
            }
            // Arriving exactly where EXTSST says confirms every string before.
            m_trusted = Count();
            m_trustedPassed = bucket.passed;
            ++m_nextBucket;
        }
        if (!m_cursor.HasData()) break;
        std::unique_ptr<CExcelSSTData> entry = ReadString(m_cursor);
        if (m_cursor.IsUnsound() || (!entry && !m_cursor.IsExhausted())) {
            Retract(false);
            if (!Resume()) break;
            continue;
        }
        // A header cut by the end of the data ends the table.
        if (!entry) break;
        m_strings.push_back(std::move(entry));
        m_ends.push_back(m_cursor.GetPosition());
        if (m_cursor.IsExhausted()) break;
    }
}

void CSstWalk::Retract(bool wholeStretch) {
    std::uint32_t from = 0;
    if (m_cursor.IsUnsound()) {
        from = m_cursor.GetDamagedBoundary();
    } else if (wholeStretch && m_cursor.GetBoundariesUsed() > m_trustedPassed) {
        // A bucket start missed: damage of the kind met in the wild sits at a
        // CONTINUE boundary, so what ended before the first one crossed since
        // the trusted start was read soundly.
        from = m_trustedPassed;
    } else if (wholeStretch) {
        for (std::uint32_t i = m_trusted; i < Count(); ++i) m_strings[i].reset();
        return;
    } else {
        // Nothing says where the damage began: only the string being read
        // is lost.
        return;
    }
    const std::uint32_t offset = m_cursor.BoundaryOffset(from);
    for (std::uint32_t i = m_trusted; i < Count(); ++i)
        if (m_ends[i] > offset) m_strings[i].reset();
}

bool CSstWalk::Resume() {
    while (m_nextBucket < m_buckets.size()) {
        const BucketStart& bucket = m_buckets[m_nextBucket++];
        // Every string takes its 3-byte header at least: an index that many
        // strings could not reach before the offset is not believed.
        if (bucket.index < Count() || bucket.index >= m_unique || bucket.index > bucket.offset / 3)
            continue;
        m_strings.resize(bucket.index);
        m_ends.resize(bucket.index, bucket.offset);
        m_cursor.Seek(bucket.offset, bucket.passed);
        m_trusted = bucket.index;
        m_trustedPassed = m_cursor.GetBoundariesUsed();
        return true;
    }
    return false;
}

void CSstWalk::MoveTo(CExcelSSTDataList& list) {
    // Lost strings at the end of the table need no entries: an index past
    // the end is lost as well.
    while (!m_strings.empty() && !m_strings.back()) m_strings.pop_back();
    for (std::unique_ptr<CExcelSSTData>& entry : m_strings) {
        if (entry)
            list.Add(std::move(entry));
        else
            list.AddLost();
    }
}

}  // namespace

std::uint32_t CExcelSSTDecoder::DecodeBytes(
    const std::uint8_t* bytes, std::uint32_t size,
    const std::vector<CExcelSSTCursor::Boundary>& boundaries, CExcelSSTDataList& list,
    const std::vector<BucketStart>& buckets) {
    CExcelSSTCursor cursor(bytes, size, boundaries);
    cursor.SkipData(biff8::kSstTotalOffset);
    const std::uint32_t total = cursor.ReadU32();
    const std::uint32_t unique = cursor.ReadU32();
    RepairCounters[CounterTextCells].fetch_add(total);

    // cstUnique is only an upper bound: every string takes at least its
    // 3-byte header, so the walk also ends with the data.
    CSstWalk walk(cursor, buckets, unique);
    walk.Run();
    walk.MoveTo(list);
    return cursor.GetBoundariesUsed();
}

void CExcelSSTDecoder::Decode(CExcelRawRecordData& record, CExcelSSTDataList& list,
                              CExcelContinueRecordOffsetList& continues,
                              const std::vector<BucketStart>& buckets) {
    if (!record.Load()) return;
    std::vector<CExcelSSTCursor::Boundary> boundaries;
    boundaries.reserve(continues.GetCount());
    for (const CExcelContinueRecordOffset* entry = continues.GetHead(); entry;
         entry = entry->GetNext())
        boundaries.push_back({entry->GetOffset(), entry->GetFlag(), entry->IsDamaged()});

    const std::uint32_t used =
        DecodeBytes(record.GetLoadedBytes(), record.GetSize(), boundaries, list, buckets);
    record.FreeLoaded();

    // The boundaries the walk passed are consumed; those past the last string
    // read stay in the list.
    for (std::uint32_t i = 0; i < used && continues.GetHead(); ++i)
        continues.Remove(continues.GetHead());
}
