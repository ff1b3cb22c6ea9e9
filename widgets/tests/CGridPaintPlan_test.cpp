// The painter's decisions: "####" for numbers too wide, texts running on
// into empty neighbours, merged ranges drawn as one cell, indents and
// rotations, the runs of a rich text, diagonal lines.
#include "widgets/CGridPaintPlan.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>

#include "containers/CSheetGridStore.h"
#include "widgets/CGridAxis.h"
#include "widgets/CGridCellPainter.h"
#include "widgets/CGridCtrl.h"

namespace {

class PaintPlanTest : public ::testing::Test {
protected:
    PaintPlanTest() { m_font.setPixelSize(12); }

    CGridPaintPlanResult Make(int firstColumn = 1, int reach = 0) {
        m_rows.Rebuild(m_store.GetRowCount(), CGridCtrl::kDefaultRowHeight, [this](int row) {
            return m_store.IsRowHidden(row) ? CGridAxis::kHidden : m_store.GetRowHeight(row);
        });
        m_columns.Rebuild(
            m_store.GetColumnCount(), CGridCtrl::kDefaultColumnWidth, [this](int column) {
                return m_store.IsColumnHidden(column) ? CGridAxis::kHidden
                                                      : m_store.GetColumnWidth(column);
            });
        return CGridPaintPlan(m_store, m_rows, m_columns, m_font, QPoint(0, 0))
            .Make(1, 20, firstColumn, 10, reach);
    }

    void Put(int row, int column, const std::u16string& text, EGridValue value,
             CGridAlignment alignment = {}) {
        CGridStyle style;
        style.alignment = alignment;
        m_store.SetTextAndStyle(row, column, text, &style, value);
    }

    static const CGridPaintText* TextOf(const CGridPaintPlanResult& plan, int row, int column) {
        for (const CGridPaintText& text : plan.texts)
            if (text.row == row && text.column == column) return &text;
        return nullptr;
    }

    static const CGridPaintCell* CellOf(const CGridPaintPlanResult& plan, int row, int column) {
        for (const CGridPaintCell& cell : plan.cells)
            if (cell.row == row && cell.column == column) return &cell;
        return nullptr;
    }

    QRect RectOf(int row, int column) const {
        return QRect(static_cast<int>(m_columns.GetStart(column)),
                     static_cast<int>(m_rows.GetStart(row)), m_columns.GetSize(column),
                     m_rows.GetSize(row));
    }

    CSheetGridStore m_store;
    CGridAxis m_rows;
    CGridAxis m_columns;
    QFont m_font;
};

}  // namespace

TEST_F(PaintPlanTest, OnlyANumberTooWideForItsCellTurnsIntoHashes) {
    const struct {
        std::u16string text;
        EGridValue value;
        int width;
        bool hashes;
    } cases[] = {
        {u"$1,250.50", EGridValue::Number, 200, false},  // fits
        {u"$1,250.50", EGridValue::Number, 30, true},    // would read "$1,2"
        {u"12/31/2024", EGridValue::Number, 30, true},   // a date is a number
        {u"a text far too long", EGridValue::Text, 30, false},
        {u"FALSE", EGridValue::Logical, 12, false},
        {u"1234567", EGridValue::Unknown, 12, true},  // an edited text reading as a number
        {u"12abc", EGridValue::Unknown, 12, false},
    };
    int column = 1;
    for (const auto& test : cases) {
        Put(1, column, test.text, test.value);
        m_store.SetColumnWidth(column++, test.width);
    }
    const CGridPaintPlanResult plan = Make();
    column = 1;
    for (const auto& test : cases) {
        const CGridPaintText* text = TextOf(plan, 1, column++);
        ASSERT_TRUE(text) << column;
        const QString original = QString::fromStdU16String(test.text);
        if (test.hashes) {
            EXPECT_FALSE(text->text.isEmpty());
            EXPECT_EQ(text->text, QString(text->text.size(), QLatin1Char('#')))
                << original.toStdString();
            EXPECT_TRUE(text->cut);
        } else {
            EXPECT_EQ(text->text, original);
        }
    }
}

