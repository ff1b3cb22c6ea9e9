// A one-line text drawn in a colour of its own (the saving screen's red
// progress text), on a transparent background.
#pragma once
#include <QColor>
#include <QLabel>

class CColorTextLabel : public QLabel {
    Q_OBJECT
public:
    explicit CColorTextLabel(const QColor& color, QWidget* parent = nullptr);
    QColor GetColor() const { return m_color; }
    void SetColor(const QColor& color);

private:
    QColor m_color;
};
