// Draws the pieces of a grid (the cells and texts of a CGridPaintPlan; a
// header cell) onto any QPainter, so that the screen and the printer show
// the same thing. Rectangles are in the painter's coordinates and include
// the cell's right and bottom grid lines.
#pragma once
#include <QColor>
#include <QFont>
#include <QList>
#include <QRect>
#include <QString>
#include <QTextLayout>
#include <cstdint>
#include <vector>

#include "containers/CSheetGridStore.h"

struct CGridPaintBorder;
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
    // The same for a grid font of its own (a rich text's run).
    static QFont GridFont(const CGridFont& source, const QFont& base);

    // How each stretch of a rich text is drawn: the characters before the
    // first run in font and color (the cell's), each run in its own font
    // and colour, a superscript or subscript run raised or lowered at two
    // thirds of its size. The ranges cover text from its first character to
    // its last; runs must rise and lie inside it.
    static QList<QTextLayout::FormatRange> RunFormats(const QString& text,
                                                      const std::vector<CGridTextRun>& runs,
                                                      const QFont& font, const QColor& color,
                                                      const QFont& base);
    // The width in pixels of text drawn with formats.
    static int FormattedWidth(const QString& text, const QList<QTextLayout::FormatRange>& formats);

    // The width in pixels of the digit "0" in font (on top of base), which
    // the sheet's column widths count in; at least 1.
    static int DigitWidth(const CGridFont& font, const QFont& base);

    // Horizontal space a text needs inside a cell (its width plus the
    // cell's inner margins), for deciding whether it is cut off.
    static int NeededWidth(const QString& text, const QFont& font);

    // Every cell of a plan, then every border line, then every text, so
    // that neither a neighbour's background covers a border nor a text
    // running on into a neighbour.
    static void DrawPlan(QPainter& painter, const CGridPaintPlanResult& plan);
    // A cell's background (a fill pattern 2-18 in the pattern colour over
    // the pattern's background colour) and its bottom and right grid lines
    // where the plan keeps them.
    static void DrawBackground(QPainter& painter, const CGridPaintCell& cell);
    // One side's line along its grid line, or a diagonal inside its clip,
    // at 96 dots per inch: thin,
    // hair, dotted and dashed 1 pixel wide, the medium ones 2, thick 3,
    // double two 1-pixel lines with a pixel between them. A medium line adds
    // the pixel below (right of) the grid line, thick and double one on
    // each side.
    static void DrawBorder(QPainter& painter, const CGridPaintBorder& border);
    // How heavy a line looks, for deciding which of two on one edge shows:
    // the heavier is drawn last. 0 for no line.
    static int LineRank(EGridLine style);
    // A text in its font and colour (one with formats in those, turned or
    // not), aligned in its layout rectangle and clipped to its clip
    // rectangle.
    static void DrawText(QPainter& painter, const CGridPaintText& text);

    // A header cell with its centred text; highlighted when the current
    // cell is in its row or column.
    static void DrawHeader(QPainter& painter, const QRect& rect, const QString& text,
                           bool highlighted);

    // A cell whose value is a fallback (CSheetGridStore::SetFallbackMark):
    // a small triangle in its top-left corner, in a colour of its own so
    // that it is not taken for a comment's mark.
    static QColor FallbackMarkColor();
    static constexpr int kFallbackMarkSize = 6;
    static void DrawFallbackMark(QPainter& painter, const QRect& cell);

    static QColor Rgb(std::uint32_t rgb);
    static QString TextOf(const CGridCell* cell);

private:
    // A text in the fonts and colours of its formats, aligned in box (the
    // layout rectangle, or a turned text's line box in turned coordinates).
    static void DrawFormatted(QPainter& painter, const CGridPaintText& text, const QRectF& box);

    // CGridFont::escapement values.
    static constexpr std::uint16_t kSuperscript = 1;
    static constexpr std::uint16_t kSubscript = 2;
    // 409 points, the largest font a sheet can hold, is 545 grid pixels.
    static constexpr int kMaxFontHeight = 545;
};
