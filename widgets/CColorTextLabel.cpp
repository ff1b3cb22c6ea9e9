#include "widgets/CColorTextLabel.h"

#include <QPalette>

CColorTextLabel::CColorTextLabel(const QColor& color, QWidget* parent)
    : QLabel(parent), m_color(color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}
