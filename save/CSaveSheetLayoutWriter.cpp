#include "save/CSaveSheetLayoutWriter.h"

#include <algorithm>

#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordROW.h"
#include "records/CExcelSheetLayout.h"
#include "save/CSaveXfFormat.h"
#include "save/CXLEzAutomation.h"

namespace {

// Arial 10, the default font: digits are 7 pixels wide and a cell adds 5
// pixels of padding; below one character the padding shrinks with the
// width (w characters are w * 12 pixels). The server turns ColumnWidth back
// into units the same way.
constexpr double kDigitPixels = 7.0;
constexpr double kPaddingPixels = 5.0;
constexpr double kNarrowPixels = kDigitPixels + kPaddingPixels;
constexpr double kMaxColumnWidth = 255.0;
constexpr double kTwipsPerPoint = 20.0;
// The standard height the object model takes; a row of its own may be taller.
constexpr double kMaxStandardHeight = 409.5;
constexpr std::int32_t kRows = 65536;
constexpr std::int32_t kColumns = 256;
constexpr std::uint8_t kTopLeftPane = 3;
constexpr std::int16_t kFirstPaletteColor = 1;
constexpr std::int16_t kLastPaletteColor = 56;

// A BIFF colour index as a palette ColorIndex (1-56), else automatic.
std::int16_t PaletteColor(std::uint32_t biffIndex) {
    const std::int16_t colorIndex = CSaveXfFormat::ColorIndex(biffIndex);
    return colorIndex >= kFirstPaletteColor && colorIndex <= kLastPaletteColor
               ? colorIndex
               : CXLCellFormat::kAutomatic;
}

// The height a ROW asks for: its twips when it marks a custom height, else
// none (-1); and whether it hides the row.
struct RowSettings {
    double height;
    bool hidden;
    bool operator==(const RowSettings&) const = default;
};

}  // namespace

CSaveSheetLayoutWriter::CSaveSheetLayoutWriter(CXLEzAutomation& automation,
                                               const CExcelWorkSheet& worksheet)
    : m_automation(automation), m_worksheet(worksheet) {}

double CSaveSheetLayoutWriter::ColumnWidthFromUnits(std::uint16_t units) {
    const double pixels = units * kDigitPixels / 256.0;
    const double characters =
        pixels < kNarrowPixels ? pixels / kNarrowPixels : (pixels - kPaddingPixels) / kDigitPixels;
    return std::min(characters, kMaxColumnWidth);
}

double CSaveSheetLayoutWriter::RowHeightFromTwips(std::uint16_t twips) {
    return twips / kTwipsPerPoint;
}

void CSaveSheetLayoutWriter::WriteStandardWidth() {
    const CExcelSheetLayout& layout = m_worksheet.GetLayout();
    // STANDARDWIDTH is the exact width; DEFCOLWIDTH only its whole
    // characters, without the padding.
    if (layout.HasStandardWidth()) {
        m_automation.SetStandardWidth(ColumnWidthFromUnits(layout.StandardWidth()));
    } else if (layout.HasDefaultColumnWidth()) {
        m_automation.SetStandardWidth(
            std::min<double>(layout.DefaultColumnWidth(), kMaxColumnWidth));
    }
}

void CSaveSheetLayoutWriter::WriteColumns(std::int32_t first, std::int32_t last,
                                          const CExcelRecordCOLINFO& record) {
    m_automation.SetColumnsLayout(first, last, ColumnWidthFromUnits(record.GetWidth()),
                                  record.IsHidden());
}

void CSaveSheetLayoutWriter::WriteStandardHeight() {
    const CExcelSheetLayout& layout = m_worksheet.GetLayout();
    if (layout.HasDefaultRowHeight()) {
        m_automation.SetStandardHeight(
            std::min(RowHeightFromTwips(layout.DefaultRowHeight()), kMaxStandardHeight));
    }
}

