#include "widgets/CSheetTabBar.h"

#include <QFont>
#include <QHBoxLayout>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>

CSheetTabBar::CSheetTabBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    static const char* const kTips[NavButtonCount] = {"First", "Previous", "Next", "Last", "Close"};
    static const QStyle::StandardPixmap kIcons[NavButtonCount] = {
        QStyle::SP_MediaSkipBackward, QStyle::SP_ArrowLeft, QStyle::SP_ArrowRight,
        QStyle::SP_MediaSkipForward, QStyle::SP_TitleBarCloseButton};
    for (int i = 0; i < NavButtonCount; ++i) {
        m_buttons[i] = new QToolButton(this);
        m_buttons[i]->setToolTip(tr(kTips[i]));
        m_buttons[i]->setIcon(style()->standardIcon(kIcons[i], nullptr, this));
        m_buttons[i]->setAutoRaise(true);
        m_buttons[i]->setFixedSize(kHeight, kHeight);
        m_buttons[i]->setIconSize(QSize(kHeight - 6, kHeight - 6));
        layout->addWidget(m_buttons[i]);
    }
    m_tabs = new QTabBar(this);
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    // The navigation buttons take the place of the tab bar's own scroll arrows.
    m_tabs->setUsesScrollButtons(false);
    QFont captions(QStringLiteral("Courier"));
    captions.setPixelSize(15);
    captions.setWeight(QFont::Normal);
    m_tabs->setFont(captions);
    layout->addWidget(m_tabs, 1);
    setFixedHeight(kHeight);

    connect(m_tabs, &QTabBar::currentChanged, this, &CSheetTabBar::CurrentChanged);
    connect(m_buttons[First], &QToolButton::clicked, this, [this] { SetCurrentIndex(0); });
    connect(m_buttons[Previous], &QToolButton::clicked, this,
            [this] { SetCurrentIndex(GetCurrentIndex() - 1); });
    connect(m_buttons[Next], &QToolButton::clicked, this,
            [this] { SetCurrentIndex(GetCurrentIndex() + 1); });
    connect(m_buttons[Last], &QToolButton::clicked, this,
            [this] { SetCurrentIndex(GetCount() - 1); });
    connect(m_buttons[Close], &QToolButton::clicked, this, &CSheetTabBar::CloseRequested);
}

void CSheetTabBar::SetTabs(const QStringList& captions) {
    const bool blocked = m_tabs->blockSignals(true);
    while (m_tabs->count() > 0) m_tabs->removeTab(0);
    for (const QString& caption : captions) m_tabs->addTab(caption);
    m_tabs->setCurrentIndex(captions.isEmpty() ? -1 : 0);
    m_tabs->blockSignals(blocked);
}

int CSheetTabBar::GetCount() const {
    return m_tabs->count();
}

QString CSheetTabBar::GetTabText(int index) const {
    return m_tabs->tabText(index);
}

int CSheetTabBar::GetCurrentIndex() const {
    return m_tabs->currentIndex();
}

void CSheetTabBar::SetCurrentIndex(int index) {
    // The navigation buttons stop at the first and the last tab.
    if (index < 0 || index >= m_tabs->count()) return;
    m_tabs->setCurrentIndex(index);
}

QToolButton* CSheetTabBar::GetButton(ENavButton button) const {
    return m_buttons[button];
}
