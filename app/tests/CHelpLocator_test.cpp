#include "app/CHelpLocator.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/tests/support/CAppTestFixture.h"

class HelpLocatorTest : public CAppTestFixture {
protected:
    void SetUp() override {
        CAppTestFixture::SetUp();
        m_appFolder = m_scratch / "start";
        m_prefixBin = m_scratch / "prefix" / "bin";
        m_installed = m_scratch / "prefix" / "share" / "mendwell";
        m_source = m_scratch / "src" / "help";
        for (const auto& folder : {m_appFolder, m_prefixBin, m_installed, m_source}) {
            std::filesystem::create_directories(folder);
        }
    }
    static void Put(const std::filesystem::path& folder) {
        std::ofstream(folder / CHelpLocator::PageName()) << "<html></html>";
    }
    CHelpLocator Locator() const { return CHelpLocator(m_appFolder, m_prefixBin, m_source); }

    std::filesystem::path m_appFolder, m_prefixBin, m_installed, m_source;
};

TEST_F(HelpLocatorTest, ApplicationFolderWinsOverInstalledAndSourceCopies) {
    Put(m_appFolder);
    Put(m_installed);
    Put(m_source);
    EXPECT_EQ(Locator().Find(), m_appFolder / "Mendwell for Excel.html");
}

TEST_F(HelpLocatorTest, InstalledShareBesideBinComesNext) {
    Put(m_installed);
    Put(m_source);
    EXPECT_EQ(Locator().Find(), m_installed / "Mendwell for Excel.html");
}

TEST_F(HelpLocatorTest, SourceTreeIsTheLastResort) {
    Put(m_source);
    EXPECT_EQ(Locator().Find(), m_source / "Mendwell for Excel.html");
}

TEST_F(HelpLocatorTest, NothingFoundIsEmptyAndAFolderOfThatNameDoesNotCount) {
    EXPECT_TRUE(Locator().Find().empty());
    std::filesystem::create_directories(m_appFolder / CHelpLocator::PageName());
    EXPECT_TRUE(Locator().Find().empty());
}

TEST_F(HelpLocatorTest, EmptyFoldersAreSkippedNotMadeRelative) {
    const CHelpLocator locator({}, {}, m_source);
    ASSERT_EQ(locator.Candidates().size(), 1u);
    EXPECT_EQ(locator.Candidates().front(), m_source / "Mendwell for Excel.html");
}
