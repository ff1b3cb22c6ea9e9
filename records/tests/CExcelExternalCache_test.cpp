// CRN values: every value kind, and values cut by the record's end or of a
// type that does not exist, which end what is kept of the record.
#include "records/CExcelExternalCache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using EKind = CExcelExternalCache::EKind;

std::string Kinds(const CExcelExternalCache& cache) {
    std::string kinds;
    for (const CExcelExternalCache::Cell& cell : cache.GetCells())
        kinds += "ENTBR"[static_cast<int>(cell.kind)];
    return kinds;
}

}  // namespace

TEST(ExternalCache, CrnValuesUntilOneIsCutOrUnknown) {
    struct Case {
        const char* what;
        Bytes payload;
        std::string kinds;
    };
    const Case cases[] = {
        {"every kind, columns B to F of row 3",
         {5, 1,   2, 0,   0x01, 0,    0, 0,    0, 0, 0, 0xF8, 0x3F, 0x02, 2,    0,
          1, 'a', 0, 'b', 0,    0x04, 1, 0,    0, 0, 0, 0,    0,    0,    0x10, 0x2A,
          0, 0,   0, 0,   0,    0,    0, 0x00, 0, 0, 0, 0,    0,    0,    0,    0},
         "NTBRE"},
        {"a number cut by the end",
         {1, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0x01, 0, 0},
         "N"},
        {"a text cut by the end",
         {1, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0x02, 9, 0, 0},
         "N"},
        {"an unknown type", {1, 0, 0, 0, 0x03, 0, 0, 0, 0, 0, 0, 0, 0, 0x01}, ""},
        {"more values than columns", {0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0x01}, "N"},
        {"last column before first", {0, 1, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}, ""},
        {"a header alone", {0, 0, 0}, ""},
    };
    for (const Case& c : cases) {
        CExcelExternalCache cache(0, 0);
        cache.AppendCRN(c.payload.data(), static_cast<std::uint32_t>(c.payload.size()), 100);
        EXPECT_EQ(Kinds(cache), c.kinds) << c.what;
    }
    CExcelExternalCache cache(2, 1);
    const Bytes all = cases[0].payload;
    EXPECT_EQ(cache.AppendCRN(all.data(), static_cast<std::uint32_t>(all.size()), 2), 2u)
        << "no more than the room left";
    ASSERT_EQ(cache.GetCells().size(), 2u);
    EXPECT_EQ(cache.GetCells()[0].number, 1.5);
    EXPECT_EQ(cache.GetCells()[1].text, u"ab");
    EXPECT_EQ(cache.GetCells()[1].row, 2);
    EXPECT_EQ(cache.GetCells()[1].column, 2);
}
