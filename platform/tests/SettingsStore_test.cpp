#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/ApplicationFolder.h"
#include "platform/TextConversion.h"
#include "platform/tests/support/ScopedEnv.h"
#include "platform/tests/support/ScopedTempFolder.h"

using testsupport::ScopedEnv;
using testsupport::ScopedTempFolder;

namespace {

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::u16string DefaultLocation() { return TextFromPath(ApplicationFolder()) + u"Recovered/"; }

}  // namespace

// Defaults and the read rules.

TEST(SettingsStore, NothingStoredReadsAsTheDefaults) {
    ScopedTempFolder tmp("settings-none");
    SettingsStore store(tmp.Path() / "MendwellExcel");
    EXPECT_EQ(store.ReadStartUpMode(), u"S");
    EXPECT_EQ(store.ReadSuffix(), u"(Mendwell)");
    EXPECT_EQ(store.ReadLocation(), DefaultLocation());
    EXPECT_EQ(DefaultLocation().back(), u'/');
}

TEST(SettingsStore, ValuesOfUpTo127CharactersReadBackLongerOnesAsTheDefault) {
    ScopedTempFolder tmp("settings-127");
    SettingsStore store(tmp.Path());
    const std::u16string at127(127, u'x');
    ASSERT_TRUE(store.WriteSuffix(at127));
    EXPECT_EQ(store.ReadSuffix(), at127);

    ASSERT_TRUE(store.WriteLocation(u"/data/" + std::u16string(122, u'L')));  // 128
    EXPECT_EQ(store.ReadLocation(), DefaultLocation());

    // Characters are UTF-16 units, as the registry counts them, not bytes.
    const std::u16string accented(127, u'\u00e9');
    ASSERT_TRUE(store.WriteSuffix(accented));
    EXPECT_EQ(store.ReadSuffix(), accented);
}

TEST(SettingsStore, AnEmptyValueReadsAsTheDefault) {
    ScopedTempFolder tmp("settings-empty");
    WriteBytes(tmp.Path() / "settings.ini", "StartUp=\nSuffix=\n");
    SettingsStore store(tmp.Path());
    EXPECT_EQ(store.ReadStartUpMode(), u"S");
    EXPECT_EQ(store.ReadSuffix(), u"(Mendwell)");
}

TEST(SettingsStore, KeysIgnoreCaseAndSpacesValuesAreKeptAsWritten) {
    ScopedTempFolder tmp("settings-keys");
    WriteBytes(tmp.Path() / "settings.ini",
               "  startup =M\nSUFFIX= (fixed) \nSuffix\t= [x]\nRecLocation=/a=b/\n");
    SettingsStore store(tmp.Path());
    EXPECT_EQ(store.ReadStartUpMode(), u"M");
    EXPECT_EQ(store.ReadSuffix(), u" [x]");  // the last line of a key wins
    EXPECT_EQ(store.ReadLocation(), u"/a=b/");
}

// Writing.

TEST(SettingsStore, WriteKeepsUnknownKeysCommentsAndTheOrderOfLines) {
    ScopedTempFolder tmp("settings-keep");
    const std::filesystem::path file = tmp.Path() / "settings.ini";
    WriteBytes(file,
               "# written by hand\n"
               "Theme=3\n"
               "suffix=(old)\n"
               "; note\n"
               "Suffix=(older)\n"
               "[section]\n");
    SettingsStore store(tmp.Path());
    ASSERT_TRUE(store.WriteSuffix(u"(Repaired)"));
    ASSERT_TRUE(store.WriteStartUpMode(u"M"));
    EXPECT_EQ(ReadBytes(file),
              "# written by hand\n"
              "Theme=3\n"
              "Suffix=(Repaired)\n"
              "; note\n"
              "[section]\n"
              "StartUp=M\n");
    EXPECT_EQ(store.ReadSuffix(), u"(Repaired)");
    EXPECT_EQ(store.ReadStartUpMode(), u"M");
}

