#include "platform/Uuid.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(Uuid, EveryNewOneCarriesVersionFourAndVariantTen) {
    for (int i = 0; i < 500; ++i) {
        const Uuid::Bytes16 bytes = Uuid::NewRandom().Bytes();
        ASSERT_EQ(bytes[6] >> 4, 4);
        ASSERT_EQ(bytes[8] >> 6, 2);
    }
}

TEST(Uuid, NewOnesDiffer) {
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) seen.insert(Uuid::NewRandom().ToString());
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(Uuid, TextIsGroupedEightFourFourFourTwelveInTheChosenCase) {
    Uuid::Bytes16 bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
    const Uuid uuid(bytes);
    EXPECT_EQ(uuid.ToString(), "a0a1a2a3-a4a5-a6a7-a8a9-aaabacadaeaf");
    EXPECT_EQ(uuid.ToString(Uuid::ELetterCase::Upper), "A0A1A2A3-A4A5-A6A7-A8A9-AAABACADAEAF");
}

TEST(Uuid, VersionAndVariantShowWhereReadersLookForThem) {
    const std::string text = Uuid::NewRandom().ToString();
    ASSERT_EQ(text.size(), 36u);
    EXPECT_EQ(text[14], '4');
    EXPECT_NE(std::string("89ab").find(text[19]), std::string::npos);
}
