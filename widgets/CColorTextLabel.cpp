#include "widgets/CColorTextLabel.h"

#include <QPalette>

CColorTextLabel::CColorTextLabel(const QColor& color, QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
    SetColor(color);
}

void CColorTextLabel::SetColor(const QColor& color) {
    m_color = color;
    QPalette colours = palette();
    // Every colour group, so the text keeps its colour in an inactive window.
    colours.setColor(QPalette::Active, QPalette::WindowText, color);
    colours.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(colours);
}
