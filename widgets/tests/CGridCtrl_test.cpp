#include "widgets/CGridCtrl.h"

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <memory>
#include <thread>

#include "containers/CSheetGridStore.h"
#include "widgets/CGridCellPainter.h"

namespace {

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_grid = std::make_unique<CGridCtrl>();
        m_grid->resize(400, 300);
        m_grid->SetStore(&m_store);
        m_grid->show();
    }

    void TearDown() override { m_grid.reset(); }

    std::optional<QString> TextAt(int row, int column) const {
        const auto cell = m_store.GetCell(row, column);
        if (!cell) return std::nullopt;
        return QString::fromStdU16String(cell->text);
    }

    QColor PixelAt(const QImage& image, const QPoint& viewportPoint) const {
        const qreal ratio = image.devicePixelRatio();
        const QPoint at = m_grid->viewport()->mapTo(m_grid.get(), viewportPoint);
        return image.pixelColor(
            QPoint(static_cast<int>(at.x() * ratio), static_cast<int>(at.y() * ratio)));
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_grid.get(), key, modifiers);
    }

    void Drop(const QPoint& at, const QString& text) {
        QMimeData mime;
        mime.setText(text);
        // The events a real drag sends, in their order.
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_grid->viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_grid->viewport(), &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_grid->viewport(), &drop);
        m_dropAccepted = drop.isAccepted();
    }

    CSheetGridStore m_store;
    std::unique_ptr<CGridCtrl> m_grid;
    bool m_dropAccepted = false;
};

const QString kLongText = QStringLiteral("A text far too long to fit into one column");

}  // namespace

// --- header texts ---------------------------------------------------------

TEST(CGridCtrlHeaders, ColumnLettersRunFromAToTwoLetters) {
    EXPECT_EQ(CGridCtrl::ColumnHeaderText(0), "");
    EXPECT_EQ(CGridCtrl::ColumnHeaderText(1), "A");
    EXPECT_EQ(CGridCtrl::ColumnHeaderText(26), "Z");
    EXPECT_EQ(CGridCtrl::ColumnHeaderText(27), "AA");
    EXPECT_EQ(CGridCtrl::ColumnHeaderText(52), "AZ");
    EXPECT_EQ(CGridCtrl::ColumnHeaderText(53), "BA");
    EXPECT_EQ(CGridCtrl::ColumnHeaderText(249), "IO");
    EXPECT_EQ(CGridCtrl::ColumnHeaderText(-3), "");
}

// --- layout and painting ----------------------------------------------------

TEST_F(GridTest, CellsStartAfterTheFixedHeaderColumnAndRow) {
    const QRect first = m_grid->CellRect(1, 1);
    EXPECT_EQ(first, QRect(CGridCtrl::kHeaderColumnWidth, CGridCtrl::kDefaultRowHeight,
                           CGridCtrl::kDefaultColumnWidth, CGridCtrl::kDefaultRowHeight));
    EXPECT_TRUE(m_grid->CellRect(0, 1).isEmpty());
    EXPECT_TRUE(m_grid->CellRect(m_store.GetRowCount(), 1).isEmpty());
    int row = 0;
    int column = 0;
    EXPECT_FALSE(m_grid->CellAt(QPoint(10, 40), row, column));  // header column
    EXPECT_FALSE(m_grid->CellAt(QPoint(100, 5), row, column));  // header row
}

TEST_F(GridTest, StoredSizesMoveTheFollowingCellsOnceTheRevisionChanges) {
    m_store.SetColumnWidth(2, 100);
    m_store.SetRowHeight(3, 40);
    m_grid->RefreshFromStore();
    EXPECT_EQ(m_grid->CellRect(3, 2).size(), QSize(100, 40));
    EXPECT_EQ(m_grid->CellRect(1, 3).x(), CGridCtrl::kHeaderColumnWidth + 64 + 100);
    EXPECT_EQ(m_grid->CellRect(4, 1).y(), CGridCtrl::kDefaultRowHeight + 17 + 17 + 40);
}

