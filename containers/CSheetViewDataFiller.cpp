#include "containers/CSheetViewDataFiller.h"

#include <algorithm>

#include "biff/CExcelWorkBook.h"
#include "biff/CExcelWorkSheet.h"
#include "containers/CPreviewFormatTable.h"
#include "containers/CSheetGridStore.h"
#include "formula/CExcelRecordFormula.h"
#include "platform/RunState.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/CExcelRecordROW.h"

namespace {

// The paging and the growth rule count a cell three places further than the
// model does; the grid itself one place (its header row and column).
constexpr int kEnsureOffset = 3;
constexpr int kGridOffset = 1;

// A custom ROW height in points becomes pixels this way: whole dozens of
// points, 17 pixels each.
constexpr int kPointsPerStep = 12;
constexpr int kPixelsPerStep = 17;

bool Stopping() {
    return PreviewStop.load() != 0;
}

}  // namespace

CSheetViewDataFiller::CSheetViewDataFiller(CSheetGridStore* grid, const CExcelWorkSheet* sheet,
                                           const CExcelWorkBook* workbook)
    : m_grid(grid), m_sheet(sheet), m_workbook(workbook) {}

CSheetViewDataFiller::~CSheetViewDataFiller() = default;

void CSheetViewDataFiller::Fill() {
    if (!m_grid || !m_sheet || !m_workbook) {
        m_result = 1;
        return;
    }
    if (Stopping()) {
        m_result = 2;
        return;
    }
    m_page = 0;
    m_highestRow = 0;
    m_formats = std::make_unique<CPreviewFormatTable>(*m_workbook);
    // The first page's records tell the highest row there is; every later
    // page is needed only while that row lies beyond it. EnsureCell refuses
    // rows above 65,000, so at most 650 pages run.
    do {
        if (Stopping()) break;
        ++m_page;
        FillPage();
        PageFilled(m_page);
    } while (kRowsPerPage * m_page < m_highestRow);
    m_formats.reset();
    m_result = 0;
}

void CSheetViewDataFiller::PageFilled(int) {}

bool CSheetViewDataFiller::InPage(int row) const {
    return row <= kRowsPerPage * m_page && row >= kRowsPerPage * (m_page - 1);
}

bool CSheetViewDataFiller::EnsureCell(int row, int column) {
    if (row > kPagingRowLimit) return false;
    m_highestRow = std::max(m_highestRow, row);
    if (!InPage(row)) return false;
    return m_grid && m_grid->EnsureCell(row, column);
}

void CSheetViewDataFiller::FillPage() {
    FillColumns();
    FillRows();
    FillTexts();
    FillFormulas();
    FillBoolErrs();
    m_grid->Invalidate();
    FillNumbers(m_sheet->GetNumbers());
    m_grid->Invalidate();
    FillNumbers(m_sheet->GetRKValues());
    m_grid->Invalidate();
}

void CSheetViewDataFiller::FillColumns() {
    // The grid rows of this page: EnsureCell rows 100 (p - 1) to 100 p,
    // shifted from the paging's offset to the grid's.
    const int firstRow = std::max(kGridOffset, kRowsPerPage * (m_page - 1) - 2);
    const int lastRow = kRowsPerPage * m_page - 2;
    for (const CExcelRecordCOLINFO& record : m_sheet->GetColInfos()) {
        if (Stopping()) return;
        const int pixels = static_cast<int>(record.GetWidthPixels());
        // A damaged range may run to column 65,535 or backwards; the column
        // count bounds the walk either way.
        for (int column = record.GetFirstColumn() + kGridOffset;
             column <= record.GetLastColumn() + kGridOffset &&
             column + kEnsureOffset <= m_grid->GetColumnCount();
             ++column) {
            m_grid->SetColumnWidth(column, pixels);
            if (!m_formats->GetStyle(record.GetXFIndex())) continue;
            const int rowEnd = std::min(lastRow, m_grid->GetRowCount() - 1);
            for (int row = firstRow; row <= rowEnd; ++row)
                FormatCell(record.GetXFIndex(), row, column);
        }
    }
}

