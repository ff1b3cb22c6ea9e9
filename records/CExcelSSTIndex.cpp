#include "records/CExcelSSTIndex.h"

#include <algorithm>

#include "records/RecordLayout.h"

namespace {

std::uint32_t U16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p) {
    return U16(p) | (U16(p + 2) << 16);
}

// Byte 4 of a CONTINUE is the one its boundary holds; a string that starts
// there starts at the boundary, before it is crossed.
constexpr std::uint32_t kContinueFirstByte = biff8::kRecordHeaderSize;

}  // namespace

std::vector<CExcelSSTDecoder::BucketStart> CExcelSSTIndex::Buckets(const std::uint8_t* body,
                                                                   std::uint32_t size,
                                                                   const std::vector<Piece>& pieces,
                                                                   std::uint32_t joinedSize) {
    std::vector<CExcelSSTDecoder::BucketStart> buckets;
    if (!body || size < biff8::kExtSstFirstEntry || pieces.empty()) return buckets;
    const std::uint32_t perBucket = U16(body + biff8::kExtSstBucketSize);
    if (perBucket == 0) return buckets;

    const std::uint32_t entries = (size - biff8::kExtSstFirstEntry) / biff8::kExtSstEntrySize;
    const auto collect = [&](std::int64_t shift) {
        buckets.clear();
        for (std::uint32_t k = 0; k < entries; ++k) {
            const std::uint8_t* entry =
                body + biff8::kExtSstFirstEntry + k * biff8::kExtSstEntrySize;
            const std::int64_t position = U32(entry + biff8::kExtSstEntryPosition) + shift;
            const std::uint32_t inRecord = U16(entry + biff8::kExtSstEntryOffset);
            if (position < inRecord || position - inRecord > UINT32_MAX) continue;
            const auto record = static_cast<std::uint32_t>(position - inRecord);
            const auto piece = std::lower_bound(
                pieces.begin(), pieces.end(), record,
                [](const Piece& p, std::uint32_t at) { return p.streamPosition < at; });
            if (piece == pieces.end() || piece->streamPosition != record) continue;

            const auto i = static_cast<std::uint32_t>(piece - pieces.begin());
            const std::uint32_t end = i + 1 < pieces.size() ? pieces[i + 1].dataOffset : joinedSize;
            const std::uint64_t index = std::uint64_t{k} * perBucket;
            if (index > UINT32_MAX) break;
            CExcelSSTDecoder::BucketStart start{};
            start.index = static_cast<std::uint32_t>(index);
            if (i == 0) {
                if (inRecord < biff8::kSstFirstString) continue;
                start.offset = inRecord;
                start.passed = 0;
            } else if (inRecord == kContinueFirstByte) {
                start.offset = piece->dataOffset;
                start.passed = i - 1;
            } else {
                if (inRecord < kContinueFirstByte) continue;
                start.offset = piece->dataOffset + (inRecord - kContinueFirstByte - 1);
                start.passed = i;
            }
            if (start.offset >= end) continue;
            if (!buckets.empty() && (start.offset <= buckets.back().offset)) continue;
            buckets.push_back(start);
        }
    };
    collect(0);
    if (!buckets.empty() || entries == 0) return buckets;
    // Positions count from the start of the Workbook stream. When the
    // records were read from somewhere else (the raw file, the stream
    // starting one sector in), the first entry, which names the SST itself,
    // says how far they lie from there; a stream stored in one run keeps
    // that distance throughout.
    const std::uint32_t first = U32(body + biff8::kExtSstFirstEntry + biff8::kExtSstEntryPosition);
    const std::uint32_t firstInRecord =
        U16(body + biff8::kExtSstFirstEntry + biff8::kExtSstEntryOffset);
    if (first < firstInRecord) return buckets;
    const std::int64_t shift =
        std::int64_t{pieces.front().streamPosition} - (std::int64_t{first} - firstInRecord);
    if (shift != 0) collect(shift);
    return buckets;
}