TEST_F(PaintPlanTest, TextsRunOnIntoEmptyNeighboursOnlyAsTheirAlignmentSays) {
    const std::u16string longText = u"a text that needs about three columns";
    const CGridAlignment right{EGridHorizontal::Right};
    const CGridAlignment centre{EGridHorizontal::Centre};
    const CGridAlignment wrapped{EGridHorizontal::General, EGridVertical::Bottom, true};
    const struct {
        int column;
        CGridAlignment alignment;
        int stopper;  // a column holding a text, 0 for none
        bool left;    // runs on to the left
        bool right;
    } cases[] = {
        {2, {}, 0, false, true},      // General text: to the right
        {2, {}, 3, false, false},     // stopped by its neighbour
        {6, right, 0, true, false},   // right-aligned: to the left
        {6, right, 5, false, false},  // stopped on the left
        {5, centre, 0, true, true},   // centred: both ways
        {2, wrapped, 0, false, false},
    };
    int row = 1;
    for (const auto& test : cases) {
        Put(row, test.column, longText, EGridValue::Text, test.alignment);
        if (test.stopper) Put(row, test.stopper, u"x", EGridValue::Text);
        Put(row + 1, 1, u"", EGridValue::Text);  // an empty text does not stop a run
        row += 2;
    }
    const CGridPaintPlanResult plan = Make();
    row = 1;
    for (const auto& test : cases) {
        const CGridPaintText* text = TextOf(plan, row, test.column);
        ASSERT_TRUE(text) << row;
        const QRect own = RectOf(row, test.column);
        EXPECT_EQ(text->clip.left() < own.left(), test.left) << row;
        EXPECT_EQ(text->clip.right() > own.right(), test.right) << row;
        // The grid line between the text's cell and a neighbour it runs into is hidden.
        if (test.right) {
            EXPECT_FALSE(CellOf(plan, row, test.column)->rightLine) << row;
        }
        if (test.left) {
            EXPECT_FALSE(CellOf(plan, row, test.column - 1)->rightLine) << row;
        }
        row += 2;
    }
    // A text whose cell is scrolled out of view still runs into view, and
    // not when the plan may not look that far.
    EXPECT_TRUE(TextOf(Make(3, 64), 1, 2));
    EXPECT_FALSE(TextOf(Make(3, 0), 1, 2));
}