bool CSaveSheetLayoutWriter::WriteRows(const std::function<bool()>& next) {
    // Neighbouring rows with the same settings go in one call: a sheet of
    // tens of thousands of rows of one custom height takes a handful.
    std::int32_t runFirst = -1;
    std::int32_t runLast = -1;
    RowSettings run{-1.0, false};
    auto flush = [&] {
        if (runFirst < 0) return;
        m_automation.SetRowsLayout(runFirst + 1, runLast + 1, run.height, run.hidden);
        runFirst = -1;
    };
    for (const CExcelRecordROW& record : m_worksheet.GetRows()) {
        if (!next()) return false;
        const RowSettings settings{
            record.HasCustomHeightFlag() ? RowHeightFromTwips(record.GetHeightTwips()) : -1.0,
            record.IsHidden()};
        if (settings.height < 0.0 && !settings.hidden) continue;
        const std::int32_t row = record.GetRow();
        if (runFirst >= 0 && row == runLast + 1 && settings == run) {
            runLast = row;
            continue;
        }
        flush();
        runFirst = runLast = row;
        run = settings;
    }
    flush();
    return true;
}

CXLWindowLayout CSaveSheetLayoutWriter::WindowFrom(const CExcelSheetLayout& layout) {
    CXLWindowLayout window;
    if (layout.HasWindow()) {
        const CExcelSheetLayout::Window& w = layout.GetWindow();
        window.scrollRow = w.topRow + 1;
        // A first column past IV (damage) leaves the window at column A.
        window.scrollColumn = w.leftColumn < kColumns ? w.leftColumn + 1 : 1;
        window.gridlines = (w.flags & CExcelSheetLayout::kShowGridlines) != 0;
        window.headings = (w.flags & CExcelSheetLayout::kShowHeadings) != 0;
        window.frozen = (w.flags & CExcelSheetLayout::kFrozen) != 0;
        // The colour field counts only when the default-colour flag is clear;
        // a colour outside the palette leaves the automatic one.
        if (w.hasGridlineColor && (w.flags & CExcelSheetLayout::kDefaultGridlineColor) == 0) {
            window.gridlineColorIndex = PaletteColor(w.gridlineColor);
        }
    }
    if (layout.HasPane()) {
        const CExcelSheetLayout::Pane& pane = layout.GetPane();
        if (window.frozen) {
            // A split past the sheet's last row or column is dropped.
            if (pane.y < kRows) window.splitRow = pane.y;
            if (pane.x < kColumns) window.splitColumn = pane.x;
        } else {
            window.splitVertical = pane.y / kTwipsPerPoint;
            window.splitHorizontal = pane.x / kTwipsPerPoint;
        }
    }
    if (window.frozen && window.splitRow == 0 && window.splitColumn == 0) window.frozen = false;
    if (layout.HasZoom()) window.zoom = static_cast<std::int16_t>(layout.Zoom());
    return window;
}

void CSaveSheetLayoutWriter::WriteWindow() {
    const CExcelSheetLayout& layout = m_worksheet.GetLayout();
    if (layout.HasWindow() || layout.HasPane() || layout.HasZoom()) {
        m_automation.SetWindowLayout(WindowFrom(layout));
    }
    // The selection of the active pane, else of any pane that has one.
    const std::uint8_t active = layout.HasPane() ? layout.GetPane().active : kTopLeftPane;
    const CExcelSheetLayout::Selection* selection = layout.GetSelection(active);
    for (std::uint8_t pane = 0; selection == nullptr && pane < CExcelSheetLayout::kPanes; ++pane) {
        selection = layout.GetSelection(pane);
    }
    if (selection != nullptr && selection->firstRow <= selection->lastRow &&
        selection->firstColumn <= selection->lastColumn) {
        IDispatch* range =
            m_automation.SelectRange(selection->firstColumn + 1, selection->firstRow + 1,
                                     selection->lastColumn + 1, selection->lastRow + 1);
        if (range != nullptr) {
            range->Release();
            return;
        }
    }
    m_automation.SelectCell(1, 1);
}

void CSaveSheetLayoutWriter::WriteTab() {
    const CExcelSheetLayout& layout = m_worksheet.GetLayout();
    if (!layout.HasTabColor()) return;
    const std::int16_t colorIndex = PaletteColor(layout.TabColor());
    if (colorIndex != CXLCellFormat::kAutomatic) m_automation.SetTabColorIndex(colorIndex);
}
