#include "biff/CBulkBlock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

// Giving back a block's unused pages keeps every used byte; in a huge block
// the pages wholly past the used bytes read as zeros afterwards, while a
// small block (the heap's) is left as it is.
TEST(CBulkBlock, ReleasingTheUnusedTailKeepsTheUsedBytes) {
    constexpr std::size_t kHuge = CBulkBlock::kHugePage;
    struct Case {
        std::size_t count;
        std::size_t used;
        bool tailZeroed;
    } const cases[] = {
        {kHuge, 100, true},             // a huge block, its first page in use
        {kHuge - 40, kHuge / 2, true},  // a list's largest block, short of a page
        {kHuge, kHuge, false},          // full: nothing to give back
        {kHuge / 4, 100, false},        // a small block
    };
    for (const Case& c : cases) {
        auto block = CBulkBlock::Make<std::uint8_t>(c.count);
        std::fill(block.get(), block.get() + c.count, std::uint8_t{0xAB});
        CBulkBlock::ReleaseUnused(block.get(), c.count, c.used);
        const std::uint8_t* bytes = block.get();
        EXPECT_TRUE(std::all_of(bytes, bytes + c.used, [](std::uint8_t b) { return b == 0xAB; }))
            << c.count << "/" << c.used;
        if (c.used < c.count) {
            EXPECT_EQ(bytes[c.count - 1], c.tailZeroed ? 0 : 0xAB) << c.count << "/" << c.used;
            // The block is still the list's: it may be written again.
            block[c.count - 1] = 7;
        }
    }
}
