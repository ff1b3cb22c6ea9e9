// Multiple-file screen 8: destination folder and what to save. The edit box
// and the seven check boxes are loaded from the job data every time the
// screen is shown; editing them changes the job data at once (the folder as
// typed, the option bits one by one).
#pragma once
#include <array>
#include "app/CScreenView.h"

class QCheckBox;
class QLineEdit;

class CMFSSaveOptionView : public CScreenView {
    Q_OBJECT
public:
    static constexpr int kOptionCount = 7;

    CMFSSaveOptionView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CMFSSaveOptionView() override;

    // "&Save": checks the folder, creates it, shows screen 9 and starts the
    // job. Also the main window's save command on screen 7, before this
    // screen was ever shown: the folder is then the job's.
    void OnSave();
    // "Browse...": the chosen folder, with a separator at its end, becomes
    // the destination folder.
    void OnBrowse();
    // "&Back": screen 7.
    void OnBack();

    void OnShow() override;
    void OnRefresh() override;

private:
    void LoadFromJob();
    void OnOptionToggled(int option, bool checked);
    void OnFolderEdited(const QString& text);

    QLineEdit* m_folder = nullptr;
    std::array<QCheckBox*, kOptionCount> m_options{};
    // Set while the controls are filled from the job data, so that filling
    // them is not taken for the user's edit.
    bool m_loading = false;
    // Whether the controls were ever filled from the job data.
    bool m_loaded = false;
};
