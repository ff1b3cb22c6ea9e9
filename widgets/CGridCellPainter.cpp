#include "widgets/CGridCellPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "containers/CSheetGridStore.h"

QColor CGridCellPainter::GridLineColor() {
    return QColor(0xd0, 0xd7, 0xe5);
}

QColor CGridCellPainter::HeaderColor() {
    return QColor(0xf0, 0xf0, 0xf0);
}

QColor CGridCellPainter::Rgb(std::uint32_t rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xff), static_cast<int>((rgb >> 8) & 0xff),
                  static_cast<int>(rgb & 0xff));
}

QString CGridCellPainter::TextOf(const CGridCell* cell) {
    return cell ? QString::fromStdU16String(cell->text) : QString();
}

QFont CGridCellPainter::CellFont(const CGridCell* cell, const QFont& base) {
    if (!cell || !cell->font) return base;
    const CGridFont& source = *cell->font;
    QFont font(base);
    if (!source.faceName.empty()) font.setFamily(QString::fromStdU16String(source.faceName));
    // A zero or absurd height from a damaged FONT record keeps the grid's own size.
    if (source.height > 0 && source.height <= kMaxFontHeight) font.setPixelSize(source.height);
    if (source.weight >= 1 && source.weight <= 1000) {
        font.setWeight(static_cast<QFont::Weight>(source.weight));
    }
    font.setItalic(source.italic);
    font.setUnderline(source.underline);
    font.setStrikeOut(source.strikeOut);
    if (source.escapement == kSuperscript || source.escapement == kSubscript) {
        // Raised and lowered texts are drawn at two thirds of their size.
        if (font.pixelSize() > 0) {
            font.setPixelSize(std::max(1, font.pixelSize() * 2 / 3));
        } else {
            font.setPointSizeF(font.pointSizeF() * 2 / 3);
        }
    }
    return font;
}

int CGridCellPainter::NeededWidth(const QString& text, const QFont& font) {
    return QFontMetrics(font).horizontalAdvance(text) + 2 * kMargin;
}

void CGridCellPainter::DrawCell(QPainter& painter, const QRect& rect, const CGridCell* cell,
                                const QFont& base) {
    const QColor background = cell && cell->background ? Rgb(*cell->background) : Qt::white;
    painter.fillRect(rect, background);

    const QString text = TextOf(cell);
    if (!text.isEmpty()) {
        painter.save();
        painter.setClipRect(rect.adjusted(0, 0, -1, -1), Qt::IntersectClip);
        painter.setFont(CellFont(cell, base));
        painter.setPen(cell->textColor ? Rgb(*cell->textColor) : QColor(Qt::black));
        // The store holds rendered texts only; a text that reads as a number is
        // set to the right as a spreadsheet does with numeric cells.
        bool numeric = false;
        text.trimmed().toDouble(&numeric);
        const std::uint16_t escapement = cell->font ? cell->font->escapement : 0;
        const int vertical = escapement == kSuperscript ? Qt::AlignTop
                             : escapement == kSubscript ? Qt::AlignBottom
                                                        : Qt::AlignVCenter;
        const int align = vertical | (numeric ? Qt::AlignRight : Qt::AlignLeft);
        painter.drawText(rect.adjusted(kMargin, 0, -kMargin - 1, -1), align, text);
        painter.restore();
    }

    painter.setPen(GridLineColor());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    if (cell && cell->borderColor) {
        // Inside the cell, over its own grid lines: the neighbours painted
        // after it would cover anything drawn beyond its edges.
        painter.setPen(Rgb(*cell->borderColor));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void CGridCellPainter::DrawHeader(QPainter& painter, const QRect& rect, const QString& text,
                                  bool highlighted) {
    painter.fillRect(rect, highlighted ? HeaderColor().darker(115) : HeaderColor());
    painter.setPen(Qt::darkGray);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.setPen(Qt::black);
    painter.drawText(rect.adjusted(0, 0, -1, -1), Qt::AlignCenter, text);
}
