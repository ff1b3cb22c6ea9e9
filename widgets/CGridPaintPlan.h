// What the grid draws for a block of visible cells, decided as a
// spreadsheet decides it, before anything is drawn: the screen and the
// printer both paint a plan with CGridCellPainter.
//
// - A number (dates and times too) wider than its cell shows "#" repeated
//   across the cell; texts, Booleans and errors never do.
// - A merged range is one cell: the top-left cell's text and look over the
//   whole rectangle, no inner grid lines, its other cells not drawn. When
//   ranges overlap (a damaged sheet), the first one given wins and the
//   others are not drawn merged.
// - A text that is neither wrapped nor merged runs on into the empty cells
//   beside it (to the right when left-aligned, to the left when
//   right-aligned, both ways when centred), hiding the grid lines it
//   crosses; the first neighbour with a text, or in a merged range, stops
//   it. Numbers, Booleans and errors stay in their cell.
// - Horizontal alignment: General sets numbers right, Booleans and errors
//   centred, texts left; Fill repeats the text across the cell; Justify
//   and Distributed wrap; centre across selection is drawn centred.
//   Vertical: top, centre or bottom (Justify at the top, Distributed in
//   the centre, both wrapped); superscripts sit at the top and subscripts
//   at the bottom whatever the alignment.
// - A rich text draws each formatting run in its own font and colour, the
//   characters before the first run in the cell's; its width, for running
//   on and cutting, is that of its runs. Turned and stacked texts keep
//   their runs too; Fill texts and "####" take the cell's font throughout.
// - Indent: with Left, Right or Distributed alignment, each level moves the
//   text three digit widths of the default font in from its side (both
//   sides when distributed).
// - Rotation: a text turned by the XF's angle, or stacked letter under
//   letter (255), is drawn centred on its cell and stays in it: it neither
//   runs on nor turns into "#".
//
// A sheet that hides its grid lines gets none; borders are still drawn.
//
// Diagonals: a cell's diagonal lines run corner to corner across it, a
// merged range's across the whole range from its top-left cell's XF, over
// the background and under the text, and never outside the cell.
//
// Borders: each side's line lies on the grid line between the cell and its
// neighbour. A merged range draws the outer sides of the cells on its edge,
// none inside it. Where two cells draw the same edge, the heavier line is
// drawn last and so shows. The cells beyond the block's right and bottom
// edges add their left and top lines, which lie on the block's last grid
// lines; lines on the block's first grid lines (the header's edge) are
// drawn one pixel inside it.
//
// Hidden rows and columns (no size in their axis) draw nothing; a hidden
// cell's text still stops a neighbour's text running on.
//
// Only the given rows are read; in each, besides the given columns, at
// most a viewport's width of columns on either side is looked at, for texts
// that run into view from outside it.
#pragma once
#include <QColor>
#include <QFont>
#include <QList>
#include <QRect>
#include <QString>
#include <QTextLayout>
#include <cstdint>
#include <optional>
#include <vector>

#include "containers/CSheetGridStore.h"

class CGridAxis;

// One cell's (or merged range's) background, grid lines and border.
struct CGridPaintCell {
    int row = 0;  // the cell, or the merged range's top-left cell
    int column = 0;
    QRect rect;  // the cell's or the whole merged range's rectangle
    std::optional<CGridCell> cell;
    bool rightLine = true;   // false where a text runs on across it, or no grid lines
    bool bottomLine = true;  // false when the sheet shows no grid lines
    bool merged = false;
};

// One side's line, from `from` to `to` along a grid line (one of x or y is
// the same at both ends), or one diagonal from corner to corner of clip,
// in the painter's coordinates.
struct CGridPaintBorder {
    QPoint from;
    QPoint to;
    CGridBorderLine line;
    // A diagonal's cell or merged range, which its strokes stay inside;
    // empty for a side.
    QRect clip = QRect();
};

// One text as it is drawn.
struct CGridPaintText {
    int row = 0;  // the cell the text belongs to
    int column = 0;
    QString text;   // as shown: the cell's text, "###", or a Fill repetition
    QRect layout;   // the rectangle the text is aligned in (margins taken off)
    QRect clip;     // where it may show
    int flags = 0;  // Qt alignment, and word wrap
    QFont font;
    QColor color;
    bool cut = false;  // the cell's text is not wholly shown
    // Degrees the text is turned about its layout's centre, clockwise as
    // QPainter::rotate turns (-90: reading upwards); 0 for level texts.
    int rotation = 0;
    // A rich text's fonts and colours over the whole of text (a stacked
    // text's line breaks take the letter's before them); empty for a text
    // in font and color alone ("####" and Fill texts always are).
    QList<QTextLayout::FormatRange> formats;
};

struct CGridPaintPlanResult {
    std::vector<CGridPaintCell> cells;
    std::vector<CGridPaintText> texts;
    // Lightest first; drawn over every cell, under the texts.
    std::vector<CGridPaintBorder> borders;
};

class CGridPaintPlan {
public:
    static constexpr int kMargin = 2;
    // Repetitions of a Fill text at most.
    static constexpr int kMaxFillRepeats = 256;

    // All borrowed for the plan's life. origin is where the start of row 1
    // and column 1 lies in the painter's coordinates.
    CGridPaintPlan(const CSheetGridStore& store, const CGridAxis& rows, const CGridAxis& columns,
                   const QFont& base, QPoint origin);

    // The plan for rows firstRow..lastRow and columns firstColumn..lastColumn
    // (grid indices inside the axes' counts); reach is how many pixels of
    // columns beyond them on either side may send a text into view.
    CGridPaintPlanResult Make(int firstRow, int lastRow, int firstColumn, int lastColumn,
                              int reach) const;

    // Whether a cell's text counts as a number: the store says so, or it
    // does not know and the text reads as one.
    static bool IsNumber(const CGridCell& cell);

private:
    struct CRowSlot;
    QRect RectOf(int firstRow, int firstColumn, int lastRow, int lastColumn) const;
    // The text of cell drawn in rect; lane holds the cells of its row from
    // column laneFirst on (null for a merged range: it never runs on).
    // indentStep: the pixels of one indent level.
    void PlanText(const CGridCell& cell, int row, int column, const QRect& rect,
                  std::vector<CRowSlot>* lane, int laneFirst, int indentStep,
                  CGridPaintPlanResult& plan) const;
    // The lines of the sides of borders that lie on the edges of rect, a
    // cell's or a merged range's edge cell's rectangle.
    static void PlanSides(const CGridBorders& borders, const QRect& rect, bool left, bool right,
                          bool top, bool bottom, CGridPaintPlanResult& plan);
    // The diagonals of diagonal across rect, a cell's or a merged range's
    // rectangle.
    static void PlanDiagonals(const CGridDiagonal& diagonal, const QRect& rect,
                              CGridPaintPlanResult& plan);
    // The lines of the block's cells and merged ranges, and of the cells
    // just past its right and bottom edges.
    void PlanBorders(const std::vector<CGridRange>& merged, int firstRow, int lastRow,
                     int firstColumn, int lastColumn, CGridPaintPlanResult& plan) const;

    const CSheetGridStore& m_store;
    const CGridAxis& m_rows;
    const CGridAxis& m_columns;
    QFont m_base;
    QPoint m_origin;
};
