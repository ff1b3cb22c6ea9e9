#include "widgets/CGridCellPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <numbers>

#include "containers/CSheetGridStore.h"
#include "widgets/CGridPaintPlan.h"

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
    return GridFont(*cell->font, base);
}

QFont CGridCellPainter::GridFont(const CGridFont& source, const QFont& base) {
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

int CGridCellPainter::DigitWidth(const CGridFont& font, const QFont& base) {
    return std::max(1, QFontMetrics(GridFont(font, base)).horizontalAdvance(QLatin1Char('0')));
}

QList<QTextLayout::FormatRange> CGridCellPainter::RunFormats(const QString& text,
                                                             const std::vector<CGridTextRun>& runs,
                                                             const QFont& font, const QColor& color,
                                                             const QFont& base) {
    QList<QTextLayout::FormatRange> formats;
    const auto add = [&](int start, const QTextCharFormat& format) {
        // A run at character 0 takes the cell's place.
        if (!formats.isEmpty() && formats.back().start == start) {
            formats.back().format = format;
            return;
        }
        if (!formats.isEmpty()) formats.back().length = start - formats.back().start;
        formats.push_back({start, 0, format});
    };
    QTextCharFormat own;
    own.setFont(font);
    own.setForeground(color);
    add(0, own);
    for (const CGridTextRun& run : runs) {
        if (run.firstChar >= text.size()) break;
        if (!run.font) {
            // Its FONT record is lost: the cell's look.
            add(run.firstChar, own);
            continue;
        }
        // Qt raises or lowers the run and draws it at two thirds itself, so
        // the font goes in at its full size.
        CGridFont level = *run.font;
        level.escapement = 0;
        QTextCharFormat format;
        format.setFont(GridFont(level, base));
        format.setForeground(run.textColor ? Rgb(*run.textColor) : QColor(Qt::black));
        if (run.font->escapement == kSuperscript)
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        if (run.font->escapement == kSubscript)
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        add(run.firstChar, format);
    }
    formats.back().length = static_cast<int>(text.size()) - formats.back().start;
    return formats;
}

int CGridCellPainter::FormattedWidth(const QString& text,
                                     const QList<QTextLayout::FormatRange>& formats) {
    int width = 0;
    for (const QTextLayout::FormatRange& range : formats)
        width += QFontMetrics(range.format.font())
                     .horizontalAdvance(text.mid(range.start, range.length));
    return width;
}

int CGridCellPainter::NeededWidth(const QString& text, const QFont& font) {
    return QFontMetrics(font).horizontalAdvance(text) + 2 * CGridPaintPlan::kMargin;
}

namespace {

// How each XF line style is drawn: its 1-pixel strokes' offsets across the
// grid line, its dash pattern in pixels (empty: solid), and its rank among
// lines meeting on one edge.
struct CLineLook {
    std::array<int, 3> offsets;
    int strokes;
    std::array<qreal, 6> dashes;
    int dashCount;
    int rank;
};
constexpr std::array<CLineLook, 14> kLineLooks = {{
    {{0, 0, 0}, 0, {}, 0, 0},                  // None
    {{0, 0, 0}, 1, {}, 0, 5},                  // Thin
    {{0, 1, 0}, 2, {}, 0, 9},                  // Medium
    {{0, 0, 0}, 1, {3, 1}, 2, 3},              // Dashed
    {{0, 0, 0}, 1, {1, 1}, 2, 2},              // Dotted
    {{-1, 0, 1}, 3, {}, 0, 11},                // Thick
    {{-1, 1, 0}, 2, {}, 0, 10},                // Double
    {{0, 0, 0}, 1, {1, 2}, 2, 1},              // Hair
    {{0, 1, 0}, 2, {9, 3}, 2, 8},              // Medium dashed
    {{0, 0, 0}, 1, {9, 3, 3, 3}, 4, 4},        // Dash-dot
    {{0, 1, 0}, 2, {9, 3, 3, 3}, 4, 7},        // Medium dash-dot
    {{0, 0, 0}, 1, {9, 3, 3, 3, 3, 3}, 6, 4},  // Dash-dot-dot
    {{0, 1, 0}, 2, {9, 3, 3, 3, 3, 3}, 6, 7},  // Medium dash-dot-dot
    {{0, 1, 0}, 2, {11, 1, 5, 1}, 4, 6},       // Slanted dash-dot
}};

const CLineLook& LookOf(EGridLine style) {
    const auto index = static_cast<std::size_t>(style);
    // The store keeps codes 0-13; anything else is drawn thin.
    return kLineLooks[index < kLineLooks.size() ? index : 1];
}

}  // namespace

int CGridCellPainter::LineRank(EGridLine style) {
    return LookOf(style).rank;
}

void CGridCellPainter::DrawPlan(QPainter& painter, const CGridPaintPlanResult& plan) {
    for (const CGridPaintCell& cell : plan.cells) DrawBackground(painter, cell);
    for (const CGridPaintBorder& border : plan.borders) DrawBorder(painter, border);
    for (const CGridPaintText& text : plan.texts) DrawText(painter, text);
}

void CGridCellPainter::DrawBorder(QPainter& painter, const CGridPaintBorder& border) {
    const CLineLook& look = LookOf(border.line.style);
    // Width 1, not cosmetic: a printer's scaled painter widens it as it
    // widens the cells.
    QPen pen(Rgb(border.line.color), 1);
    pen.setCapStyle(Qt::SquareCap);
    if (look.dashCount > 0)
        pen.setDashPattern(QList<qreal>(look.dashes.begin(), look.dashes.begin() + look.dashCount));
    painter.save();
    if (!border.clip.isEmpty()) painter.setClipRect(border.clip, Qt::IntersectClip);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // A diagonal's strokes lie beside each other as a side's do: moved
    // up and down when it runs flatter than 45 degrees, sideways otherwise.
    const QPoint run = border.to - border.from;
    const bool horizontal = std::abs(run.x()) >= std::abs(run.y());
    for (int stroke = 0; stroke < look.strokes; ++stroke) {
        const int offset = look.offsets[static_cast<std::size_t>(stroke)];
        const QPoint shift = horizontal ? QPoint(0, offset) : QPoint(offset, 0);
        painter.drawLine(border.from + shift, border.to + shift);
    }
    painter.restore();
}

void CGridCellPainter::DrawBackground(QPainter& painter, const CGridPaintCell& item) {
    const QRect& rect = item.rect;
    const CGridCell* cell = item.cell ? &*item.cell : nullptr;
    // XF fill patterns 2-18, each as the Qt brush of like look and density:
    // the grey shades 50, 75, 25 %, stripes (horizontal, vertical, down,
    // up), grids (square, diagonal), then the thin ones, then 12.5 and
    // 6.25 % grey.
    static constexpr Qt::BrushStyle kPatterns[] = {
        Qt::Dense4Pattern,    Qt::Dense3Pattern, Qt::Dense5Pattern,    Qt::HorPattern,
        Qt::VerPattern,       Qt::FDiagPattern,  Qt::BDiagPattern,     Qt::CrossPattern,
        Qt::DiagCrossPattern, Qt::HorPattern,    Qt::VerPattern,       Qt::FDiagPattern,
        Qt::BDiagPattern,     Qt::CrossPattern,  Qt::DiagCrossPattern, Qt::Dense6Pattern,
        Qt::Dense7Pattern};
    constexpr std::uint8_t kFirstPattern = 2;
    const bool patterned = cell && cell->background && cell->fillPattern >= kFirstPattern &&
                           cell->fillPattern < kFirstPattern + std::size(kPatterns);
    if (patterned) {
        painter.fillRect(
            rect, cell->patternBackground ? Rgb(*cell->patternBackground) : QColor(Qt::white));
        painter.fillRect(
            rect, QBrush(Rgb(*cell->background), kPatterns[cell->fillPattern - kFirstPattern]));
    } else {
        // Pattern 1 is solid in the pattern colour; 0 and any code past
        // 18 of a damaged XF are drawn so too when the XF names a colour.
        painter.fillRect(rect,
                         cell && cell->background ? Rgb(*cell->background) : QColor(Qt::white));
    }
    painter.setPen(GridLineColor());
    if (item.rightLine) painter.drawLine(rect.topRight(), rect.bottomRight());
    if (item.bottomLine) painter.drawLine(rect.bottomLeft(), rect.bottomRight());
}

void CGridCellPainter::DrawText(QPainter& painter, const CGridPaintText& text) {
    painter.save();
    painter.setClipRect(text.clip, Qt::IntersectClip);
    painter.setFont(text.font);
    painter.setPen(text.color);
    if (text.rotation == 0) {
        if (text.formats.isEmpty()) {
            painter.drawText(text.layout, text.flags, text.text);
        } else {
            DrawFormatted(painter, text, QRectF(text.layout));
        }
        painter.restore();
        return;
    }
    // A turned text lies on the longest line through the layout's centre
    // that stays inside it; at 90 degrees its line box is the layout's
    // width, so that its alignment runs along the cell's height.
    const QRectF layout(text.layout);
    const double radians = std::abs(text.rotation) * std::numbers::pi / 180.0;
    const double along = std::min(std::abs(layout.width() / std::cos(radians)),
                                  std::abs(layout.height() / std::sin(radians)));
    const double across = std::abs(text.rotation) == 90
                              ? layout.width()
                              : static_cast<double>(QFontMetrics(text.font).height());
    painter.translate(layout.center());
    painter.rotate(text.rotation);
    const QRectF box(-along / 2, -across / 2, along, across);
    if (text.formats.isEmpty()) {
        painter.drawText(box, text.flags, text.text);
    } else {
        DrawFormatted(painter, text, box);
    }
    painter.restore();
}

void CGridCellPainter::DrawFormatted(QPainter& painter, const CGridPaintText& text,
                                     const QRectF& box) {
    // A line break typed into a cell is a paragraph break to QPainter but
    // an ordinary character to a text layout; the line separator keeps the
    // characters where the runs count them.
    QString shown = text.text;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(shown, text.font, painter.device());
    layout.setFormats(text.formats);
    QTextOption option(Qt::Alignment(text.flags & Qt::AlignHorizontal_Mask));
    option.setWrapMode((text.flags & Qt::TextWordWrap) != 0 ? QTextOption::WordWrap
                                                            : QTextOption::NoWrap);
    layout.setTextOption(option);
    qreal height = 0;
    layout.beginLayout();
    // Every line takes at least one character, so the text's length bounds
    // the lines.
    for (qsizetype lines = 0; lines <= shown.size(); ++lines) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    qreal top = box.top();
    if ((text.flags & Qt::AlignBottom) != 0) top = box.bottom() - height;
    if ((text.flags & Qt::AlignVCenter) != 0) top = box.top() + (box.height() - height) / 2;
    layout.draw(&painter, QPointF(box.left(), top));
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

QColor CGridCellPainter::FallbackMarkColor() {
    return QColor(0xE0, 0x78, 0x00);
}

void CGridCellPainter::DrawFallbackMark(QPainter& painter, const QRect& cell) {
    // Inside the cell's top and left grid lines, and no larger than the cell.
    const int size = std::min({kFallbackMarkSize, cell.width() - 1, cell.height() - 1});
    if (size < 2) return;
    const QPoint corner = cell.topLeft() + QPoint(1, 1);
    const QPoint points[] = {corner, corner + QPoint(size, 0), corner + QPoint(0, size)};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(FallbackMarkColor());
    painter.drawPolygon(points, 3);
    painter.restore();
}
