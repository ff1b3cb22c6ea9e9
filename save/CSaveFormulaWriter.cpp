#include "save/CSaveFormulaWriter.h"

#include <string>

#include "biff/CExcelWorkSheet.h"
#include "formula/CExcelRecordFormula.h"
#include "platform/SaveStopCheck.h"
#include "save/CSaveCachedResult.h"
#include "save/CSaveCellFormatter.h"
#include "save/CSaveProgress.h"
#include "save/CXLEzAutomation.h"

namespace {

// The last column a worksheet has (IV, 0-based).
constexpr std::uint16_t kLastColumn = 255;

std::int32_t OneBased(std::uint32_t position) {
    return static_cast<std::int32_t>(position) + 1;
}

}  // namespace

CSaveFormulaWriter::CSaveFormulaWriter(CXLEzAutomation& automation, const CExcelWorkBook& workbook,
                                       const CExcelWorkSheet& worksheet,
                                       CSaveCellFormatter& formatter, CSaveProgress& progress)
    : m_automation(automation),
      m_workbook(workbook),
      m_worksheet(worksheet),
      m_formatter(formatter),
      m_progress(progress) {}

bool CSaveFormulaWriter::Write() {
    if (!WriteCachedResults()) return false;
    for (const CExcelRecordFormula& record : m_worksheet.GetFormulas()) {
        if (SaveStopCheck()) return false;
        m_progress.Step();
        if (record.GetColumn() > kLastColumn) continue;
        WriteFormulaCell(record);
    }
    return RestoreFilledFormats();
}

bool CSaveFormulaWriter::RestoreFilledFormats() {
    for (const CExcelRecordFormula& record : m_worksheet.GetFormulas()) {
        if (SaveStopCheck()) return false;
        if (record.GetColumn() > kLastColumn) continue;
        if (!record.GetFormulaText(&m_workbook, &m_worksheet).empty()) continue;
        m_automation.ApplyNumberFormat(OneBased(record.GetColumn()), OneBased(record.GetRow()),
                                       record.GetNumberFormatText(m_workbook));
    }
    return true;
}

bool CSaveFormulaWriter::WriteCachedResults() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordFormula& record : m_worksheet.GetFormulas()) {
        if (SaveStopCheck()) return false;
        if (record.GetColumn() > kLastColumn) continue;
        CSaveCachedResult::Write(m_automation, m_workbook, record, OneBased(record.GetRow()),
                                 OneBased(record.GetColumn()));
    }
    return true;
}

void CSaveFormulaWriter::WriteFormulaCell(const CExcelRecordFormula& record) {
    const std::int32_t row = OneBased(record.GetRow());
    const std::int32_t column = OneBased(record.GetColumn());
    const std::u16string& text = record.GetFormulaText(&m_workbook, &m_worksheet);
    // An empty text (a cell of a shared range, or tokens that print
    // nothing) and a text that only approximates the tokens are not
    // written: the cell keeps its cached result. References to other
    // sheets are written like any other: the sheets exist by now.
    const bool writable = !text.empty() && record.IsFormulaSound(&m_workbook, &m_worksheet);
    if (writable) {
        const std::u16string formula = u"=" + text;
        const std::u16string format = record.GetNumberFormatText(m_workbook);
        // A refused formula would be refused by the fill and the array
        // alike; the cached result stays.
        if (m_automation.WriteFormula(column, row, formula, format)) {
            if (record.GetSharedFormulaRecord() != nullptr) {
                FillSharedRange(record, formula, format);
            }
            if (record.GetArrayRecord() != nullptr) {
                m_automation.WriteFormulaArray(column, row, formula);
            }
        }
    }
    m_formatter.ApplyCellFormat(row, column, record.GetXF(), true);
}

void CSaveFormulaWriter::FillSharedRange(const CExcelRecordFormula& record,
                                         const std::u16string& formula,
                                         const std::u16string& format) {
    const std::int32_t row = OneBased(record.GetRow());
    const std::int32_t column = OneBased(record.GetColumn());
    const std::int32_t firstRow = OneBased(record.GetSharedFirstRow());
    const std::int32_t lastRow = OneBased(record.GetSharedLastRow());
    const std::int32_t firstColumn = OneBased(record.GetSharedFirstColumn());
    const std::int32_t lastColumn = OneBased(record.GetSharedLastColumn());
    // A damaged range with its corners swapped fills nothing.
    if (lastRow < firstRow || lastColumn < firstColumn) return;

    if (firstRow == lastRow || firstColumn == lastColumn) {
        m_automation.WriteFilledFormula(column, row, formula, firstColumn, firstRow, lastColumn,
                                        lastRow);
        return;
    }
    // A block: the formula down the first column, then that column filled
    // rightwards, so that each row carries on from its own first cell with
    // the formula moved to that row. (Putting the first cell's text into
    // every row's first cell would point every row at the first row's
    // cells.)
    m_automation.WriteFormula(column, row, formula, format);
    m_automation.WriteFilledFormula(column, row, formula, firstColumn, firstRow, firstColumn,
                                    lastRow);
    m_automation.AutoFillRange(firstColumn, firstRow, firstColumn, lastRow, firstColumn, firstRow,
                               lastColumn, lastRow);
}
