#include "app/CSettingView.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/CMainFrame.h"
#include "app/CViewManger.h"
#include "app/IUserDialogs.h"
#include "platform/SettingsStore.h"

namespace {

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

CSettingView::CSettingView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    m_singleRadio = new QRadioButton(tr("Start in Single file mode"), this);
    m_singleRadio->setObjectName(QStringLiteral("StartSingleRadio"));
    m_multipleRadio = new QRadioButton(tr("Start in Multiple file mode"), this);
    m_multipleRadio->setObjectName(QStringLiteral("StartMultipleRadio"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_singleRadio);
    modes->addButton(m_multipleRadio);

    m_locationEdit = new QLineEdit(this);
    m_locationEdit->setObjectName(QStringLiteral("LocationEdit"));
    m_suffixEdit = new QLineEdit(this);
    m_suffixEdit->setObjectName(QStringLiteral("SuffixEdit"));
    QPushButton* browse = Button(tr("Browse..."), "BrowseButton", this);
    QPushButton* apply = Button(tr("&Apply"), "ApplyButton", this);
    QPushButton* cancel = Button(tr("&Cancel"), "CancelButton", this);

    auto* form = new QGridLayout;
    form->addWidget(Caption(tr("Application Startup mode:"), this), 0, 0, 1, 2);
    form->addWidget(m_singleRadio, 1, 0, 1, 2);
    form->addWidget(m_multipleRadio, 2, 0, 1, 2);
    form->setRowMinimumHeight(3, 16);
    form->addWidget(
        Caption(tr("Recovered files save location(Only for Multiple file repair mode):"), this), 4,
        0, 1, 2);
    form->addWidget(m_locationEdit, 5, 0);
    form->addWidget(browse, 5, 1);
    form->setRowMinimumHeight(6, 16);
    form->addWidget(Caption(tr("Recovered file suffix:"), this), 7, 0, 1, 2);
    form->addWidget(m_suffixEdit, 8, 0);
    form->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(apply);
    buttons->addWidget(cancel);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(40, 30, 40, 30);
    page->addLayout(form);
    page->addStretch(1);
    page->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, &CSettingView::OnBrowse);
    connect(apply, &QPushButton::clicked, this, &CSettingView::OnApply);
    connect(cancel, &QPushButton::clicked, this, &CSettingView::OnCancel);
}

CSettingView::~CSettingView() = default;

void CSettingView::OnShow() {
    // Another program (or the command-line tool) may have changed the file
    // since the last visit: nothing is kept between visits.
    const SettingsStore store;
    const bool multiple = store.ReadStartUpMode() == u"M";
    m_multipleRadio->setChecked(multiple);
    m_singleRadio->setChecked(!multiple);
    m_locationEdit->setText(QString::fromStdU16String(store.ReadLocation()));
    m_suffixEdit->setText(QString::fromStdU16String(store.ReadSuffix()));
}

void CSettingView::OnBrowse() {
    const QString folder = GetDialogs().ExistingDirectory(
        this, tr("Select the destination directory to save the file:"), m_locationEdit->text());
    if (!folder.isEmpty()) m_locationEdit->setText(folder.left(kMaxBrowsedPathLength));
}

void CSettingView::OnApply() {
    const SettingsStore store;
    // A value the store refuses (a line break typed into a box) leaves that
    // setting as it was; the others are still written.
    store.WriteStartUpMode(m_singleRadio->isChecked() ? u"S" : u"M");
    store.WriteLocation(m_locationEdit->text().toStdU16String());
    store.WriteSuffix(m_suffixEdit->text().toStdU16String());
    Leave();
}

void CSettingView::OnCancel() {
    Leave();
}

void CSettingView::Leave() {
    CViewManger& views = GetFrame()->GetViewManager();
    // Leaving swaps two indices: from any other screen it would jump away.
    if (views.GetCurrentIndex() != CViewManger::Settings) return;
    views.LeaveSettings();
    views.Activate();
}
