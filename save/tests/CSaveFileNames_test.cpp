#include "save/CSaveFileNames.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "platform/SettingsStore.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path) {
    std::ofstream(path) << "x";
}

// A folder of its own for each test, and a settings folder (through
// XDG_CONFIG_HOME) that starts without a settings file, so that the user's
// own suffix setting never leaks in.
class CSaveFileNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_root = fs::temp_directory_path() /
                 ("mendwell-names-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root / "out");
        fs::create_directories(m_root / "config");
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) m_oldConfig = old;
        ::setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
    }
    void TearDown() override {
        if (m_oldConfig)
            ::setenv("XDG_CONFIG_HOME", m_oldConfig->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    fs::path m_root;
    std::optional<std::string> m_oldConfig;
};

// --- Multiple-file destination names ----------------------------------------

TEST_F(CSaveFileNamesTest, TakenNamesGetACounterAfterTheSuffix) {
    const fs::path out = m_root / "out";
    const fs::path source = "/somewhere/else/Book1.xls";
    EXPECT_EQ(CSaveFileNames::MakeDestinationName(source, out), out / "Book1(Mendwell).xls");
    Touch(out / "Book1(Mendwell).xls");
    EXPECT_EQ(CSaveFileNames::MakeDestinationName(source, out), out / "Book1(Mendwell)_0.xls");
    Touch(out / "Book1(Mendwell)_0.xls");
    EXPECT_EQ(CSaveFileNames::MakeDestinationName(source, out), out / "Book1(Mendwell)_1.xls");
}

TEST_F(CSaveFileNamesTest, SuffixGoesBeforeTheLastDotOfTheFileName) {
    const fs::path out = m_root / "out";
    EXPECT_EQ(CSaveFileNames::MakeDestinationName("a.b.xls", out), out / "a.b(Mendwell).xls");
    EXPECT_EQ(CSaveFileNames::MakeDestinationName("/in/v1.2/Data", out),
              out / "Data(Mendwell).xls");
}

// Anything at the name counts as taken: a folder, or a link to nothing
// (writing through it would create a file somewhere else).
TEST_F(CSaveFileNamesTest, FoldersAndDanglingLinksTakeTheName) {
    const fs::path out = m_root / "out";
    fs::create_directory(out / "Book1(Mendwell).xls");
    fs::create_symlink(m_root / "nowhere", out / "Book1(Mendwell)_0.xls");
    EXPECT_EQ(CSaveFileNames::MakeDestinationName("Book1.xls", out), out / "Book1(Mendwell)_1.xls");
}

TEST_F(CSaveFileNamesTest, SearchEndsEmptyWhenEveryCounterIsTaken) {
    const fs::path out = m_root / "out";
    Touch(out / "B-s.xls");
    for (std::uint32_t i = 0; i < CSaveFileNames::kMaxCounter; ++i) {
        Touch(out / ("B-s_" + std::to_string(i) + ".xls"));
    }
    EXPECT_TRUE(CSaveFileNames::MakeFreeName(out, "B.xls", u"-s").empty());
    fs::remove(out / "B-s_999.xls");
    EXPECT_EQ(CSaveFileNames::MakeFreeName(out, "B.xls", u"-s"), out / "B-s_999.xls");
}

// --- The suffix setting -------------------------------------------------------

TEST_F(CSaveFileNamesTest, SuffixComesFromTheSettingsFile) {
    ASSERT_TRUE(SettingsStore().WriteSuffix(u"_fixed"));
    const fs::path out = m_root / "out";
    EXPECT_EQ(CSaveFileNames::MakeDestinationName("Book1.xls", out), out / "Book1_fixed.xls");
    EXPECT_EQ(CSaveFileNames::MakeDefaultDestinationName(out / "Book1.xls"),
              out / "Book1_fixed.xls");
}

TEST_F(CSaveFileNamesTest, SlashesInTheSuffixCannotLeaveTheFolder) {
    ASSERT_TRUE(SettingsStore().WriteSuffix(u"/../x"));
    EXPECT_EQ(CSaveFileNames::MakeDestinationName("Book1.xls", m_root / "out"),
              m_root / "out" / "Book1_.._x.xls");
}

// --- Single-file default ------------------------------------------------------

TEST_F(CSaveFileNamesTest, DefaultNameSitsNextToTheSource) {
    const fs::path source = m_root / "out" / "Book1.xls";
    Touch(source);
    EXPECT_EQ(CSaveFileNames::MakeDefaultDestinationName(source),
              m_root / "out" / "Book1(Mendwell).xls");
    Touch(m_root / "out" / "Book1(Mendwell).xls");
    EXPECT_EQ(CSaveFileNames::MakeDefaultDestinationName(source),
              m_root / "out" / "Book1(Mendwell)_0.xls");
}

// A "." in a folder name must not receive the suffix: the file would land in
// a folder that does not exist.
TEST_F(CSaveFileNamesTest, DottedFolderAndNoExtensionGetSuffixAndXlsOnTheFileName) {
    const fs::path folder = m_root / "v1.2";
    fs::create_directories(folder);
    EXPECT_EQ(CSaveFileNames::MakeDefaultDestinationName(folder / "report"),
              folder / "report(Mendwell).xls");
    Touch(folder / "report(Mendwell).xls");
    EXPECT_EQ(CSaveFileNames::MakeDefaultDestinationName(folder / "report"),
              folder / "report(Mendwell)_0.xls");
}

}  // namespace

namespace {

// Names compete exactly when one's candidates can be the other's: same
// split name, or any two names under a suffix a counter can run into.
TEST(CSaveFileNamesKey, NamesThatCanGetTheSameDestinationShareTheirKey) {
    struct Case {
        const char* a;
        const char* b;
        std::u16string_view suffix;
        bool compete;
    } const cases[] = {
        {"book.xls", "book.xls", u"(M)", true},
        {"book", "book.xls", u"(M)", true},  // ".xls" is appended to a bare name
        {"book.xls", "book.XLS", u"(M)", false},
        {"book.xls", "book_0.xls", u"(M)", false},
        {"book.xls", "book(M).xls", u"(M)", false},
        {"a.b.xls", "a.b", u"(M)", false},
        {"book.xls", "book_0.xls", u"", true},  // "book_0.xls" is a counted "book.xls"
        {"book.xls", "other.xls", u"v2", true},
        {"book.xls", "other.xls", u"v2_", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CSaveFileNames::DestinationNameKey(c.a, c.suffix) ==
                      CSaveFileNames::DestinationNameKey(c.b, c.suffix),
                  c.compete)
            << c.a << " / " << c.b;
    }
}

}  // namespace