TEST_F(PaintPlanTest, AMergedRangeIsDrawnAsOneCellWithItsTopLeftText) {
    Put(1, 1, u"Quarterly title", EGridValue::Text, {EGridHorizontal::Centre});
    Put(1, 3, u"covered", EGridValue::Text);
    m_store.SetBackground(1, 1, 0xffff00);
    // The second range overlaps the first (a damaged sheet) and is not drawn merged.
    m_store.SetMergedRanges({{1, 1, 1, 4}, {1, 3, 2, 5}});
    const CGridPaintPlanResult plan = Make();
    const CGridPaintCell* merged = CellOf(plan, 1, 1);
    ASSERT_TRUE(merged);
    EXPECT_TRUE(merged->merged);
    const QRect whole = RectOf(1, 1).united(RectOf(1, 4));
    EXPECT_EQ(merged->rect, whole);
    for (int column = 2; column <= 4; ++column) EXPECT_FALSE(CellOf(plan, 1, column)) << column;
    EXPECT_FALSE(TextOf(plan, 1, 3));
    EXPECT_TRUE(CellOf(plan, 2, 3)) << "the overlapping range's cells are drawn alone";
    const CGridPaintText* title = TextOf(plan, 1, 1);
    ASSERT_TRUE(title);
    EXPECT_EQ(title->clip, whole.adjusted(0, 0, -1, -1));
    EXPECT_EQ(title->flags & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    // On screen: the range's background runs across the inner grid lines.
    CGridCtrl grid;
    grid.resize(400, 200);
    grid.SetStore(&m_store);
    grid.show();
    const QImage image = grid.viewport()->grab().toImage();
    const QRect first = grid.CellRect(1, 1);
    const qreal ratio = image.devicePixelRatio();
    const QColor inner = image.pixelColor(static_cast<int>(first.right() * ratio),
                                          static_cast<int>((first.top() + 2) * ratio));
    EXPECT_EQ(inner, QColor(Qt::yellow));
}

TEST_F(PaintPlanTest, IndentLevelsAndRotationsFollowTheXF) {
    struct Case {
        EGridHorizontal horizontal;
        std::uint8_t indent;
        std::uint8_t rotation;
        int left;  // layout edges moved in from the cell's, margins included
        int right;
        int turned;
        const char* shown;
    };
    // Three 7-pixel digits a level; General takes no indent.
    const Case cases[] = {
        {EGridHorizontal::Left, 1, 0, 2 + 21, 3, 0, "ab"},
        {EGridHorizontal::Right, 2, 0, 2, 3 + 42, 0, "ab"},
        {EGridHorizontal::Distributed, 1, 0, 2 + 21, 3 + 21, 0, "ab"},
        {EGridHorizontal::General, 3, 0, 2, 3, 0, "ab"},
        {EGridHorizontal::General, 0, 45, 2, 3, -45, "ab"},
        {EGridHorizontal::General, 0, 90, 2, 3, -90, "ab"},
        {EGridHorizontal::General, 0, 135, 2, 3, 45, "ab"},
        {EGridHorizontal::General, 0, 255, 2, 3, 0, "a\nb"},
        {EGridHorizontal::General, 0, 200, 2, 3, 0, "ab"},  // no such angle: level
    };
    int row = 1;
    for (const Case& test : cases) {
        CGridAlignment alignment;
        alignment.horizontal = test.horizontal;
        alignment.indent = test.indent;
        alignment.rotation = test.rotation;
        Put(row++, 1, u"ab", EGridValue::Text, alignment);
    }
    const CGridPaintPlanResult plan = Make();
    row = 1;
    for (const Case& test : cases) {
        const CGridPaintText* text = TextOf(plan, row, 1);
        ASSERT_TRUE(text) << row;
        const QRect cell = RectOf(row, 1);
        EXPECT_EQ(text->layout.left() - cell.left(), test.left) << row;
        EXPECT_EQ(cell.right() - text->layout.right(), test.right) << row;
        EXPECT_EQ(text->rotation, test.turned) << row;
        EXPECT_EQ(text->text, QString::fromLatin1(test.shown)) << row;
        ++row;
    }
}

TEST_F(PaintPlanTest, ARichTextDrawsEachRunInItsOwnColour) {
    // "WWWWWWWW" in the cell's red, its second half a run in blue.
    CGridStyle red;
    red.textColor = 0xFF0000;
    CGridTextRun blue;
    blue.firstChar = 4;
    blue.font = CGridFont();
    blue.font->height = 12;
    blue.textColor = 0x0000FF;
    const std::uint32_t runs = m_store.AddTextRuns({blue});
    m_store.SetTextAndStyle(1, 1, u"WWWWWWWW", &red, EGridValue::Text, runs);
    m_store.SetColumnWidth(1, 200);
    const CGridPaintPlanResult plan = Make();
    const CGridPaintText* text = TextOf(plan, 1, 1);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->formats.size(), 2);

    QImage image(300, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CGridCellPainter::DrawPlan(painter, plan);
    }
    // The columns holding each colour's pixels, as a range.
    int redFirst = image.width();
    int redLast = -1;
    int blueFirst = image.width();
    int blueLast = -1;
    const QRect cell = RectOf(1, 1);
    for (int x = cell.left(); x < cell.right(); ++x) {
        for (int y = cell.top(); y < cell.bottom(); ++y) {
            const QColor pixel = image.pixelColor(x, y);
            const bool dim = pixel.green() < 100;
            if (dim && pixel.red() > 150 && pixel.blue() < 100) {
                redFirst = std::min(redFirst, x);
                redLast = std::max(redLast, x);
            }
            if (dim && pixel.blue() > 150 && pixel.red() < 100) {
                blueFirst = std::min(blueFirst, x);
                blueLast = std::max(blueLast, x);
            }
        }
    }
    ASSERT_GE(redLast, 0);
    ASSERT_GE(blueLast, 0);
    EXPECT_LT(redLast, blueFirst);
    // Four letters of each, side by side from the cell's left margin.
    EXPECT_LE(redFirst, cell.left() + CGridPaintPlan::kMargin + 2);
    EXPECT_GT(blueLast - blueFirst, 4 * (redLast - redFirst) / 5);
}

