#include "app/CSheetView.h"

#include "containers/CPreviewFormatTable.h"
#include "containers/CSheetGridStore.h"
#include "containers/CSheetViewDataFiller.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/TextConversion.h"
#include "records/CExcelRecordWBFONT.h"
#include "repair/CRepairReport.h"
#include "repair/CSFSPreviewThreadManager.h"
#include "widgets/CGridCellPainter.h"

CSheetView::CSheetView(int sheetIndex, const CExcelWorkSheet* sheet, const CExcelWorkBook* workbook,
                       QWidget* parent)
    : CGridCtrl(parent),
      m_sheetIndex(sheetIndex),
      m_sheet(sheet),
      m_workbook(workbook),
      m_store(std::make_unique<CSheetGridStore>()),
      m_filler(std::make_unique<CSheetViewDataFiller>(m_store.get(), sheet, workbook)),
      m_manager(std::make_unique<CSFSPreviewThreadManager>()) {
    // Column widths count in the digit of the workbook's first font; it is
    // measured here, on the user-interface thread, before the fill starts.
    if (workbook && workbook->GetFonts().begin() != workbook->GetFonts().end()) {
        const CExcelRecordWBFONT& first = *workbook->GetFonts().begin();
        m_filler->SetDigitWidth(
            CGridCellPainter::DigitWidth(CPreviewFormatTable::GridFont(first), font()));
    }
    SetStore(m_store.get());
}

CSheetView::~CSheetView() {
    // The widget lets go of the store before the worker is joined: nothing
    // paints from it while the members are torn down.
    SetStore(nullptr);
    m_manager.reset();
}

void CSheetView::MarkFallbacks(const CReportSheet& sheet) {
    // The report counts from 0; the grid's row and column 0 are its headers.
    const std::u16string lost = tr("Text lost: its shared string was damaged").toStdU16String();
    for (const CReportCell& cell : sheet.lostStrings)
        m_store->SetFallbackMark(cell.row + 1, cell.column + 1, lost);
    const QString kept = tr("Formula kept as its value: %1");
    for (const CReportFormulaAsValue& formula : sheet.formulasAsValues)
        m_store->SetFallbackMark(
            formula.cell.row + 1, formula.cell.column + 1,
            kept.arg(QString::fromStdU16String(FromUtf8(formula.reason))).toStdU16String());
}

bool CSheetView::StartFill() {
    m_manager->SetData(m_filler.get());
    return m_manager->Start() == 0;
}

bool CSheetView::EnsureCell(int row, int column) {
    return m_filler->EnsureCell(row, column);
}

QString CSheetView::GetFormulaBarText(int row, int column) const {
    QString text;
    if (const std::optional<CGridCell> cell = m_store->GetCell(row, column)) {
        text = QString::fromStdU16String(cell->text);
    }
    // Grid row and column 0 are the headers; the model starts at grid 1.
    const int modelRow = row - 1;
    const int modelColumn = column - 1;
    if (m_sheet == nullptr || modelRow < 0 || modelColumn < 0) return text;
    // A cell of a shared range has a record of its own that decodes the
    // range's tokens relative to it; a cell without a FORMULA record has no
    // formula, whatever range lies around it.
    for (const CExcelRecordFormula& formula : m_sheet->GetFormulas()) {
        if (formula.GetRow() == modelRow && formula.GetColumn() == modelColumn) {
            return QString::fromStdU16String(formula.GetFormulaText(m_workbook, m_sheet));
        }
    }
    return text;
}
