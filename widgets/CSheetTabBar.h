// The row of sheet tabs under the preview grid: one tab per sheet, and the
// navigation buttons "First", "Previous", "Next", "Last" and "Close" (their
// tooltips). Tab captions are drawn in "Courier" of height 15, weight 400;
// the bar is 20 pixels high.
#pragma once
#include <QStringList>
#include <QWidget>

class QTabBar;
class QToolButton;

class CSheetTabBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 20;
    enum ENavButton { First = 0, Previous, Next, Last, Close, NavButtonCount };

    explicit CSheetTabBar(QWidget* parent = nullptr);

    // Replaces every tab; the first becomes current without a
    // CurrentChanged signal.
    void SetTabs(const QStringList& captions);
    int GetCount() const;
    QString GetTabText(int index) const;
    int GetCurrentIndex() const;
    // Selects a tab as a user click would (CurrentChanged is emitted when
    // the selection changes).
    void SetCurrentIndex(int index);
    QToolButton* GetButton(ENavButton button) const;

signals:
    void CurrentChanged(int index);
    void CloseRequested();

private:
    QTabBar* m_tabs = nullptr;
    QToolButton* m_buttons[NavButtonCount] = {};
};
