#include "app/CViewManger.h"

#include <QStackedWidget>

#include "app/CMFSRepairSaveProgressView.h"
#include "app/CMFSRepairSavedStatusView.h"
#include "app/CMFSSaveOptionView.h"
#include "app/CMFSSelectFileView.h"
#include "app/CMainFrame.h"
#include "app/CSFSPreViewData.h"
#include "app/CSFSRepairProgressView.h"
#include "app/CSFSRepairStatusView.h"
#include "app/CSFSSaveOptionView.h"
#include "app/CSFSSavedStatusView.h"
#include "app/CSFSSavingProgressView.h"
#include "app/CSFSSelectFileView.h"
#include "app/CSettingView.h"

namespace {

// The identifier the frame's layout gives to its one client view: the shown
// screen carries it, the screen it replaced takes over the shown one's own.
constexpr int kFirstPaneIdentifier = 59648;

template <typename TScreen>
CScreenView* MakeScreen(CMainFrame* frame, int index) {
    return new TScreen(frame, CViewManger::InitialIdentifier(index));
}

}  // namespace

CViewManger::CViewManger(CMainFrame* frame, QStackedWidget* stack)
    : m_frame(frame), m_stack(stack) {}

void CViewManger::CreateScreens() {
    using Factory = CScreenView* (*)(CMainFrame*, int);
    static constexpr Factory kFactories[kScreenCount] = {
        &MakeScreen<CSFSSelectFileView>,      &MakeScreen<CSFSRepairProgressView>,
        &MakeScreen<CSFSRepairStatusView>,    &MakeScreen<CSFSPreViewData>,
        &MakeScreen<CSFSSaveOptionView>,      &MakeScreen<CSFSSavingProgressView>,
        &MakeScreen<CSFSSavedStatusView>,     &MakeScreen<CMFSSelectFileView>,
        &MakeScreen<CMFSSaveOptionView>,      &MakeScreen<CMFSRepairSaveProgressView>,
        &MakeScreen<CMFSRepairSavedStatusView>, &MakeScreen<CSettingView>,
    };
    for (int i = 0; i < kScreenCount; ++i) {
        CScreenView* screen = kFactories[i](m_frame, i);
        screen->hide();
        m_stack->addWidget(screen);
        m_screens[static_cast<std::size_t>(i)] = screen;
        screen->OnInitialUpdate();
    }
}

bool CViewManger::Next() {
    if (m_current == Settings) return false;
    ++m_current;
    return true;
}

bool CViewManger::Back() {
    if (m_current == SFSSelectFile) return false;
    --m_current;
    return true;
}

bool CViewManger::GoTo(int index) {
    switch (index) {
    case SFSSelectFile:
    case SFSRepairProgress:
    case SFSPreview:
    case SFSSaveOption:
    case MFSSelectFile:
    case MFSRepairSaveProgress:
    case MFSRepairSavedStatus:
        m_current = index;
        return true;
    default:
        return false;
    }
}

bool CViewManger::EnterSettings() {
    if (m_current == Settings) return false;
    m_remembered = m_current;
    m_current = Settings;
    return true;
}

void CViewManger::LeaveSettings() { std::swap(m_current, m_remembered); }

void CViewManger::SetCurrentIndex(int index) {
    if (index >= 0 && index < kScreenCount) m_current = index;
}

void CViewManger::Activate() {
    CScreenView* next = GetScreen(m_current);
    if (next == nullptr) return;
    CScreenView* old = m_shown;
    if (old != next) {
        const int paneId = old != nullptr ? old->GetIdentifier() : kFirstPaneIdentifier;
        if (old != nullptr) {
            old->SetIdentifier(next->GetIdentifier());
            old->hide();
        }
        next->SetIdentifier(paneId);
        m_stack->setCurrentWidget(next);
        next->show();
        m_shown = next;
    }
    next->OnShow();
    m_frame->OnScreenActivated();
    next->update();
}

CScreenView* CViewManger::GetScreen(int index) const {
    if (index < 0 || index >= kScreenCount) return nullptr;
    return m_screens[static_cast<std::size_t>(index)];
}

CMFSSelectFileView* CViewManger::GetMFSSelectFileView() const {
    return static_cast<CMFSSelectFileView*>(GetScreen(MFSSelectFile));
}

CMFSSaveOptionView* CViewManger::GetMFSSaveOptionView() const {
    return static_cast<CMFSSaveOptionView*>(GetScreen(MFSSaveOption));
}

CMFSRepairSaveProgressView* CViewManger::GetMFSRepairSaveProgressView() const {
    return static_cast<CMFSRepairSaveProgressView*>(GetScreen(MFSRepairSaveProgress));
}

void CViewManger::RefreshAll() {
    for (CScreenView* screen : m_screens) {
        if (screen != nullptr) screen->OnRefresh();
    }
}