TEST_F(PaintPlanTest, DiagonalsCrossTheirCellAndTurnedTextsKeepTheirRuns) {
    // B2: a red medium diagonal down. D2:E3 merged: D2's blue diagonal up
    // across the whole range (E3's own diagonal down is not drawn).
    CGridBorders redDown;
    redDown.diagonal = {0xFF0000, EGridLine::Medium, true, false};
    m_store.SetBorders(2, 2, redDown);
    CGridBorders blueUp;
    blueUp.diagonal = {0x0000FF, EGridLine::Thin, false, true};
    m_store.SetBorders(2, 4, blueUp);
    m_store.SetBorders(3, 5, redDown);
    m_store.SetMergedRanges({{2, 4, 3, 5}});
    // B6 turned 90 degrees and D6 stacked: "WWWW", its second half a blue run.
    CGridTextRun blueRun;
    blueRun.firstChar = 2;
    blueRun.font = CGridFont();
    blueRun.font->height = 12;
    blueRun.textColor = 0x0000FF;
    const std::uint32_t runs = m_store.AddTextRuns({blueRun});
    for (const int column : {2, 4}) {
        CGridStyle style;
        style.alignment = CGridAlignment();
        style.alignment->rotation = column == 2 ? 90 : 255;
        m_store.SetTextAndStyle(6, column, u"WWWW", &style, EGridValue::Text, runs);
    }
    m_store.SetRowHeight(6, 80);
    const CGridPaintPlanResult plan = Make();

    QImage image(500, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CGridCellPainter::DrawPlan(painter, plan);
    }
    // Whether a pixel of area is mostly red or mostly blue.
    const auto shows = [&](const QRect& area, bool red) {
        for (int x = area.left(); x <= area.right(); ++x) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                const QColor pixel = image.pixelColor(x, y);
                const int strong = red ? pixel.red() : pixel.blue();
                const int weak = red ? pixel.blue() : pixel.red();
                if (strong > 150 && weak < 100 && pixel.green() < 100) return true;
            }
        }
        return false;
    };
    const auto corners = [](const QRect& rect) {
        constexpr int kSize = 4;
        return std::array<QRect, 4>{
            QRect(rect.left(), rect.top(), kSize, kSize),
            QRect(rect.right() - kSize, rect.top(), kSize, kSize),
            QRect(rect.left(), rect.bottom() - kSize, kSize, kSize),
            QRect(rect.right() - kSize, rect.bottom() - kSize, kSize, kSize)};
    };
    const struct {
        const char* what;
        QRect area;
        bool red;
        bool shown;
    } cases[] = {
        {"down: top-left", corners(RectOf(2, 2))[0], true, true},
        {"down: top-right", corners(RectOf(2, 2))[1], true, false},
        {"down: bottom-left", corners(RectOf(2, 2))[2], true, false},
        {"down: bottom-right", corners(RectOf(2, 2))[3], true, true},
        {"merged up: top-left", corners(RectOf(2, 4).united(RectOf(3, 5)))[0], false, false},
        {"merged up: top-right", corners(RectOf(2, 4).united(RectOf(3, 5)))[1], false, true},
        {"merged up: bottom-left", corners(RectOf(2, 4).united(RectOf(3, 5)))[2], false, true},
        {"merged up: bottom-right", corners(RectOf(2, 4).united(RectOf(3, 5)))[3], false, false},
        {"merged: no other cell's diagonal", RectOf(2, 4).united(RectOf(3, 5)), true, false},
        {"turned: the blue run", RectOf(6, 2), false, true},
        {"stacked: the blue run", RectOf(6, 4), false, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(shows(test.area, test.red), test.shown);
    }
    // The diagonals stay inside their cells: none reaches the cells beside B2.
    EXPECT_FALSE(shows(RectOf(2, 1), true));
    EXPECT_FALSE(shows(RectOf(2, 3), true));
}

