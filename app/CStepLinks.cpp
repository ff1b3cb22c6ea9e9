#include "app/CStepLinks.h"

#include <QVBoxLayout>

#include "app/CMainFrame.h"
#include "app/CViewManger.h"
#include "widgets/CHyperLinkLabel.h"

CStepLinks::CStepLinks(CMainFrame* frame, QWidget* parent) : QWidget(parent), m_frame(frame) {
    auto* layout = new QVBoxLayout(this);
    static const char* const kTexts[LinkCount] = {"Select file", "View file", "Save file"};
    for (int i = 0; i < LinkCount; ++i) {
        m_links[i] = new CHyperLinkLabel(tr(kTexts[i]), this);
        layout->addWidget(m_links[i]);
    }
    layout->addStretch(1);
    connect(m_links[SelectFile], &CHyperLinkLabel::Clicked, this, &CStepLinks::SelectFileClicked);
    connect(m_links[ViewFile], &CHyperLinkLabel::Clicked, this, &CStepLinks::ViewFileClicked);
    connect(m_links[SaveFile], &CHyperLinkLabel::Clicked, this, &CStepLinks::SaveFileClicked);
}

void CStepLinks::Refresh() {
    for (int i = 0; i < LinkCount; ++i) m_links[i]->setEnabled(m_frame->GetStepFlag(i));
}

void CStepLinks::DisableAll() {
    for (CHyperLinkLabel* link : m_links) link->setEnabled(false);
}

void CStepLinks::ConnectDefaults() {
    connect(this, &CStepLinks::SelectFileClicked, m_frame, [this] {
        CViewManger& views = m_frame->GetViewManager();
        views.SetCurrentIndex(CViewManger::SFSSelectFile);
        views.Activate();
    });
    connect(this, &CStepLinks::ViewFileClicked, m_frame, [this] { m_frame->OnPreview(); });
    connect(this, &CStepLinks::SaveFileClicked, m_frame, [this] { m_frame->OnSaveRepaired(); });
}
