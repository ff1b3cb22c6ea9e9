// Single-file screen 4: what to save and where. The destination box is
// filled with the default name when a repair succeeds and can be changed by
// hand or with "Browse..."; the seven check boxes (all checked at first)
// choose the kinds of content written, formats of blank cells always are.
// "&Save" starts the save worker that this screen owns and moves to
// screen 5, which polls it.
#pragma once
#include <QStringList>
#include <cstdint>
#include <memory>

#include "app/CScreenView.h"

class CStepLinks;
class CThreadManager;
class QCheckBox;
class QLineEdit;

class CSFSSaveOptionView : public CScreenView {
    Q_OBJECT
public:
    static constexpr int kOptionCount = 7;

    CSFSSaveOptionView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSSaveOptionView() override;

    void SetDestinationPath(const QString& path);
    QString GetDestinationPath() const;
    // "&Save": starts the save of the document's workbook to the
    // destination path with the checked options, shows screen 5. An empty
    // destination gets a message and nothing starts; nothing starts either
    // while a repair or a save still runs.
    void StartSave();
    // "Browse...": the save-file dialog; a confirmed choice replaces the
    // destination path.
    void OnBrowse();
    // "&Back": screen 3, which fills its preview again.
    void OnBack();

    // The save option mask the boxes give now (CSaveOption bits, 16 always
    // set).
    std::uint32_t GetOptionMask() const;
    // The box of option position 0..6, in the order the screen shows them;
    // null for any other.
    QCheckBox* GetOptionBox(int index) const;

    // The manager of the save worker; screen 5 pauses and stops it.
    CThreadManager& GetThreadManager() { return *m_threadManager; }

    void OnShow() override;

private:
    CStepLinks* m_links = nullptr;
    QLineEdit* m_destinationEdit = nullptr;
    QCheckBox* m_options[kOptionCount] = {};
    std::unique_ptr<CThreadManager> m_threadManager;
};