TEST_F(GridTest, HiddenRowsAndColumnsTakeNoRoomAndASheetMayHideItsGridLines) {
    m_store.SetRowHidden(2);
    m_store.SetRowHidden(3);
    m_store.SetColumnHidden(2);
    m_grid->RefreshFromStore();
    const int top = CGridCtrl::kDefaultRowHeight;
    EXPECT_EQ(m_grid->CellRect(4, 1).y(), top + CGridCtrl::kDefaultRowHeight);
    EXPECT_EQ(m_grid->CellRect(1, 3).x(),
              CGridCtrl::kHeaderColumnWidth + CGridCtrl::kDefaultColumnWidth);
    int row = 0;
    int column = 0;
    ASSERT_TRUE(m_grid->CellAt(QPoint(CGridCtrl::kHeaderColumnWidth + 70, top + 20), row, column));
    EXPECT_EQ(row, 4);
    EXPECT_EQ(column, 3);

    Press(Qt::Key_Down);
    Press(Qt::Key_Right);
    EXPECT_EQ(m_grid->GetCurrentRow(), 4);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 3);
    Press(Qt::Key_Up);
    Press(Qt::Key_Left);
    EXPECT_EQ(m_grid->GetCurrentRow(), 1);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 1);
    m_store.SetRowHidden(1);
    m_grid->RefreshFromStore();
    Press(Qt::Key_Up);  // nothing above but hidden rows: it stays
    EXPECT_EQ(m_grid->GetCurrentRow(), 1);
    Press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(m_grid->GetCurrentRow(), 4);

    const QRect cell = m_grid->CellRect(5, 4);
    const QPoint rightLine(cell.right(), cell.center().y());
    const QPoint bottomLine(cell.center().x(), cell.bottom());
    QImage image = m_grid->grab().toImage();
    EXPECT_EQ(PixelAt(image, rightLine), CGridCellPainter::GridLineColor());
    EXPECT_EQ(PixelAt(image, bottomLine), CGridCellPainter::GridLineColor());
    CGridSheetLayout layout;
    layout.gridlines = false;
    m_store.SetLayout(layout);
    m_grid->RefreshFromStore();
    image = m_grid->grab().toImage();
    EXPECT_EQ(PixelAt(image, rightLine), QColor(Qt::white));
    EXPECT_EQ(PixelAt(image, bottomLine), QColor(Qt::white));
}

TEST_F(GridTest, FrozenRowsAndColumnsStayInPlaceWhileTheRestScrolls) {
    CGridSheetLayout layout;
    layout.frozenRows = 1;
    layout.frozenColumns = 1;
    m_store.SetLayout(layout);
    m_store.SetBackground(1, 1, 0xff0000);
    m_store.SetBackground(1, 3, 0x00ff00);
    m_store.SetBackground(5, 1, 0x0000ff);
    m_grid->RefreshFromStore();
    m_grid->verticalScrollBar()->setValue(3 * CGridCtrl::kDefaultRowHeight);
    m_grid->horizontalScrollBar()->setValue(CGridCtrl::kDefaultColumnWidth);

    const int top = CGridCtrl::kDefaultRowHeight;
    const int left = CGridCtrl::kHeaderColumnWidth;
    EXPECT_EQ(m_grid->CellRect(1, 1).topLeft(), QPoint(left, top));
    // Row 2 (three rows scrolled) and column 2 (one) lie under the frozen ones.
    EXPECT_EQ(m_grid->CellRect(5, 1).y(), top + CGridCtrl::kDefaultRowHeight);
    EXPECT_EQ(m_grid->CellRect(1, 3).x(), left + CGridCtrl::kDefaultColumnWidth);
    const QImage image = m_grid->grab().toImage();
    EXPECT_EQ(PixelAt(image, m_grid->CellRect(1, 1).center()), QColor(Qt::red));
    EXPECT_EQ(PixelAt(image, m_grid->CellRect(1, 3).center()), QColor(Qt::green));
    EXPECT_EQ(PixelAt(image, m_grid->CellRect(5, 1).center()), QColor(Qt::blue));

    int row = 0;
    int column = 0;
    ASSERT_TRUE(m_grid->CellAt(m_grid->CellRect(5, 3).center(), row, column));
    EXPECT_EQ(row, 5);
    EXPECT_EQ(column, 3);
    ASSERT_TRUE(m_grid->CellAt(QPoint(left + 5, top + 5), row, column));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 1);
    // Moving up to row 2 scrolls it back out from under the frozen row.
    m_grid->SetCurrentCell(2, 2);
    EXPECT_EQ(m_grid->CellRect(2, 2).topLeft(),
              QPoint(left + CGridCtrl::kDefaultColumnWidth, top + CGridCtrl::kDefaultRowHeight));
}