TEST(SettingsStore, WriteCreatesTheMissingFoldersAndLeavesNoTemporaryFile) {
    ScopedTempFolder tmp("settings-create");
    const std::filesystem::path folder = tmp.Path() / "config" / "MendwellExcel";
    SettingsStore store(folder);
    ASSERT_TRUE(store.WriteLocation(u"/srv/r\u00e9par\u00e9s/"));
    EXPECT_EQ(ReadBytes(folder / "settings.ini"), "RecLocation=/srv/r\xC3\xA9par\xC3\xA9s/\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(SettingsStore(folder).ReadLocation(), u"/srv/r\u00e9par\u00e9s/");
}

TEST(SettingsStore, AValueThatCouldNotBeReadBackFromOneLineIsRefused) {
    ScopedTempFolder tmp("settings-refuse");
    SettingsStore store(tmp.Path());
    ASSERT_TRUE(store.WriteSuffix(u"(ok)"));
    EXPECT_FALSE(store.WriteSuffix(u"(a)\nStartUp=M"));
    EXPECT_FALSE(store.WriteSuffix(std::u16string(u"a\0b", 3)));
    EXPECT_EQ(store.ReadSuffix(), u"(ok)");
    EXPECT_EQ(store.ReadStartUpMode(), u"S");
}

TEST(SettingsStore, WriteThroughALinkReplacesTheLinkedFile) {
    ScopedTempFolder tmp("settings-link");
    const std::filesystem::path real = tmp.Path() / "dotfiles" / "mendwell.ini";
    WriteBytes(real, "Suffix=(a)\n");
    const std::filesystem::path folder = tmp.Path() / "MendwellExcel";
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(real, folder / "settings.ini");
    ASSERT_TRUE(SettingsStore(folder).WriteSuffix(u"(b)"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "settings.ini"));
    EXPECT_EQ(ReadBytes(real), "Suffix=(b)\n");
}

TEST(SettingsStore, NoFolderReadsDefaultsAndRefusesWrites) {
    SettingsStore store{std::filesystem::path()};
    EXPECT_EQ(store.ReadSuffix(), u"(Mendwell)");
    EXPECT_FALSE(store.WriteSuffix(u"(x)"));
}

// Damaged files.

TEST(SettingsStore, CrLfLinesAndAByteOrderMarkAreReadAndKept) {
    ScopedTempFolder tmp("settings-crlf");
    const std::filesystem::path file = tmp.Path() / "settings.ini";
    WriteBytes(file, "\xEF\xBB\xBFStartUp=M\r\nSuffix=(win)\r\nOther=1");
    SettingsStore store(tmp.Path());
    EXPECT_EQ(store.ReadStartUpMode(), u"M");
    EXPECT_EQ(store.ReadSuffix(), u"(win)");
    ASSERT_TRUE(store.WriteLocation(u"/r/"));
    EXPECT_EQ(ReadBytes(file),
              "\xEF\xBB\xBFStartUp=M\r\nSuffix=(win)\r\nOther=1\r\nRecLocation=/r/\r\n");
}

TEST(SettingsStore, BinaryJunkAroundAGoodLineLeavesTheGoodLineReadable) {
    ScopedTempFolder tmp("settings-junk");
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
    std::string bytes = junk + "\nSuffix=(kept)\n" + junk;
    bytes += "\n=\n==\nStartUp\n\xFF\xFE=M\n";
    WriteBytes(tmp.Path() / "settings.ini", bytes);
    SettingsStore store(tmp.Path());
    EXPECT_EQ(store.ReadSuffix(), u"(kept)");
    EXPECT_EQ(store.ReadStartUpMode(), u"S");
    ASSERT_TRUE(store.WriteStartUpMode(u"M"));
    EXPECT_EQ(store.ReadStartUpMode(), u"M");
    EXPECT_EQ(store.ReadSuffix(), u"(kept)");
}

TEST(SettingsStore, AZeroFilledTailCutsTheValueAndInvalidUtf8IsReplaced) {
    // A crash during an earlier write can leave NUL bytes where text was.
    ScopedTempFolder tmp("settings-nul");
    WriteBytes(tmp.Path() / "settings.ini",
               std::string("StartUp=M\0\0\0\0", 13) + "\nSuffix=(\xC3)\n");
    SettingsStore store(tmp.Path());
    EXPECT_EQ(store.ReadStartUpMode(), u"M");
    EXPECT_EQ(store.ReadSuffix(), u"(\uFFFD)");
}

TEST(SettingsStore, SomethingOtherThanAFileInItsPlaceReadsAsTheDefaults) {
    ScopedTempFolder tmp("settings-dir");
    std::filesystem::create_directories(tmp.Path() / "settings.ini");
    SettingsStore store(tmp.Path());
    EXPECT_EQ(store.ReadSuffix(), u"(Mendwell)");
    EXPECT_FALSE(store.WriteSuffix(u"(x)"));
}

TEST(SettingsStore, OnlyTheFirst64KiBOfAnOversizedFileAreRead) {
    ScopedTempFolder tmp("settings-big");
    const std::string filler(64 * 1024, '#');
    WriteBytes(tmp.Path() / "settings.ini", "Suffix=(early)\n" + filler + "\nSuffix=(late)\n");
    EXPECT_EQ(SettingsStore(tmp.Path()).ReadSuffix(), u"(early)");
}

// Where the file lives.

TEST(SettingsStore, XdgConfigHomeIsHonoured) {
    ScopedTempFolder tmp("settings-xdg");
    ScopedEnv xdg("XDG_CONFIG_HOME", tmp.Path().string());
    EXPECT_EQ(SettingsStore::DefaultFolder(), tmp.Path() / "MendwellExcel");
    ASSERT_TRUE(SettingsStore().WriteStartUpMode(u"M"));
    EXPECT_EQ(ReadBytes(tmp.Path() / "MendwellExcel" / "settings.ini"), "StartUp=M\n");
}

TEST(SettingsStore, WithoutXdgConfigHomeTheFileIsBelowHomeDotConfig) {
    ScopedEnv home("HOME", std::string("/home/someone"));
    for (const char* unset : {"", "relative/config"}) {
        ScopedEnv xdg("XDG_CONFIG_HOME", std::string(unset));
        EXPECT_EQ(SettingsStore::DefaultFolder(),
                  std::filesystem::path("/home/someone/.config/MendwellExcel"));
    }
    ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(SettingsStore::DefaultFolder(),
              std::filesystem::path("/home/someone/.config/MendwellExcel"));
}

TEST(SettingsStore, WithoutHomeTheAccountsHomeFolderIsUsed) {
    ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", std::nullopt);
    const std::filesystem::path folder = SettingsStore::DefaultFolder();
    // Either the account's home folder or none at all; never the current one.
    if (!folder.empty()) {
        EXPECT_TRUE(folder.is_absolute());
        EXPECT_EQ(folder.filename(), "MendwellExcel");
    }
}
