// Draws the pieces of a grid (the cells and texts of a CGridPaintPlan; a
// header cell) onto any QPainter, so that the screen and the printer show
// the same thing. Rectangles are in the painter's coordinates and include
// the cell's right and bottom grid lines.
#pragma once
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>

struct CGridCell;
struct CGridFont;
struct CGridPaintCell;
struct CGridPaintPlanResult;
struct CGridPaintText;
class QPainter;

class CGridCellPainter {
public:
    static QColor GridLineColor();
    static QColor HeaderColor();

    // The font of a cell: the grid font's face, pixel size, weight, italic,
    // underline and strike-out on top of base, two thirds as big for a
    // superscript or subscript; base itself when the cell has no font.
    static QFont CellFont(const CGridCell* cell, const QFont& base);

    // The width in pixels of the digit "0" in font (on top of base), which
    // the sheet's column widths count in; at least 1.
    static int DigitWidth(const CGridFont& font, const QFont& base);

    // Horizontal space a text needs inside a cell (its width plus the
    // cell's inner margins), for deciding whether it is cut off.
    static int NeededWidth(const QString& text, const QFont& font);

    // Every cell of a plan, then every text, so that a text running on
    // into a neighbour is not covered by the neighbour's background.
    static void DrawPlan(QPainter& painter, const CGridPaintPlanResult& plan);
    // A cell's background (a fill pattern 2-18 in the pattern colour over
    // the pattern's background colour), its bottom and right grid lines where the plan
    // keeps them, and its own border colour when it has one.
    static void DrawBackground(QPainter& painter, const CGridPaintCell& cell);
    // A text in its font and colour, aligned in its layout rectangle and
    // clipped to its clip rectangle.
    static void DrawText(QPainter& painter, const CGridPaintText& text);

    // A header cell with its centred text; highlighted when the current
    // cell is in its row or column.
    static void DrawHeader(QPainter& painter, const QRect& rect, const QString& text,
                           bool highlighted);

    static QColor Rgb(std::uint32_t rgb);
    static QString TextOf(const CGridCell* cell);

private:
    // CGridFont::escapement values.
    static constexpr std::uint16_t kSuperscript = 1;
    static constexpr std::uint16_t kSubscript = 2;
    // 409 points, the largest font a sheet can hold, is 545 grid pixels.
    static constexpr int kMaxFontHeight = 545;
};
