#include "app/CSheetViewer.h"

#include <QLayout>
#include <QWidget>

#include "app/CSheetView.h"
#include "model/CExcelData.h"
#include "platform/RunState.h"
#include "repair/CRepairReport.h"

namespace {

// The report's sheet at index, counted over all its workbooks as the
// worksheets are: the report lists them in the model's order.
const CReportSheet* ReportSheet(const CRepairReport* report, int index) {
    if (report == nullptr || index < 0) return nullptr;
    auto left = static_cast<std::size_t>(index);
    for (const CReportWorkbook& workbook : report->workbooks) {
        if (left < workbook.sheets.size()) return &workbook.sheets[left];
        left -= workbook.sheets.size();
    }
    return nullptr;
}

}  // namespace

CSheetViewer::CSheetViewer(QWidget* gridArea, const CExcelData* data, const CRepairReport* report)
    : m_gridArea(gridArea), m_data(data), m_report(report) {}

CSheetViewer::~CSheetViewer() = default;

bool CSheetViewer::FindWorksheet(int index, const CExcelWorkSheet** sheet,
                                 const CExcelWorkBook** workbook) const {
    if (m_data == nullptr || index < 0) return false;
    int position = 0;
    for (const CExcelWorkBook& book : m_data->GetWorkbooks()) {
        for (const CExcelWorkSheet& candidate : book.GetWorksheets()) {
            if (position++ != index) continue;
            *sheet = &candidate;
            *workbook = &book;
            return true;
        }
    }
    return false;
}

int CSheetViewer::GetWorksheetCount() const {
    if (m_data == nullptr) return 0;
    int count = 0;
    for (const CExcelWorkBook& book : m_data->GetWorkbooks()) {
        count += static_cast<int>(book.GetWorksheets().GetCount());
    }
    return count;
}

QStringList CSheetViewer::GetTabCaptions() const {
    QStringList captions;
    if (m_data != nullptr) {
        for (const CExcelWorkBook& book : m_data->GetWorkbooks()) {
            for (const CExcelWorkSheet& sheet : book.GetWorksheets()) {
                captions.append(QString::fromStdU16String(sheet.GetName()));
            }
        }
    }
    if (captions.isEmpty()) captions.append(QStringLiteral("Unnamed1"));
    return captions;
}

bool CSheetViewer::ShowSheet(int index) {
    const CExcelWorkSheet* sheet = nullptr;
    const CExcelWorkBook* workbook = nullptr;
    if (!FindWorksheet(index, &sheet, &workbook)) return false;
    // The worker writes the current grid's store: replacing the grid now
    // would block here until the whole sheet is filled.
    if (PreviewRunning.load() != 0) return false;

    if (m_view) m_view->hide();
    auto view = std::make_unique<CSheetView>(index, sheet, workbook, m_gridArea);
    if (m_gridArea != nullptr) {
        if (QLayout* layout = m_gridArea->layout()) {
            layout->addWidget(view.get());
        } else {
            view->setGeometry(m_gridArea->rect());
        }
    }
    m_view = std::move(view);
    if (const CReportSheet* marks = ReportSheet(m_report, index)) m_view->MarkFallbacks(*marks);
    m_view->show();
    // An empty grid would pass for an empty sheet.
    if (!m_view->StartFill()) {
        m_view.reset();
        return false;
    }
    return true;
}
