// The --no-... switches: each clears its own save-option bit and no other.
#include "cli/CliSaveOptions.h"

#include <gtest/gtest.h>

#include <set>

#include "model/CSaveOption.h"

namespace {

TEST(CliSaveOptions, EachSwitchClearsOneBitOfItsOwn) {
    std::set<std::uint32_t> bits;
    for (const CliSaveSwitch& entry : CliSaveSwitches()) {
        CSaveOption options(CSaveOption::All);
        ASSERT_TRUE(ApplyCliSaveSwitch(entry.name, options)) << entry.name;
        EXPECT_EQ(options.Get(), CSaveOption::All & ~entry.bit) << entry.name;
        EXPECT_TRUE(bits.insert(entry.bit).second) << entry.name;
    }
    // Every content bit has its switch but the blank-cell formats, which
    // are always written.
    std::uint32_t all = 0;
    for (const std::uint32_t bit : bits) all |= bit;
    EXPECT_EQ(all, CSaveOption::All & ~CSaveOption::BlankCellFormats);
}

TEST(CliSaveOptions, SwitchesAddUpAndOthersChangeNothing) {
    CSaveOption options(CSaveOption::All);
    EXPECT_TRUE(ApplyCliSaveSwitch("--no-text", options));
    EXPECT_TRUE(ApplyCliSaveSwitch("--no-rows", options));
    EXPECT_TRUE(ApplyCliSaveSwitch("--no-text", options));
    EXPECT_EQ(options.Get(), 255u & ~8u & ~128u);
    for (const char* other : {"--no-blanks", "--no-text=1", "no-text", "--NO-TEXT", "", "-o"})
        EXPECT_FALSE(ApplyCliSaveSwitch(other, options)) << other;
    EXPECT_EQ(options.Get(), 255u & ~8u & ~128u);
}

}  // namespace
