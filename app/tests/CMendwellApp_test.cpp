#include "app/CMendwellApp.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <fstream>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CScreenView.h"
#include "app/CViewManger.h"
#include "app/tests/support/CAppTestFixture.h"
#include "containers/CMFSDataContainer.h"
#include "platform/SettingsStore.h"

class StartUpTest : public CAppTestFixture {
protected:
    std::filesystem::path Touch(const char* name) {
        const std::filesystem::path path = m_scratch / name;
        std::ofstream(path) << "x";
        return path;
    }
};

TEST_F(StartUpTest, NothingStoredStartsSingleFileOnScreenZero) {
    Start();
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::SingleFile);
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSelectFile);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(0));
    EXPECT_EQ(Frame().windowTitle(), "Mendwell for Excel");
}

TEST_F(StartUpTest, StoredMStartsOnTheMultipleFileList) {
    SettingsStore().WriteStartUpMode(u"M");
    Start();
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::MultipleFile);
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::MFSSelectFile));
}

TEST_F(StartUpTest, AnyOtherStoredModeStartsSingleFile) {
    for (const char16_t* mode : {u"m", u"Multi", u"S", u" M"}) {
        SettingsStore().WriteStartUpMode(mode);
        Start();
        EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::SingleFile);
        EXPECT_EQ(CurrentIndex(), CViewManger::SFSSelectFile);
    }
}

TEST_F(StartUpTest, FontsAreVerdanaAndArialFourteenPixels) {
    Start();
    EXPECT_EQ(App().GetVerdanaFont().family(), "Verdana");
    EXPECT_EQ(App().GetArialFont().family(), "Arial");
    EXPECT_EQ(App().GetVerdanaFont().pixelSize(), 14);
    EXPECT_EQ(App().GetArialFont().pixelSize(), 14);
    EXPECT_EQ(App().GetArialFont().weight(), QFont::Normal);
    EXPECT_EQ(App().GetApplicationFolder().string().back(), '/');
}

class CommandLineTest : public StartUpTest {};

TEST_F(CommandLineTest, OneFileOpensScreenZeroWithItsPathEvenInMultipleFileStartUp) {
    SettingsStore().WriteStartUpMode(u"M");
    const std::filesystem::path book = Touch("book.xls");
    Start({ToQString(book)});
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::SingleFile);
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSelectFile);
    EXPECT_EQ(Doc().GetSourcePath(), book);
    const auto edits = Views().GetScreen(0)->findChildren<QLineEdit*>();
    ASSERT_FALSE(edits.isEmpty());
    EXPECT_EQ(edits.front()->text(), ToQString(book));
}

TEST_F(CommandLineTest, SeveralFilesFillTheMultipleFileList) {
    const std::filesystem::path first = Touch("a.xls");
    const std::filesystem::path second = Touch("b.xls");
    Start({ToQString(first), ToQString(second)});
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::MultipleFile);
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
    ASSERT_NE(Doc().GetJobData(), nullptr);
    const std::vector<std::filesystem::path>& sources = Doc().GetJobData()->GetSourceList();
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[0], first);
    EXPECT_EQ(sources[1], second);
}

TEST_F(CommandLineTest, MissingFilesAndFoldersAreLeftOut) {
    const std::filesystem::path book = Touch("book.xls");
    Start({ToQString(m_scratch / "gone.xls"), ToQString(m_scratch), ToQString(book)});
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::SingleFile);
    EXPECT_EQ(Doc().GetSourcePath(), book);
}

TEST_F(CommandLineTest, OnlyMissingFilesFallBackToTheStartUpMode) {
    SettingsStore().WriteStartUpMode(u"M");
    Start({ToQString(m_scratch / "gone.xls")});
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::MultipleFile);
    EXPECT_TRUE(Doc().GetSourcePath().empty());
}

TEST_F(CommandLineTest, RelativePathsAreTakenFromTheCurrentFolder) {
    Touch("rel.xls");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(m_scratch);
    const auto found = CMendwellApp::ExistingFiles({"rel.xls", "nothere.xls"});
    std::filesystem::current_path(before);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front(), m_scratch / "rel.xls");
}
