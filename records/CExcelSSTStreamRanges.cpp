#include "records/CExcelSSTStreamRanges.h"

#include <algorithm>

#include "records/RecordLayout.h"

namespace {

// A CONTINUE's data in the stream starts after its header and the byte its
// boundary holds.
constexpr std::uint64_t kHeldByte = biff8::kRecordHeaderSize;
constexpr std::uint64_t kContinueData = biff8::kRecordHeaderSize + 1;

}  // namespace

std::vector<std::pair<std::uint32_t, std::uint32_t>> CExcelSSTStreamRanges::Map(
    const std::vector<CExcelSSTIndex::Piece>& pieces, std::uint32_t joinedSize,
    const CExcelSSTDecoder::DroppedBytes& stretch) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;
    const std::uint32_t begin = stretch.begin;
    const std::uint32_t end = std::min(stretch.end, joinedSize);
    // Where the record before ended in the stream, to tell back-to-back
    // records from records apart.
    std::uint64_t previousEnd = 0;
    for (std::size_t i = 0; i < pieces.size() && begin < end; ++i) {
        const CExcelSSTIndex::Piece& piece = pieces[i];
        // Joined bytes of this record: the SST's from 0 (its header), a
        // CONTINUE's from its boundary.
        const std::uint32_t from = i == 0 ? 0 : piece.dataOffset;
        const std::uint32_t next = i + 1 < pieces.size() ? pieces[i + 1].dataOffset : joinedSize;
        const std::uint32_t to = std::max(from, next);
        const std::uint64_t data = piece.streamPosition + (i == 0 ? 0 : kContinueData);
        const std::uint64_t recordEnd = data + (to - from);
        const std::uint64_t beforeEnd = previousEnd;
        previousEnd = recordEnd;

        const std::uint32_t lo = std::max(begin, from);
        const std::uint32_t hi = std::min(end, to);
        const bool held = i > 0 && begin <= from && from < end;
        if (!held && lo >= hi) continue;
        const std::uint64_t first = held ? piece.streamPosition + kHeldByte : data + (lo - from);
        const std::uint64_t last = data + (hi - from);
        if (last > UINT32_MAX) break;
        // A stretch crossing into the record right after the one before
        // runs on over the CONTINUE header between them.
        if (held && !ranges.empty() && ranges.back().second == beforeEnd &&
            beforeEnd == piece.streamPosition)
            ranges.back().second = static_cast<std::uint32_t>(last);
        else
            ranges.emplace_back(static_cast<std::uint32_t>(first),
                                static_cast<std::uint32_t>(last));
    }
    return ranges;
}
