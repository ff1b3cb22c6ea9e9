#include "containers/CSheetViewDataFiller.h"

#include <algorithm>
#include <vector>

#include "containers/CGridUnits.h"
#include "containers/CPreviewFormatTable.h"
#include "containers/CPreviewPageIndex.h"
#include "containers/CSheetGridStore.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/RunState.h"
#include "records/CExcelCelRange8.h"
#include "records/CExcelRecordBLANK.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordMERGEDCELLS.h"
#include "records/CExcelRecordMULBLANK.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/CExcelRecordROW.h"
#include "records/CExcelSSTDataList.h"

namespace {

// The paging and the growth rule count a cell three places further than the
// model does; the grid itself one place (its header row and column).
constexpr int kEnsureOffset = 3;
constexpr int kGridOffset = 1;

// MULBLANK payload: row and first column (4 bytes), one XF index (2 bytes)
// per cell from offset 4, the last column in the last 2 bytes.
constexpr std::uint32_t kMulBlankFirstXf = 4;
constexpr std::uint32_t kMulBlankFixedBytes = 6;
constexpr std::uint32_t kXfIndexBytes = 2;

bool Stopping() {
    return PreviewStop.load() != 0;
}

// Walks the records of list that page may take, in list order, handing each
// to write; stops at once when PreviewStop is set. The first page walks the
// whole list, which EnsureCell needs to learn the highest row, and files
// each record under its pages for the later ones.
template <class T, class Write>
void Walk(const CTList<T>& list, CPreviewPageIndex<T>& index, int page, Write write) {
    if (page == 1) {
        for (const T& record : list) {
            if (Stopping()) return;
            index.Add(record.GetRow() + kEnsureOffset, &record);
            write(record);
        }
        return;
    }
    for (const T* record : index.Page(page)) {
        if (Stopping()) return;
        write(*record);
    }
}

}  // namespace

struct CSheetViewDataFiller::CPageIndexes {
    CPreviewPageIndex<CExcelRecordROW> rows;
    CPreviewPageIndex<CExcelRecordMULBLANK> mulBlanks;
    CPreviewPageIndex<CExcelRecordBLANK> blanks;
    CPreviewPageIndex<CExcelRecordLABELSST> labelSsts;
    CPreviewPageIndex<CExcelRecordLABEL> labels;
    CPreviewPageIndex<CExcelRecordFormula> formulas;
    CPreviewPageIndex<CExcelRecordBOOLERR> boolErrs;
    CPreviewPageIndex<CExcelRecordNUMBER> numbers;
    CPreviewPageIndex<CExcelRecordRKVALUE> rkValues;
};

CSheetViewDataFiller::CSheetViewDataFiller(CSheetGridStore* grid, const CExcelWorkSheet* sheet,
                                           const CExcelWorkBook* workbook)
    : m_grid(grid),
      m_sheet(sheet),
      m_workbook(workbook),
      m_digitWidth(CGridUnits::kDefaultDigitWidth) {}

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
    m_index = std::make_unique<CPageIndexes>();
    FillMergedRanges();
    FillLayout();
    // Most cells come from one record each.
    m_grid->ReserveCells(std::size_t{m_sheet->GetNumbers().GetCount()} +
                         m_sheet->GetRKValues().GetCount() + m_sheet->GetLabelSSTs().GetCount() +
                         m_sheet->GetLabels().GetCount() + m_sheet->GetFormulas().GetCount() +
                         m_sheet->GetBoolErrs().GetCount() + m_sheet->GetBlanks().GetCount());
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
    m_index.reset();
    m_runLists.clear();
    m_result = 0;
}

void CSheetViewDataFiller::PageFilled(int) {}