TEST_F(GridTest, PaintsBackgroundAndTextColourOfACell) {
    m_store.SetBackground(2, 2, 0xff0000);
    m_store.SetText(3, 1, u"WWWWWW");
    m_store.SetTextColor(3, 1, 0x0000ff);
    m_store.Invalidate();
    m_grid->RefreshFromStore();
    const QImage image = m_grid->grab().toImage();

    EXPECT_EQ(PixelAt(image, m_grid->CellRect(2, 2).center()), QColor(Qt::red));
    EXPECT_EQ(PixelAt(image, m_grid->CellRect(2, 3).center()), QColor(Qt::white));

    const QRect textCell = m_grid->CellRect(3, 1);
    int bluePixels = 0;
    for (int x = textCell.left(); x < textCell.right(); ++x) {
        for (int y = textCell.top(); y < textCell.bottom(); ++y) {
            const QColor pixel = PixelAt(image, QPoint(x, y));
            if (pixel.blue() > 150 && pixel.red() < 100 && pixel.green() < 100) ++bluePixels;
        }
    }
    EXPECT_GT(bluePixels, 5);
}

TEST_F(GridTest, AFillPatternDrawsThePatternColourOverTheBackgroundColour) {
    CGridStyle grey;  // XF fill pattern 2, 50 % grey
    grey.background = 0xff0000;
    grey.patternBackground = 0x0000ff;
    grey.fillPattern = 2;
    m_store.ApplyStyle(2, 2, grey);
    m_grid->RefreshFromStore();
    const QImage image = m_grid->grab().toImage();
    const QRect cell = m_grid->CellRect(2, 2).adjusted(2, 2, -2, -2);
    int red = 0;
    int blue = 0;
    for (int x = cell.left(); x < cell.right(); ++x) {
        for (int y = cell.top(); y < cell.bottom(); ++y) {
            const QColor pixel = PixelAt(image, QPoint(x, y));
            red += pixel == QColor(Qt::red);
            blue += pixel == QColor(Qt::blue);
        }
    }
    EXPECT_GT(red, cell.width() * cell.height() / 3);
    EXPECT_GT(blue, cell.width() * cell.height() / 3);
}

TEST_F(GridTest, SuperscriptsSitHighAndSubscriptsLowInTheirCells) {
    CGridFont raised;
    raised.height = 24;
    raised.escapement = 1;
    CGridFont lowered = raised;
    lowered.escapement = 2;
    m_store.SetRowHeight(2, 80);
    m_store.SetText(2, 1, u"WWW");
    m_store.SetFont(2, 1, raised);
    m_store.SetText(2, 2, u"WWW");
    m_store.SetFont(2, 2, lowered);
    m_grid->RefreshFromStore();
    const QImage image = m_grid->grab().toImage();
    // The rows of a cell that hold dark text pixels, as a range.
    const auto inkRows = [&](int column) {
        const QRect cell = m_grid->CellRect(2, column);
        int first = -1;
        int last = -1;
        for (int y = cell.top() + 1; y < cell.bottom() - 1; ++y) {
            for (int x = cell.left() + 1; x < cell.right() - 1; ++x) {
                if (PixelAt(image, QPoint(x, y)).lightness() < 100) {
                    if (first < 0) first = y - cell.top();
                    last = y - cell.top();
                }
            }
        }
        return std::make_pair(first, last);
    };
    const auto [raisedTop, raisedBottom] = inkRows(1);
    const auto [loweredTop, loweredBottom] = inkRows(2);
    ASSERT_GE(raisedTop, 0);
    ASSERT_GE(loweredTop, 0);
    EXPECT_LT(raisedBottom, 40);
    EXPECT_GT(loweredTop, 40);
    EXPECT_LE(raisedBottom - raisedTop, 20);  // two thirds of 24 pixels at most
}

