#include "app/tests/CMFSScreenTest.h"

#include <QLineEdit>
#include <QRegularExpression>

#include "app/CMFSFileList.h"
#include "app/CMFSRepairSaveProgressView.h"
#include "app/CMFSRepairSavedStatusView.h"
#include "app/CMFSSaveOptionView.h"
#include "app/CMFSSelectFileView.h"
#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CViewManger.h"
#include "containers/CMFSDataContainer.h"
#include "platform/RunState.h"

const QString CMFSScreenTest::kJobDone = QStringLiteral("Files repaired and saved successfully.");
const QString CMFSScreenTest::kDuplicateTail = QStringLiteral(" already exists in the list");

void CMFSScreenTest::StartOnFileList() {
    Start();
    Frame().SetMode(CMainFrame::EMode::MultipleFile);
    Views().SetCurrentIndex(CViewManger::MFSSelectFile);
    Views().Activate();
}

CMFSSelectFileView& CMFSScreenTest::FileListScreen() const {
    return *Views().GetMFSSelectFileView();
}

CMFSSaveOptionView& CMFSScreenTest::OptionScreen() const {
    return *Views().GetMFSSaveOptionView();
}

CMFSRepairSaveProgressView& CMFSScreenTest::ProgressScreen() const {
    return *Views().GetMFSRepairSaveProgressView();
}

CMFSRepairSavedStatusView& CMFSScreenTest::ResultScreen() const {
    return *static_cast<CMFSRepairSavedStatusView*>(
        Views().GetScreen(CViewManger::MFSRepairSavedStatus));
}

QPushButton* CMFSScreenTest::Button(const CScreenView& screen, const QString& text) {
    for (QPushButton* button : screen.findChildren<QPushButton*>()) {
        if (button->text() == text) return button;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

CMFSFileList* CMFSScreenTest::List(const CScreenView& screen, const QString& objectName) {
    auto* list = screen.findChild<CMFSFileList*>(objectName);
    if (list == nullptr) ADD_FAILURE() << "no list " << objectName.toStdString();
    return list;
}

QStringList CMFSScreenTest::Column(const CMFSFileList& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.RowCount(); ++row) texts << list.CellText(row, column);
    return texts;
}

QStringList CMFSScreenTest::Sources() const {
    QStringList texts;
    if (const CMFSDataContainer* job = Doc().GetJobData()) {
        for (const auto& path : job->GetSourceList()) texts << ToQString(path);
    }
    return texts;
}

void CMFSScreenTest::RunToJob(const std::vector<std::filesystem::path>& files,
                              const QString& folder) {
    QStringList chosen;
    for (const auto& file : files) chosen << ToQString(file);
    m_dialogs.openChoices.push_back(chosen);
    Button(FileListScreen(), QStringLiteral("&Add files"))->click();
    Button(FileListScreen(), QStringLiteral("&Repair and save"))->click();
    ASSERT_EQ(CurrentIndex(), CViewManger::MFSSaveOption);
    OptionScreen().findChild<QLineEdit*>(QStringLiteral("DestinationFolder"))->setText(folder);
    Button(OptionScreen(), QStringLiteral("&Save"))->click();
}

bool CMFSScreenTest::WaitForJobEnd() {
    return WaitUntil([this] { return JobRunning.load() == 0 && JobEnds() > 0; });
}

int CMFSScreenTest::JobEnds() const {
    static const QRegularExpression kCounted(
        QStringLiteral("^\\d+ files? (repaired and saved|saved with losses)[;.]"));
    int count = 0;
    for (const QString& text : m_dialogs.informed)
        count += text == kJobDone || kCounted.match(text).hasMatch() ? 1 : 0;
    return count;
}

int CMFSScreenTest::Informed(const QString& text) const {
    return static_cast<int>(m_dialogs.informed.count(text));
}
