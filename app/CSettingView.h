// Screen 11: the three settings (start-up mode, where the multiple-file mode
// saves, the suffix of recovered file names). Every time it is shown it
// reloads them from the settings store; "&Apply" writes all three as they
// stand (no checks) and "&Cancel" writes nothing; both go back to the screen
// shown before settings.
#pragma once
#include "app/CScreenView.h"

class QLineEdit;
class QRadioButton;

class CSettingView : public CScreenView {
    Q_OBJECT
public:
    // Longest folder a "Browse..." choice puts into the location box.
    static constexpr int kMaxBrowsedPathLength = 1024;

    CSettingView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSettingView() override;

    void OnShow() override;

    // "Browse...": the folder picker; a confirmed folder replaces the
    // location text.
    void OnBrowse();
    // "&Apply": writes "S" or "M", the location and the suffix, then leaves.
    void OnApply();
    // "&Cancel": leaves without writing.
    void OnCancel();

private:
    void Leave();

    QRadioButton* m_singleRadio = nullptr;
    QRadioButton* m_multipleRadio = nullptr;
    QLineEdit* m_locationEdit = nullptr;
    QLineEdit* m_suffixEdit = nullptr;
};
