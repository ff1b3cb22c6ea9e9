// Single-file screen 4: what to save and where.
#pragma once
#include <QStringList>
#include "app/CScreenView.h"

class CSFSSaveOptionView : public CScreenView {
    Q_OBJECT
public:
    CSFSSaveOptionView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSSaveOptionView() override;

    void SetDestinationPath(const QString& path);
    QString GetDestinationPath() const;
    // "&Save": starts the save of the document's workbook to the
    // destination path with the checked options, shows screen 5.
    void StartSave();
};