TEST_F(GridTest, AMediumBottomBorderShowsOnTheBottomEdgeAlone) {
    CGridBorders borders;
    borders.bottom.style = EGridLine::Medium;
    borders.bottom.color = 0xff0000;
    m_store.SetBorders(3, 2, borders);
    // The neighbour below fills after the cell; the border still shows.
    m_store.SetBackground(4, 2, 0x0000ff);
    m_store.Invalidate();
    m_grid->RefreshFromStore();
    const QImage image = m_grid->grab().toImage();
    const QRect cell = m_grid->CellRect(3, 2);
    const auto redAlong = [&](QPoint from, QPoint step, int count) {
        int red = 0;
        for (int i = 0; i < count; ++i)
            red += PixelAt(image, from + i * step) == QColor(Qt::red) ? 1 : 0;
        return red;
    };
    const int across = cell.width() - 4;
    const int down = cell.height() - 4;
    // Medium is two pixels: the grid line and the one beyond it.
    EXPECT_EQ(redAlong({cell.left() + 2, cell.bottom()}, {1, 0}, across), across);
    EXPECT_EQ(redAlong({cell.left() + 2, cell.bottom() + 1}, {1, 0}, across), across);
    EXPECT_EQ(redAlong({cell.left() + 2, cell.top() - 1}, {1, 0}, across), 0);
    EXPECT_EQ(redAlong({cell.left() + 2, cell.top()}, {1, 0}, across), 0);
    EXPECT_EQ(redAlong({cell.left() - 1, cell.top() + 2}, {0, 1}, down), 0);
    EXPECT_EQ(redAlong({cell.left(), cell.top() + 2}, {0, 1}, down), 0);
    EXPECT_EQ(redAlong({cell.right(), cell.top() + 2}, {0, 1}, down), 0);
    EXPECT_EQ(redAlong({cell.right() - 1, cell.top() + 2}, {0, 1}, down), 0);
}

TEST_F(GridTest, ScrolledCellsNeverPaintOverTheHeaders) {
    m_store.SetBackground(1, 1, 0xff0000);
    m_store.Invalidate();
    m_grid->RefreshFromStore();
    m_grid->verticalScrollBar()->setValue(8);
    m_grid->horizontalScrollBar()->setValue(20);
    const QImage image = m_grid->grab().toImage();
    const QRect cell = m_grid->CellRect(1, 1);
    ASSERT_LT(cell.top(), CGridCtrl::kDefaultRowHeight);
    // The part of A1 that slid under the header row and column stays header.
    EXPECT_NE(PixelAt(image, QPoint(cell.center().x(), cell.top() + 2)), QColor(Qt::red));
    EXPECT_NE(PixelAt(image, QPoint(cell.left() + 2, cell.bottom() - 2)), QColor(Qt::red));
    EXPECT_EQ(PixelAt(image, QPoint(cell.right() - 3, cell.bottom() - 3)), QColor(Qt::red));
}

TEST_F(GridTest, ScrollingMovesCellsByPixelsNotWholeRows) {
    m_grid->verticalScrollBar()->setValue(5);
    EXPECT_EQ(m_grid->CellRect(1, 1).y(), CGridCtrl::kDefaultRowHeight - 5);
    int row = 0;
    int column = 0;
    ASSERT_TRUE(m_grid->CellAt(QPoint(50, CGridCtrl::kDefaultRowHeight + 13), row, column));
    EXPECT_EQ(row, 2);
}

