#include "widgets/CSheetTabBar.h"

#include <QHBoxLayout>
#include <QTabBar>
#include <QToolButton>

CSheetTabBar::CSheetTabBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    static const char* const kTips[NavButtonCount] = {"First", "Previous", "Next", "Last",
                                                      "Close"};
    for (int i = 0; i < NavButtonCount; ++i) {
        m_buttons[i] = new QToolButton(this);
        m_buttons[i]->setToolTip(tr(kTips[i]));
        layout->addWidget(m_buttons[i]);
    }
    m_tabs = new QTabBar(this);
    layout->addWidget(m_tabs, 1);
    connect(m_tabs, &QTabBar::currentChanged, this, &CSheetTabBar::CurrentChanged);
    connect(m_buttons[Close], &QToolButton::clicked, this, &CSheetTabBar::CloseRequested);
}

void CSheetTabBar::SetTabs(const QStringList& captions) {
    const bool blocked = m_tabs->blockSignals(true);
    while (m_tabs->count() > 0) m_tabs->removeTab(0);
    for (const QString& caption : captions) m_tabs->addTab(caption);
    m_tabs->setCurrentIndex(captions.isEmpty() ? -1 : 0);
    m_tabs->blockSignals(blocked);
}

int CSheetTabBar::GetCount() const { return m_tabs->count(); }

QString CSheetTabBar::GetTabText(int index) const { return m_tabs->tabText(index); }

int CSheetTabBar::GetCurrentIndex() const { return m_tabs->currentIndex(); }

void CSheetTabBar::SetCurrentIndex(int index) { m_tabs->setCurrentIndex(index); }

QToolButton* CSheetTabBar::GetButton(ENavButton button) const { return m_buttons[button]; }