void CSheetViewDataFiller::FillMergedRanges() {
    std::vector<CGridRange> ranges;
    for (const CExcelRecordMERGEDCELLS& record : m_sheet->GetMergedCells()) {
        if (Stopping()) return;
        CExcelCelRange8 range;
        // GetRange gives only the ranges the record's bytes hold, and the
        // store keeps no more than its limit: both bound the walk.
        for (std::uint32_t i = 0; i < record.GetCount() && record.GetRange(i, range) &&
                                  ranges.size() < CSheetGridStore::kMergedRangeLimit;
             ++i) {
            ranges.push_back(
                {range.GetFirstRow() + kGridOffset, range.GetFirstColumn() + kGridOffset,
                 range.GetLastRow() + kGridOffset, range.GetLastColumn() + kGridOffset});
        }
    }
    m_grid->SetMergedRanges(std::move(ranges));
}

void CSheetViewDataFiller::FillLayout() {
    const CExcelSheetLayout& sheet = m_sheet->GetLayout();
    CGridSheetLayout layout;
    layout.digitWidth = m_digitWidth;
    if (sheet.HasDefaultRowHeight())
        layout.defaultRowHeight = CGridUnits::TwipsToPixels(sheet.DefaultRowHeight());
    // STANDARDWIDTH, when a sheet has it, is the exact width DEFCOLWIDTH
    // rounds to whole characters.
    if (sheet.HasStandardWidth()) {
        layout.defaultColumnWidth = CGridUnits::ColumnPixels(sheet.StandardWidth(), m_digitWidth);
    } else {
        const int characters = sheet.HasDefaultColumnWidth() ? sheet.DefaultColumnWidth()
                                                             : CGridUnits::kDefaultColumnCharacters;
        layout.defaultColumnWidth = CGridUnits::DefaultColumnPixels(characters, m_digitWidth);
    }
    // A sheet without WINDOW2 shows its grid lines, as a new sheet does.
    if (sheet.HasWindow())
        layout.gridlines = (sheet.GetWindow().flags & CExcelSheetLayout::kShowGridlines) != 0;
    // PANE's split counts whole rows and columns only in frozen panes; a
    // split that is not frozen scrolls with the rest.
    if (sheet.HasWindow() && sheet.HasPane() &&
        (sheet.GetWindow().flags & CExcelSheetLayout::kFrozen) != 0) {
        layout.frozenRows = std::min<int>(sheet.GetPane().y, CSheetGridStore::kRowLimit);
        layout.frozenColumns = std::min<int>(sheet.GetPane().x, CSheetGridStore::kColumnLimit);
    }
    m_grid->SetLayout(layout);
}

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
    FillBlanks();
    FillTexts();
    FillFormulas();
    FillBoolErrs();
    m_grid->Invalidate();
    FillNumbers(m_sheet->GetNumbers(), m_index->numbers);
    m_grid->Invalidate();
    FillNumbers(m_sheet->GetRKValues(), m_index->rkValues);
    m_grid->Invalidate();
}

void CSheetViewDataFiller::FillColumns() {
    // The grid rows of this page: EnsureCell rows 100 (p - 1) to 100 p,
    // shifted from the paging's offset to the grid's.
    const int firstRow = std::max(kGridOffset, kRowsPerPage * (m_page - 1) - 2);
    const int lastRow = kRowsPerPage * m_page - 2;
    for (const CExcelRecordCOLINFO& record : m_sheet->GetColInfos()) {
        if (Stopping()) return;
        const int pixels = CGridUnits::ColumnPixels(record.GetWidth(), m_digitWidth);
        // A column of no width is as good as hidden; the store would take
        // its 0 for the default width.
        const bool hidden = record.IsHidden() || pixels == 0;
        // A damaged range may run to column 65,535 or backwards; the column
        // count bounds the walk either way.
        for (int column = record.GetFirstColumn() + kGridOffset;
             column <= record.GetLastColumn() + kGridOffset &&
             column + kEnsureOffset <= m_grid->GetColumnCount();
             ++column) {
            m_grid->SetColumnWidth(column, pixels);
            if (hidden) m_grid->SetColumnHidden(column);
            if (!m_formats->GetStyle(record.GetXFIndex())) continue;
            const int rowEnd = std::min(lastRow, m_grid->GetRowCount() - 1);
            for (int row = firstRow; row <= rowEnd; ++row)
                FormatCell(record.GetXFIndex(), row, column);
        }
    }
}