TEST_F(GridTest, TheLastOfSixtyFiveThousandRowsCanBeReached) {
    ASSERT_TRUE(m_store.EnsureCell(CSheetGridStore::kRowLimit, 3));
    ASSERT_EQ(m_store.GetRowCount(), CSheetGridStore::kRowLimit + 1);
    m_store.SetText(CSheetGridStore::kRowLimit, 1, u"last");
    m_store.Invalidate();

    m_grid->SetCurrentCell(CSheetGridStore::kRowLimit, 1);
    const QRect last = m_grid->CellRect(CSheetGridStore::kRowLimit, 1);
    EXPECT_TRUE(m_grid->viewport()->rect().contains(last)) << last.y();
    int row = 0;
    int column = 0;
    ASSERT_TRUE(m_grid->CellAt(last.center(), row, column));
    EXPECT_EQ(row, CSheetGridStore::kRowLimit);
    EXPECT_EQ(m_grid->verticalScrollBar()->value(), m_grid->verticalScrollBar()->maximum());

    Press(Qt::Key_Home, Qt::ControlModifier);
    Press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(m_grid->GetCurrentRow(), CSheetGridStore::kRowLimit);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 1);
}

TEST_F(GridTest, AWriterThreadMayFillTheStoreWhileTheGridPaints) {
    std::atomic<bool> done{false};
    std::thread writer([this, &done] {
        for (int row = 1; row < 100; ++row) {
            for (int column = 1; column < 27; ++column) {
                m_store.SetText(row, column, u"x");
                m_store.SetBackground(row, column, 0x00ff00);
            }
            m_store.SetRowHeight(row, 18);
            m_store.Invalidate();
        }
        done = true;
    });
    while (!done) {
        m_grid->RefreshFromStore();
        m_grid->grab();
    }
    writer.join();
    m_grid->RefreshFromStore();
    const QImage image = m_grid->grab().toImage();
    EXPECT_EQ(m_grid->CellRect(2, 1).height(), 18);
    EXPECT_EQ(PixelAt(image, m_grid->CellRect(2, 3).topLeft() + QPoint(1, 1)), QColor(Qt::green));
}

// --- current cell -----------------------------------------------------------

TEST_F(GridTest, CurrentCellChangesAreSignalledOnce) {
    QSignalSpy spy(m_grid.get(), &CGridCtrl::CurrentCellChanged);
    m_grid->SetCurrentCell(3, 4);
    m_grid->SetCurrentCell(3, 4);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 3);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 4);
    m_grid->SetCurrentCell(0, 2);  // the header row is not a cell
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(GridTest, CurrentCellStaysInsideTheGrid) {
    m_grid->SetCurrentCell(100000, 100000);
    EXPECT_EQ(m_grid->GetCurrentRow(), m_store.GetRowCount() - 1);
    EXPECT_EQ(m_grid->GetCurrentColumn(), m_store.GetColumnCount() - 1);
    m_grid->SetCurrentCell(1, 1);
    Press(Qt::Key_Up);
    Press(Qt::Key_Left);
    EXPECT_EQ(m_grid->GetCurrentRow(), 1);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 1);
}

TEST_F(GridTest, KeysMoveTheCurrentCell) {
    m_grid->SetCurrentCell(3, 3);
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    EXPECT_EQ(m_grid->GetCurrentRow(), 4);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 4);
    Press(Qt::Key_Home);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 1);
    EXPECT_EQ(m_grid->GetCurrentRow(), 4);
    Press(Qt::Key_End);
    EXPECT_EQ(m_grid->GetCurrentColumn(), m_store.GetColumnCount() - 1);
    Press(Qt::Key_PageDown);
    EXPECT_GT(m_grid->GetCurrentRow(), 10);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(m_grid->GetCurrentRow(), 4);
    Press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(m_grid->GetCurrentRow(), 1);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 1);
}

