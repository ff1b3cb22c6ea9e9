#include "server/CXlsSstTable.h"

#include <algorithm>

#include "server/CBiffContinuedRecord.h"

using namespace xlsw;

CXlsSstTable::CXlsSstTable(const CXlsStringPool& pool) : m_pool(pool) {}

void CXlsSstTable::Add(std::uint32_t stringId) {
    if (stringId >= m_pool.Count()) return;
    if (m_indexOf.size() <= stringId) m_indexOf.resize(m_pool.Count(), kNotInTable);
    if (m_indexOf[stringId] == kNotInTable) {
        m_indexOf[stringId] = UniqueCount();
        m_order.push_back(stringId);
    }
    ++m_total;
}

std::uint32_t CXlsSstTable::IndexOf(std::uint32_t stringId) const {
    return stringId < m_indexOf.size() ? m_indexOf[stringId] : kNotInTable;
}

bool CXlsSstTable::Write(CBiffRecordWriter& out) const {
    // EXTSST points at the first string of every bucket; readers use it to
    // seek into a large table. At most 128 buckets, of at least 8 strings.
    const std::uint32_t unique = UniqueCount();
    const std::uint32_t perBucket = std::min<std::uint32_t>(
        0xFFFF, std::max(kExtSstMinBucket, (unique + kExtSstMaxBuckets - 1) / kExtSstMaxBuckets));
    constexpr std::size_t kBucketSize = 8;
    constexpr std::size_t kMaxBuckets = (kMaxRecordBody - 2) / kBucketSize;
    struct Bucket {
        std::uint32_t position;
        std::uint16_t offset;
    };
    std::vector<Bucket> buckets;

    CBiffContinuedRecord sst(out, kSST);
    sst.Reserve(kSstHeaderSize);
    sst.Current().U32(m_total).U32(unique);
    std::u16string scratch;
    for (std::uint32_t i = 0; i < unique; ++i) {
        // The bucket entry must name the record that will hold the string's
        // header, so the room for the header is made first.
        const std::u16string_view text = m_pool.Get(m_order[i], scratch);
        if (!sst.ReserveLongStringHead(text)) return false;
        if (i % perBucket == 0 && buckets.size() < kMaxBuckets) {
            buckets.push_back({static_cast<std::uint32_t>(sst.NextPosition()),
                               static_cast<std::uint16_t>(sst.NextOffsetInRecord())});
        }
        if (!sst.PutLongString(text)) return false;
    }
    if (!sst.Finish()) return false;

    CBiffRecordBuilder extsst(kEXTSST);
    extsst.U16(static_cast<std::uint16_t>(perBucket));
    for (const Bucket& bucket : buckets) extsst.U32(bucket.position).U16(bucket.offset).U16(0);
    return out.Write(extsst);
}
