// A text that works as a link: underlined and coloured while enabled, grey
// while disabled, a pointing-hand cursor, and Clicked on a left click (or
// Space/Enter when it has the focus).
#pragma once
#include <QLabel>

class CHyperLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit CHyperLinkLabel(const QString& text, QWidget* parent = nullptr);
    // Emits Clicked only while enabled.
    void Click();

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Link colour and underline while enabled, plain grey while disabled.
    void UpdateLook();
};