TEST_F(GridTest, AClickMakesTheCellUnderTheMouseCurrent) {
    QSignalSpy spy(m_grid.get(), &CGridCtrl::CurrentCellChanged);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, m_grid->CellRect(5, 2).center());
    EXPECT_EQ(m_grid->GetCurrentRow(), 5);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 2);
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(GridTest, MovingTheCurrentCellOutOfViewScrollsIt) {
    m_grid->SetCurrentCell(60, 20);
    EXPECT_TRUE(m_grid->viewport()->rect().contains(m_grid->CellRect(60, 20)));
    m_grid->SetCurrentCell(1, 1);
    EXPECT_EQ(m_grid->verticalScrollBar()->value(), 0);
    EXPECT_EQ(m_grid->horizontalScrollBar()->value(), 0);
}

// --- editing ----------------------------------------------------------------

TEST_F(GridTest, EnterCommitsTheEditedTextToTheStore) {
    m_store.SetText(2, 2, u"old");
    m_grid->SetCurrentCell(2, 2);
    QSignalSpy edited(m_grid.get(), &CGridCtrl::CellEdited);
    Press(Qt::Key_F2);
    ASSERT_TRUE(m_grid->IsEditing());
    EXPECT_EQ(m_grid->GetEditor()->text(), "old");
    m_grid->GetEditor()->setText("new");
    QTest::keyClick(m_grid->GetEditor(), Qt::Key_Return);
    EXPECT_FALSE(m_grid->IsEditing());
    EXPECT_EQ(TextAt(2, 2), "new");
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(2).toString(), "new");
}

TEST_F(GridTest, EscapeLeavesTheCellAsItWas) {
    m_store.SetText(2, 2, u"kept");
    m_grid->SetCurrentCell(2, 2);
    QSignalSpy edited(m_grid.get(), &CGridCtrl::CellEdited);
    ASSERT_TRUE(m_grid->BeginEdit());
    m_grid->GetEditor()->setText("dropped");
    QTest::keyClick(m_grid->GetEditor(), Qt::Key_Escape);
    EXPECT_FALSE(m_grid->IsEditing());
    EXPECT_EQ(TextAt(2, 2), "kept");
    EXPECT_EQ(edited.count(), 0);
}

TEST_F(GridTest, TypingStartsAnEditThatReplacesTheText) {
    m_store.SetText(1, 1, u"before");
    Press(Qt::Key_Q);
    ASSERT_TRUE(m_grid->IsEditing());
    EXPECT_EQ(m_grid->GetEditor()->text(), "q");
    QTest::keyClicks(m_grid->GetEditor(), "rs");
    QTest::keyClick(m_grid->GetEditor(), Qt::Key_Enter);
    EXPECT_EQ(TextAt(1, 1), "qrs");
}

TEST_F(GridTest, DoubleClickEditsTheCellUnderTheMouse) {
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, m_grid->CellRect(4, 3).center());
    ASSERT_TRUE(m_grid->IsEditing());
    EXPECT_EQ(m_grid->GetCurrentRow(), 4);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 3);
}

TEST_F(GridTest, MovingAwayWhileEditingCommitsFirst) {
    m_grid->SetCurrentCell(2, 2);
    ASSERT_TRUE(m_grid->BeginEdit());
    m_grid->GetEditor()->setText("typed");
    m_grid->SetCurrentCell(5, 5);
    EXPECT_FALSE(m_grid->IsEditing());
    EXPECT_EQ(TextAt(2, 2), "typed");
}

TEST_F(GridTest, AReadOnlyGridStartsNoEdit) {
    m_grid->SetEditable(false);
    Press(Qt::Key_F2);
    Press(Qt::Key_A);
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, m_grid->CellRect(2, 2).center());
    EXPECT_FALSE(m_grid->IsEditing());
    Press(Qt::Key_Delete);
    m_store.SetText(3, 3, u"stays");
    m_grid->SetCurrentCell(3, 3);
    Press(Qt::Key_Delete);
    EXPECT_EQ(TextAt(3, 3), "stays");
}