void CSheetViewDataFiller::FillRows() {
    Walk(m_sheet->GetRows(), m_index->rows, m_page, [this](const CExcelRecordROW& record) {
        const int row = record.GetRow() + kEnsureOffset;
        // Each page takes the ROW records of its own rows, so a long sheet
        // formats every row once, not once per page.
        if (!InPage(row)) return;
        // Rows come before the page's cells, which have not grown the grid
        // yet: without growing it here for the row, no ROW record of the
        // second page (the grid still has its first 100 rows) would ever
        // get its height. The paging is not told: a ROW record alone does
        // not make a page.
        if (!m_grid->EnsureCell(row, kEnsureOffset)) return;
        const int gridRow = record.GetRow() + kGridOffset;
        if (record.IsCustomHeight()) {
            const int pixels = CGridUnits::TwipsToPixels(record.GetHeightTwips());
            m_grid->SetRowHeight(gridRow, pixels);
            // A row of no height is as good as hidden.
            if (pixels == 0) m_grid->SetRowHidden(gridRow);
        }
        if (record.IsHidden()) m_grid->SetRowHidden(gridRow);
        if (!record.HasDefaultFormat()) return;
        const int columns = m_grid->GetColumnCount();
        for (int column = kGridOffset; column < columns; ++column)
            FormatCell(record.GetDefaultXFIndex(), gridRow, column);
    });
}

void CSheetViewDataFiller::FillBlanks() {
    // Formatted empty cells show their fills and borders. MULBLANK runs
    // first: where a writer put a BLANK over a cell of a run, the BLANK's
    // XF is the one readers show.
    Walk(
        m_sheet->GetMulBlanks(), m_index->mulBlanks, m_page,
        [this](const CExcelRecordMULBLANK& record) {
            // The cells are the XF indices the payload holds, whatever the
            // last-column field says: a record cut short keeps its first
            // cells.
            const std::uint32_t length = record.GetLength();
            if (length < kMulBlankFixedBytes + kXfIndexBytes) return;
            const std::uint32_t cells = (length - kMulBlankFixedBytes) / kXfIndexBytes;
            const CByteBuffer& payload = record.GetPayload();
            for (std::uint32_t i = 0; i < cells; ++i) {
                const std::uint32_t column = record.GetColumn() + i;
                // Past the grid's last column every further cell is too.
                if (column > 0xFFFF || !Accept(record.GetRow(), static_cast<std::uint16_t>(column)))
                    return;
                FormatCell(payload.ReadU16(kMulBlankFirstXf + i * kXfIndexBytes),
                           record.GetRow() + kGridOffset, static_cast<int>(column) + kGridOffset);
            }
        });
    Walk(m_sheet->GetBlanks(), m_index->blanks, m_page, [this](const CExcelRecordBLANK& record) {
        if (!Accept(record.GetRow(), record.GetColumn())) return;
        FormatCell(record.GetXFIndex(), record.GetRow() + kGridOffset,
                   record.GetColumn() + kGridOffset);
    });
}

void CSheetViewDataFiller::FillTexts() {
    Walk(m_sheet->GetLabelSSTs(), m_index->labelSsts, m_page,
         [this](const CExcelRecordLABELSST& record) {
             if (!Accept(record.GetRow(), record.GetColumn())) return;
             bool found = false;
             std::u16string text = record.GetText(*m_workbook, &found);
             if (!found) text = u"Lost string";
             const std::uint32_t runs = found ? RunsOf(record.GetSSTIndex()) : 0;
             PutText(record.GetRow(), record.GetColumn(), record.GetXFIndex(), std::move(text),
                     EGridValue::Text, runs);
         });
    // LABEL and RSTRING cells carry their text themselves.
    Walk(m_sheet->GetLabels(), m_index->labels, m_page, [this](const CExcelRecordLABEL& record) {
        if (!Accept(record.GetRow(), record.GetColumn())) return;
        PutText(record.GetRow(), record.GetColumn(), record.GetXFIndex(), record.GetText(),
                EGridValue::Text);
    });
}