TEST_F(PaintPlanTest, BorderLinesLieOnTheGridLinesOfTheEdgesThatShowThem) {
    const auto side = [](EGridLine style) { return CGridBorderLine{0x000000, style}; };
    // Styles of the left, right, top and bottom sides.
    constexpr EGridLine kNone = EGridLine::None;
    const auto set = [&](int row, int column, EGridLine left, EGridLine right, EGridLine top,
                         EGridLine bottom) {
        m_store.SetBorders(row, column, {side(left), side(right), side(top), side(bottom)});
    };
    set(2, 2, kNone, EGridLine::Thin, kNone, kNone);
    // A merged range B4:C5: its outer sides come from its edge cells, its
    // inner sides (B4's right and bottom, B5's right) never show.
    m_store.SetMergedRanges({{4, 2, 5, 3}});
    set(4, 2, EGridLine::Thin, EGridLine::Thin, EGridLine::Thin, EGridLine::Thin);
    set(4, 3, kNone, kNone, EGridLine::Medium, kNone);
    set(5, 2, kNone, EGridLine::Double, kNone, kNone);
    set(5, 3, kNone, EGridLine::Thick, kNone, kNone);
    // A hidden column's cell shows no line.
    m_store.SetColumnHidden(6);
    set(2, 6, EGridLine::Thin, kNone, kNone, kNone);
    // Column A's left line would lie on the header's edge: it moves inside.
    set(1, 1, EGridLine::Medium, kNone, kNone, kNone);
    // Past the block's right and bottom edges (column 10, row 20).
    set(3, 11, EGridLine::Dashed, kNone, kNone, kNone);
    set(21, 4, kNone, kNone, EGridLine::Dotted, kNone);
    // One edge defined from both sides: the heavier line comes last.
    set(8, 2, kNone, kNone, kNone, EGridLine::Thick);
    set(9, 2, kNone, kNone, EGridLine::Hair, kNone);
    const CGridPaintPlanResult plan = Make();

    const auto vertical = [&](int row, int x, EGridLine style) {
        const QRect cell = RectOf(row, 1);
        return CGridPaintBorder{{x, cell.top() - 1}, {x, cell.bottom()}, side(style)};
    };
    const auto horizontal = [&](int column, int y, EGridLine style) {
        const QRect cell = RectOf(1, column);
        return CGridPaintBorder{{cell.left() - 1, y}, {cell.right(), y}, side(style)};
    };
    const std::vector<CGridPaintBorder> expected = {
        vertical(2, RectOf(2, 2).right(), EGridLine::Thin),
        vertical(1, RectOf(1, 1).left(), EGridLine::Medium),
        horizontal(2, RectOf(4, 2).top() - 1, EGridLine::Thin),
        horizontal(3, RectOf(4, 3).top() - 1, EGridLine::Medium),
        vertical(4, RectOf(4, 2).left() - 1, EGridLine::Thin),
        vertical(5, RectOf(5, 3).right(), EGridLine::Thick),
        vertical(3, RectOf(3, 10).right(), EGridLine::Dashed),
        horizontal(4, RectOf(20, 4).bottom(), EGridLine::Dotted),
        horizontal(2, RectOf(8, 2).bottom(), EGridLine::Thick),
        horizontal(2, RectOf(9, 2).top() - 1, EGridLine::Hair),
    };
    const auto same = [](const CGridPaintBorder& a, const CGridPaintBorder& b) {
        return a.from == b.from && a.to == b.to && a.line == b.line;
    };
    EXPECT_EQ(plan.borders.size(), expected.size());
    for (const CGridPaintBorder& line : expected) {
        EXPECT_TRUE(std::any_of(plan.borders.begin(), plan.borders.end(),
                                [&](const CGridPaintBorder& got) { return same(got, line); }))
            << "missing line from " << line.from.x() << "," << line.from.y() << " to "
            << line.to.x() << "," << line.to.y();
    }
    const auto at = [&](EGridLine style) {
        return std::find_if(plan.borders.begin(), plan.borders.end(),
                            [&](const CGridPaintBorder& got) { return got.line.style == style; });
    };
    EXPECT_LT(at(EGridLine::Hair), at(EGridLine::Thick));
}
