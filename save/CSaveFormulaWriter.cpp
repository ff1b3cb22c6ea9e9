#include "save/CSaveFormulaWriter.h"

#include <string>

#include "formula/CExcelFormulaFill.h"
#include "formula/CExcelFormulaHostLookup.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
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
    CountArrayCells();
    m_fills.assign(kLastColumn + 1, {});
    for (const CExcelRecordFormula& record : m_worksheet.GetFormulas()) {
        if (SaveStopCheck()) {
            m_fills.clear();
            return false;
        }
        m_progress.Step();
        if (record.GetColumn() > kLastColumn) continue;
        Place(record);
    }
    for (ColumnFill& fill : m_fills) {
        if (fill.last) fill.last->ReleaseDecoded();
        WriteHeld(fill);
    }
    m_fills.clear();
    return true;
}

bool CSaveFormulaWriter::IsWritable(const CExcelRecordFormula& record) const {
    const EFormulaRole role = record.GetRole(&m_workbook, &m_worksheet);
    return role != EFormulaRole::kArrayHost && role != EFormulaRole::kArrayMember &&
           record.HasFormulaText(&m_workbook, &m_worksheet) &&
           record.IsFormulaSound(&m_workbook, &m_worksheet);
}

void CSaveFormulaWriter::Place(const CExcelRecordFormula& record) {
    ColumnFill& fill = m_fills[record.GetColumn()];
    // The column's last record was writable, so a record that fills it
    // down is too: it is not decoded to know.
    if (fill.last &&
        CExcelFormulaFill::ContinuesDown(*fill.last, record, &m_workbook, &m_worksheet)) {
        // The fill's first record is written already: only the ones after
        // it are held, and only the text of the first held one is kept.
        if (fill.held.empty()) fill.text = u"=" + record.GetFormulaText(&m_workbook, &m_worksheet);
        fill.last->ReleaseDecoded();
        fill.held.push_back(&record);
        fill.last = &record;
        m_formatter.ApplyCellFormat(OneBased(record.GetRow()), OneBased(record.GetColumn()),
                                    record.GetXF());
        return;
    }
    // Whatever the column held goes first, so that a later record for one
    // of its cells is written after it, as the file gives them.
    if (fill.last) fill.last->ReleaseDecoded();
    WriteHeld(fill);
    fill.last = nullptr;
    if (!IsWritable(record)) {
        WriteFormulaCell(record);
        return;
    }
    WriteFormulaOf(record);
    m_formatter.ApplyCellFormat(OneBased(record.GetRow()), OneBased(record.GetColumn()),
                                record.GetXF());
    fill.last = &record;
}

void CSaveFormulaWriter::WriteHeld(ColumnFill& fill) {
    if (fill.held.empty()) return;
    const CExcelRecordFormula& first = *fill.held.front();
    const std::int32_t column = OneBased(first.GetColumn());
    const bool filled =
        fill.held.size() > 1 &&
        m_automation.WriteRangeFormula(column, OneBased(first.GetRow()), column,
                                       OneBased(fill.held.back()->GetRow()), fill.text);
    // One record, or a range the server refused: each record on its own,
    // decoded once more.
    if (!filled) {
        for (const CExcelRecordFormula* record : fill.held) {
            WriteFormulaOf(*record);
            record->ReleaseDecoded();
        }
    }
    fill.held.clear();
    fill.text.clear();
}

bool CSaveFormulaWriter::WriteCachedResults() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordFormula& record : m_worksheet.GetFormulas()) {
        if (SaveStopCheck()) return false;
        if (record.GetColumn() > kLastColumn) continue;
        CSaveCachedResult::Write(m_automation, record, OneBased(record.GetRow()),
                                 OneBased(record.GetColumn()));
    }
    return true;
}

void CSaveFormulaWriter::CountArrayCells() {
    m_arrayCells.clear();
    for (const CExcelRecordFormula& record : m_worksheet.GetFormulas()) {
        const EFormulaRole role = record.GetRole(&m_workbook, &m_worksheet);
        if (role == EFormulaRole::kArrayHost) {
            // The host counts for its own cell when it lies in its range.
            if (CExcelFormulaHostLookup::Covers(record, record.GetRow(), record.GetColumn()))
                ++m_arrayCells[&record];
        } else if (role == EFormulaRole::kArrayMember) {
            ++m_arrayCells[record.GetHost(&m_workbook, &m_worksheet)];
        }
    }
}

bool CSaveFormulaWriter::ArrayIsWhole(const CExcelRecordFormula& host) const {
    const auto found = m_arrayCells.find(&host);
    // A damaged range with its corners swapped holds no cell.
    if (found == m_arrayCells.end() || host.GetArrayLastRow() < host.GetArrayFirstRow() ||
        host.GetArrayLastColumn() < host.GetArrayFirstColumn())
        return false;
    const std::uint64_t rows = std::uint64_t{host.GetArrayLastRow()} - host.GetArrayFirstRow() + 1;
    const std::uint64_t columns =
        std::uint64_t{host.GetArrayLastColumn()} - host.GetArrayFirstColumn() + 1;
    return found->second == rows * columns;
}

void CSaveFormulaWriter::WriteFormulaCell(const CExcelRecordFormula& record) {
    WriteFormulaOf(record);
    m_formatter.ApplyCellFormat(OneBased(record.GetRow()), OneBased(record.GetColumn()),
                                record.GetXF());
    // The server holds the formula now; the text is decoded again should
    // the preview ask for it.
    record.ReleaseDecoded();
}

void CSaveFormulaWriter::WriteFormulaOf(const CExcelRecordFormula& record) {
    const std::int32_t row = OneBased(record.GetRow());
    const std::int32_t column = OneBased(record.GetColumn());
    const EFormulaRole role = record.GetRole(&m_workbook, &m_worksheet);
    const std::u16string& text = record.GetFormulaText(&m_workbook, &m_worksheet);
    // An empty text and a text that only approximates the tokens are not
    // written: the cell keeps its cached result. The cells of an array are
    // written by its host's array formula. References to other sheets are
    // written like any other: the sheets exist by now.
    const bool writable = !text.empty() && record.IsFormulaSound(&m_workbook, &m_worksheet) &&
                          role != EFormulaRole::kArrayMember;
    if (writable) {
        const std::u16string formula = u"=" + text;
        if (role == EFormulaRole::kArrayHost) {
            if (ArrayIsWhole(record)) {
                m_automation.WriteRangeFormulaArray(OneBased(record.GetArrayFirstColumn()),
                                                    OneBased(record.GetArrayFirstRow()),
                                                    OneBased(record.GetArrayLastColumn()),
                                                    OneBased(record.GetArrayLastRow()), formula);
            }
        } else {
            // The cell format, applied after it, carries the number format.
            m_automation.WriteFormula(column, row, formula, {});
        }
    }
}