void CSheetViewDataFiller::FillFormulas() {
    Walk(m_sheet->GetFormulas(), m_index->formulas, m_page,
         [this](const CExcelRecordFormula& record) {
             // The page test comes before the text: rendering a number is the
             // costly part.
             if (!Accept(record.GetRow(), record.GetColumn())) return;
             // Strings, Booleans and errors have a text of their own; an
             // empty result has none and leaves the cell alone.
             const bool number = record.GetResultType() == FormulaResultNumber;
             std::u16string text = number
                                       ? m_formats->NumberText(record.GetXF(), record.GetNumber())
                                       : record.GetValueText(nullptr);
             if (text.empty()) return;
             const EGridValue value = number ? EGridValue::Number
                                      : record.GetResultType() == FormulaResultString
                                          ? EGridValue::Text
                                          : EGridValue::Logical;
             PutText(record.GetRow(), record.GetColumn(), record.GetXF(), std::move(text), value);
         });
}

void CSheetViewDataFiller::FillBoolErrs() {
    Walk(m_sheet->GetBoolErrs(), m_index->boolErrs, m_page,
         [this](const CExcelRecordBOOLERR& record) {
             // An error code that names no error shows nothing.
             std::u16string text = record.GetText();
             if (text.empty() || !Accept(record.GetRow(), record.GetColumn())) return;
             PutText(record.GetRow(), record.GetColumn(), record.GetXFIndex(), std::move(text),
                     EGridValue::Logical);
         });
}

template <class T>
void CSheetViewDataFiller::FillNumbers(const CTList<T>& numbers, CPreviewPageIndex<T>& index) {
    Walk(numbers, index, m_page, [this](const T& record) {
        if (!Accept(record.GetRow(), record.GetColumn())) return;
        std::u16string text = m_formats->NumberText(record.GetXFIndex(), record.GetValue());
        if (text.empty()) return;
        PutText(record.GetRow(), record.GetColumn(), record.GetXFIndex(), std::move(text),
                EGridValue::Number);
    });
}

bool CSheetViewDataFiller::Accept(std::uint16_t row, std::uint16_t column) {
    return EnsureCell(row + kEnsureOffset, column + kEnsureOffset);
}

void CSheetViewDataFiller::PutText(std::uint16_t row, std::uint16_t column, std::uint32_t xfIndex,
                                   std::u16string text, EGridValue value, std::uint32_t runs) {
    m_grid->SetTextAndStyle(row + kGridOffset, column + kGridOffset, std::move(text),
                            m_formats->GetStyle(xfIndex), value, runs);
}

std::uint32_t CSheetViewDataFiller::RunsOf(std::uint32_t sstIndex) {
    const CExcelSSTData* entry = m_workbook->GetSharedStrings().GetAt(sstIndex);
    // Plain strings, nearly all of them, leave nothing behind.
    if (!entry || entry->GetRuns().IsEmpty()) return 0;
    const auto [at, added] = m_runLists.try_emplace(sstIndex, 0);
    if (added) at->second = m_grid->AddTextRuns(m_formats->TextRuns(*entry));
    return at->second;
}

void CSheetViewDataFiller::FormatCell(std::uint32_t xfIndex, int gridRow, int gridColumn) {
    if (const CGridStyle* style = m_formats->GetStyle(xfIndex))
        m_grid->ApplyStyle(gridRow, gridColumn, *style);
}