void CSheetViewDataFiller::FillRows() {
    for (const CExcelRecordROW& record : m_sheet->GetRows()) {
        if (Stopping()) return;
        const int row = record.GetRow() + kEnsureOffset;
        // Each page takes the ROW records of its own rows, so a long sheet
        // formats every row once, not once per page.
        if (row >= m_grid->GetRowCount() || !InPage(row)) continue;
        const int gridRow = record.GetRow() + kGridOffset;
        if (record.IsCustomHeight()) {
            const int points = static_cast<int>(record.GetHeightPoints());
            m_grid->SetRowHeight(gridRow, points / kPointsPerStep * kPixelsPerStep);
        }
        if (!record.HasDefaultFormat()) continue;
        const int columns = m_grid->GetColumnCount();
        for (int column = kGridOffset; column < columns; ++column)
            FormatCell(record.GetDefaultXFIndex(), gridRow, column);
    }
}

void CSheetViewDataFiller::FillTexts() {
    for (const CExcelRecordLABELSST& record : m_sheet->GetLabelSSTs()) {
        if (Stopping()) return;
        bool found = false;
        std::u16string text = record.GetText(*m_workbook, &found);
        if (!found) text = u"Lost string";
        PutText(record.GetRow(), record.GetColumn(), record.GetXFIndex(), std::move(text));
    }
    // LABEL and RSTRING cells carry their text themselves.
    for (const CExcelRecordLABEL& record : m_sheet->GetLabels()) {
        if (Stopping()) return;
        PutText(record.GetRow(), record.GetColumn(), record.GetXFIndex(), record.GetText());
    }
}

void CSheetViewDataFiller::FillFormulas() {
    for (const CExcelRecordFormula& record : m_sheet->GetFormulas()) {
        if (Stopping()) return;
        // Strings, Booleans and errors have a text of their own; an empty
        // result has none and leaves the cell alone.
        std::u16string text = record.GetResultType() == FormulaResultNumber
                                  ? m_formats->NumberText(record.GetXF(), record.GetNumber())
                                  : record.GetValueText(nullptr);
        if (text.empty()) continue;
        PutText(record.GetRow(), record.GetColumn(), record.GetXF(), std::move(text));
    }
}

void CSheetViewDataFiller::FillBoolErrs() {
    for (const CExcelRecordBOOLERR& record : m_sheet->GetBoolErrs()) {
        if (Stopping()) return;
        // An error code that names no error shows nothing.
        std::u16string text = record.GetText();
        if (text.empty()) continue;
        PutText(record.GetRow(), record.GetColumn(), record.GetXFIndex(), std::move(text));
    }
}

template <class NumberList>
void CSheetViewDataFiller::FillNumbers(const NumberList& numbers) {
    for (const auto& record : numbers) {
        if (Stopping()) return;
        // Render only what the page takes: the format engine is the costly
        // part of a number.
        if (!EnsureCell(record.GetRow() + kEnsureOffset, record.GetColumn() + kEnsureOffset))
            continue;
        std::u16string text = m_formats->NumberText(record.GetXFIndex(), record.GetValue());
        if (text.empty()) continue;
        const int gridRow = record.GetRow() + kGridOffset;
        const int gridColumn = record.GetColumn() + kGridOffset;
        m_grid->SetText(gridRow, gridColumn, std::move(text));
        FormatCell(record.GetXFIndex(), gridRow, gridColumn);
    }
}

void CSheetViewDataFiller::PutText(std::uint16_t row, std::uint16_t column, std::uint32_t xfIndex,
                                   std::u16string text) {
    if (!EnsureCell(row + kEnsureOffset, column + kEnsureOffset)) return;
    const int gridRow = row + kGridOffset;
    const int gridColumn = column + kGridOffset;
    m_grid->SetText(gridRow, gridColumn, std::move(text));
    FormatCell(xfIndex, gridRow, gridColumn);
}

void CSheetViewDataFiller::FormatCell(std::uint32_t xfIndex, int gridRow, int gridColumn) {
    const CPreviewCellStyle* style = m_formats->GetStyle(xfIndex);
    if (!style) return;
    if (style->background) m_grid->SetBackground(gridRow, gridColumn, *style->background);
    if (style->font) m_grid->SetFont(gridRow, gridColumn, *style->font);
    if (style->textColor) m_grid->SetTextColor(gridRow, gridColumn, *style->textColor);
    if (style->borderColor) m_grid->SetBorderColor(gridRow, gridColumn, *style->borderColor);
}
