#include "records/CExcelSSTStreamRanges.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Ranges = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

// The SST at 1000 (96 body bytes: joined 0-100), a CONTINUE at 1100 (joined
// 100-150, its data at 1105) and one at `second` (joined 150-200, its data
// 5 bytes on).
std::vector<CExcelSSTIndex::Piece> Pieces(std::uint32_t second) {
    return {{1000, 0}, {1100, 100}, {second, 150}};
}

}  // namespace

TEST(SstStreamRanges, JoinedStretchesLandOnTheirRecordsBytes) {
    struct Row {
        const char* name;
        std::uint32_t second;
        CExcelSSTDecoder::DroppedBytes stretch;
        Ranges expected;
    };
    const Row rows[] = {
        {"inside the SST", 1155, {20, 60}, {{1020, 1060}}},
        {"across a boundary, records back to back", 1155, {90, 120}, {{1090, 1125}}},
        {"from a boundary: the held-aside byte with it", 1155, {100, 120}, {{1104, 1125}}},
        {"to a boundary: the held-aside byte not", 1155, {120, 150}, {{1125, 1155}}},
        {"the whole chain", 1155, {12, 200}, {{1012, 1210}}},
        {"across a boundary, records apart", 1300, {120, 170}, {{1125, 1155}, {1304, 1325}}},
        {"past the joined record: cut at its end", 1155, {190, 500}, {{1200, 1210}}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CExcelSSTStreamRanges::Map(Pieces(row.second), 200, row.stretch), row.expected)
            << row.name;
}
