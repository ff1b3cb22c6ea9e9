// Single-file screen 2, reached by going back from the preview: a picture
// of a mended worksheet drawn into the screen beside the step links. It has
// no controls of its own.
#pragma once
#include "app/CScreenView.h"

class CStepLinks;

class CSFSRepairStatusView : public CScreenView {
    Q_OBJECT
public:
    CSFSRepairStatusView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSRepairStatusView() override;

    void OnShow() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CStepLinks* m_links = nullptr;
};
