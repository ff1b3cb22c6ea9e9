#include "widgets/CHyperLinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

CHyperLinkLabel::CHyperLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    UpdateLook();
}

void CHyperLinkLabel::Click() {
    if (isEnabled()) emit Clicked();
}

void CHyperLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Click();
    QLabel::mouseReleaseEvent(event);
}

void CHyperLinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CHyperLinkLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) UpdateLook();
}

void CHyperLinkLabel::UpdateLook() {
    const bool enabled = isEnabled();
    QFont look = font();
    look.setUnderline(enabled);
    setFont(look);
    QPalette colours = palette();
    const QColor link =
        enabled ? colours.color(QPalette::Active, QPalette::Link) : QColor(Qt::gray);
    // The disabled group is set too, so the style does not draw its own
    // embossed grey over ours.
    colours.setColor(QPalette::Active, QPalette::WindowText, link);
    colours.setColor(QPalette::Inactive, QPalette::WindowText, link);
    colours.setColor(QPalette::Disabled, QPalette::WindowText, QColor(Qt::gray));
    setPalette(colours);
    setCursor(enabled ? Qt::PointingHandCursor : Qt::ArrowCursor);
}
