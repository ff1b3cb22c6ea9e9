#include "widgets/CHyperLinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

CHyperLinkLabel::CHyperLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void CHyperLinkLabel::Click() {
    if (isEnabled()) emit Clicked();
}

void CHyperLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Click();
    QLabel::mouseReleaseEvent(event);
}

void CHyperLinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return) {
        Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CHyperLinkLabel::changeEvent(QEvent* event) { QLabel::changeEvent(event); }
