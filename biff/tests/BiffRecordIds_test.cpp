#include "biff/BiffRecordIds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(BiffRecordIds, NameTableIsSortedWithoutDuplicates) {
    std::uint32_t count = 0;
    const biff::RecordNameEntry* table = biff::RecordNameTable(&count);
    ASSERT_GT(count, 0u);
    std::set<std::string> names;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i > 0) {
            EXPECT_LT(table[i - 1].type, table[i].type) << table[i].name;
        }
        EXPECT_TRUE(names.insert(table[i].name).second) << table[i].name;
        EXPECT_STREQ(biff::RecordName(table[i].type), table[i].name);
    }
}

TEST(BiffRecordIds, NamesTheRecordsTheScanAndTheDecodersUse) {
    EXPECT_STREQ(biff::RecordName(0x0809), "BOF");
    EXPECT_STREQ(biff::RecordName(0x000A), "EOF");
    EXPECT_STREQ(biff::RecordName(0x003C), "CONTINUE");
    EXPECT_STREQ(biff::RecordName(0x0085), "BOUNDSHEET");
    EXPECT_STREQ(biff::RecordName(0x00FC), "SST");
    EXPECT_STREQ(biff::RecordName(0x041E), "FORMAT");
    EXPECT_STREQ(biff::RecordName(0x04BC), "SHRFMLA");
    EXPECT_EQ(biff::RecordName(0x0000), nullptr);
    EXPECT_EQ(biff::RecordName(0xFFFF), nullptr);
}
