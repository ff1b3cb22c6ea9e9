#include "biff/CExcelUTF16LE.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CExcelUTF16LE, ShortFormCompressedCharacters) {
    const std::vector<std::uint8_t> bytes = {5, 0x00, 'A', 'r', 'i', 'a', 'l'};
    EXPECT_EQ(CExcelUTF16LE(bytes.data(), 7, 1).GetText(), u"Arial");
}

TEST(CExcelUTF16LE, LongFormWideCharactersAfterRunsAndExtensionSizes) {
    // cch 2, flags 16-bit + runs + extension: run count u16, ext size u32.
    const std::vector<std::uint8_t> bytes = {2, 0, 0x0D, 1, 0, 4, 0, 0, 0, 0xE9, 0x00, 0x2D, 0x4E};
    EXPECT_EQ(CExcelUTF16LE(bytes.data(), static_cast<std::uint32_t>(bytes.size()), 2).GetText(),
              u"\u00e9\u4e2d");
}

TEST(CExcelUTF16LE, EightBitCharactersWidenToTheSameCodeUnit) {
    const std::vector<std::uint8_t> bytes = {1, 0, 0x00, 0xE9};
    EXPECT_EQ(CExcelUTF16LE(bytes.data(), 4, 2).GetText(), u"\u00e9");
}

TEST(CExcelUTF16LE, CountPastTheRecordIsCutAtTheEnd) {
    const std::vector<std::uint8_t> bytes = {200, 0, 0x01, 'o', 0, 'k', 0, 'x'};
    EXPECT_EQ(CExcelUTF16LE(bytes.data(), 8, 2).GetText(), u"ok");
}

TEST(CExcelUTF16LE, ZeroCharacterEndsTheString) {
    const std::vector<std::uint8_t> bytes = {3, 0, 0x00, 'a', 0, 'b'};
    EXPECT_EQ(CExcelUTF16LE(bytes.data(), 6, 2).GetText(), u"a");
}