TEST_F(GridTest, SwitchingToReadOnlyDropsARunningEdit) {
    m_store.SetText(1, 1, u"kept");
    ASSERT_TRUE(m_grid->BeginEdit());
    m_grid->GetEditor()->setText("lost");
    m_grid->SetEditable(false);
    EXPECT_FALSE(m_grid->IsEditing());
    EXPECT_EQ(TextAt(1, 1), "kept");
}

// --- title tips -------------------------------------------------------------

TEST_F(GridTest, TitleTipShowsOnlyTextsCutOffByTheirCell) {
    m_store.SetText(1, 1, kLongText.toStdU16String());
    m_store.SetText(2, 1, u"ab");
    m_store.SetText(3, 2, kLongText.toStdU16String());
    m_store.SetColumnWidth(2, 2000);
    m_grid->RefreshFromStore();
    EXPECT_EQ(m_grid->TitleTipAt(m_grid->CellRect(1, 1).center()), kLongText);
    EXPECT_EQ(m_grid->TitleTipAt(m_grid->CellRect(2, 1).center()), "");
    EXPECT_EQ(m_grid->TitleTipAt(m_grid->CellRect(3, 2).center()), "");
    EXPECT_EQ(m_grid->TitleTipAt(m_grid->CellRect(4, 1).center()), "");
}

TEST_F(GridTest, TitleTipMeasuresWithTheCellsOwnFont) {
    m_store.SetText(1, 1, u"MMMM");
    ASSERT_EQ(m_grid->TitleTipAt(m_grid->CellRect(1, 1).center()), "");
    CGridFont big;
    big.height = 60;
    big.weight = 700;
    m_store.SetFont(1, 1, big);
    EXPECT_EQ(m_grid->TitleTipAt(m_grid->CellRect(1, 1).center()), "MMMM");
}

TEST_F(GridTest, ToolTipEventIsTakenOnlyOverACutOffText) {
    m_store.SetText(1, 1, kLongText.toStdU16String());
    m_store.SetText(2, 1, u"ab");
    const auto ask = [this](int row) {
        const QPoint at = m_grid->CellRect(row, 1).center();
        QHelpEvent help(QEvent::ToolTip, at, m_grid->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(m_grid->viewport(), &help);
        return help.isAccepted();
    };
    EXPECT_TRUE(ask(1));
    EXPECT_FALSE(ask(2));
}

// --- drag and drop ----------------------------------------------------------

TEST_F(GridTest, DroppedTextLandsInTheCellUnderTheDrop) {
    QSignalSpy edited(m_grid.get(), &CGridCtrl::CellEdited);
    Drop(m_grid->CellRect(4, 3).center(), "dropped");
    EXPECT_TRUE(m_dropAccepted);
    EXPECT_EQ(TextAt(4, 3), "dropped");
    EXPECT_EQ(m_grid->GetCurrentRow(), 4);
    EXPECT_EQ(m_grid->GetCurrentColumn(), 3);
    EXPECT_EQ(edited.count(), 1);
}

TEST_F(GridTest, DropsOnTheHeadersOrOnAReadOnlyGridChangeNothing) {
    Drop(QPoint(10, 40), "header");
    m_grid->SetEditable(false);
    Drop(m_grid->CellRect(4, 3).center(), "refused");
    EXPECT_FALSE(m_dropAccepted);
    EXPECT_FALSE(TextAt(4, 3).has_value());
    EXPECT_FALSE(m_grid->DropText(4, 3, "refused"));
    EXPECT_FALSE(TextAt(4, 3).has_value());
}

TEST(CGridCtrlStore, WithoutAStoreNothingIsEditedOrDropped) {
    CGridCtrl grid;
    grid.resize(300, 200);
    grid.show();
    EXPECT_FALSE(grid.BeginEdit());
    EXPECT_FALSE(grid.DropText(1, 1, "x"));
    EXPECT_TRUE(grid.CellRect(1, 1).isEmpty());
    grid.grab();
}
