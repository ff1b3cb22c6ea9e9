#include "save/CSaveSheetWriter.h"

#include <algorithm>
#include <string>
#include <utility>

#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "model/CSaveOption.h"
#include "platform/SaveStopCheck.h"
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
#include "save/CSaveCommentWriter.h"
#include "save/CSaveConditionalFormatWriter.h"
#include "save/CSaveFormulaWriter.h"
#include "save/CSaveHyperlinkWriter.h"
#include "save/CSaveProgress.h"
#include "save/CSaveValidationWriter.h"
#include "save/CSaveXfFormat.h"
#include "save/CXLEzAutomation.h"

namespace {

// The last column a worksheet has (IV, 0-based).
constexpr std::uint32_t kLastColumn = 255;

// MULBLANK payload: row and first column (4 bytes), the XF indices (2 bytes
// each) from offset 4, the last column (2 bytes).
constexpr std::uint32_t kMulBlankFirstXf = 4;
constexpr std::uint32_t kMulBlankFixedBytes = 6;
constexpr std::uint32_t kXfIndexBytes = 2;

std::int32_t OneBased(std::uint32_t position) {
    return static_cast<std::int32_t>(position) + 1;
}

struct Phase {
    std::uint32_t bit;
    bool (CSaveSheetWriter::*write)();
};

}  // namespace

CSaveSheetWriter::CSaveSheetWriter(CXLEzAutomation& automation, const CExcelWorkBook& workbook,
                                   const CExcelWorkSheet& worksheet, CSaveProgress& progress)
    : m_automation(automation),
      m_workbook(workbook),
      m_worksheet(worksheet),
      m_progress(progress),
      m_formatter(automation, workbook),
      m_layout(automation, worksheet),
      m_values(automation) {}

bool CSaveSheetWriter::Write(const CSaveOption& options) {
    static constexpr Phase kPhases[] = {
        {CSaveOption::BlankCellFormats, &CSaveSheetWriter::MulBlankProgress},
        {CSaveOption::ColumnInformation, &CSaveSheetWriter::Columns},
        {CSaveOption::RowInformation, &CSaveSheetWriter::Rows},
        // Merging keeps the top-left value only: the ranges come before the
        // values, so that cells hidden under a merge keep theirs as in the
        // source.
        {CSaveOption::MergedRanges, &CSaveSheetWriter::MergedRanges},
        // Blank cells after the merges (a merge gives its cells the top-left
        // cell's format) and before the values: where a damaged sheet holds a
        // blank and a value at one cell, the value's format is the one kept.
        {CSaveOption::BlankCellFormats, &CSaveSheetWriter::BlankCellFormats},
        {CSaveOption::Numbers, &CSaveSheetWriter::Numbers},
        {CSaveOption::Formulas, &CSaveSheetWriter::Formulas},
        {CSaveOption::BooleansAndErrors, &CSaveSheetWriter::BooleansAndErrors},
        {CSaveOption::Texts, &CSaveSheetWriter::Texts},
        {CSaveOption::Texts, &CSaveSheetWriter::Comments},
        // No options of their own: any content bit lets them through.
        {CSaveOption::All, &CSaveSheetWriter::ConditionalFormats},
        {CSaveOption::All, &CSaveSheetWriter::Hyperlinks},
        {CSaveOption::All, &CSaveSheetWriter::Validations},
    };
    for (const Phase& phase : kPhases) {
        if (!options.IsSet(phase.bit)) continue;
        // A phase's values, then its cell formats, go in before the next
        // phase writes.
        if (!(this->*phase.write)() || !m_values.Flush()) return false;
        m_formatter.FlushCellFormats();
        if (m_removeWritten && phase.bit != CSaveOption::All)
            m_removeWritten->RemoveCellRecords(phase.bit);
    }
    return true;
}

bool CSaveSheetWriter::NextRecord() {
    if (SaveStopCheck()) return false;
    m_progress.Step();
    return true;
}

bool CSaveSheetWriter::MulBlankProgress() {
    if (SaveStopCheck()) return false;
    m_progress.Add(m_worksheet.GetMulBlanks().GetCount());
    return true;
}

bool CSaveSheetWriter::Columns() {
    if (SaveStopCheck()) return false;
    m_layout.WriteStandardWidth();
    for (const CExcelRecordCOLINFO& record : m_worksheet.GetColInfos()) {
        if (!NextRecord()) return false;
        // A run reaching past IV (Excel writes 256 as the end of a run to
        // the sheet's edge; damage can give 65535) is cut at IV.
        const std::uint32_t first = record.GetFirstColumn();
        const std::uint32_t last = std::min<std::uint32_t>(record.GetLastColumn(), kLastColumn);
        if (first > last) continue;
        m_layout.WriteColumns(OneBased(first), OneBased(last), record);
        m_formatter.ApplyColumnInfo(OneBased(first), OneBased(last), record.GetXFIndex());
    }
    return true;
}

bool CSaveSheetWriter::Rows() {
    if (SaveStopCheck()) return false;
    m_layout.WriteStandardHeight();
    // Heights and hidden rows first, in runs; the row formats after them,
    // one ROW record at a time. Each record counts once in the progress.
    if (!m_layout.WriteRows([this] { return !SaveStopCheck(); })) return false;
    for (const CExcelRecordROW& record : m_worksheet.GetRows()) {
        if (!NextRecord()) return false;
        if (record.HasDefaultFormat()) {
            m_formatter.ApplyRowFormat(OneBased(record.GetRow()), record.GetDefaultXFIndex());
        }
    }
    return true;
}

namespace {

template <class NumberRecord>
void WriteNumberCell(CSaveValueBlocks& values, CSaveCellFormatter& formatter,
                     const NumberRecord& record) {
    if (record.GetColumn() > kLastColumn) return;
    const std::int32_t row = OneBased(record.GetRow());
    const std::int32_t column = OneBased(record.GetColumn());
    // No number format with the value: the cell format put next carries
    // the XF's, and a cell whose XF is the default one or is missing shows
    // General as it is.
    values.AddNumber(row, column, record.GetValue());
    formatter.ApplyCellFormat(row, column, record.GetXFIndex());
}

}  // namespace

bool CSaveSheetWriter::Numbers() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordNUMBER& record : m_worksheet.GetNumbers()) {
        if (!NextRecord()) return false;
        WriteNumberCell(m_values, m_formatter, record);
    }
    for (const CExcelRecordRKVALUE& record : m_worksheet.GetRKValues()) {
        if (!NextRecord()) return false;
        WriteNumberCell(m_values, m_formatter, record);
    }
    return true;
}

bool CSaveSheetWriter::Formulas() {
    CSaveFormulaWriter writer(m_automation, m_workbook, m_worksheet, m_formatter, m_progress);
    return writer.Write();
}

bool CSaveSheetWriter::BooleansAndErrors() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordBOOLERR& record : m_worksheet.GetBoolErrs()) {
        if (!NextRecord()) return false;
        // An error byte outside the seven cell errors has no value: the
        // cell is left as it is.
        if (record.GetColumn() > kLastColumn || record.GetText().empty()) continue;
        const std::int32_t row = OneBased(record.GetRow());
        const std::int32_t column = OneBased(record.GetColumn());
        if (record.IsError()) {
            m_values.AddError(row, column, record.GetValue());
        } else {
            m_values.AddBoolean(row, column, record.GetValue() != 0);
        }
        m_formatter.ApplyCellFormat(row, column, record.GetXFIndex());
    }
    return true;
}

bool CSaveSheetWriter::Texts() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordLABELSST& record : m_worksheet.GetLabelSSTs()) {
        if (!NextRecord()) return false;
        bool found = false;
        std::u16string text = record.GetText(m_workbook, &found);
        // A lost string writes nothing: what an earlier phase wrote stays.
        if (!found || record.GetColumn() > kLastColumn) continue;
        const std::int32_t row = OneBased(record.GetRow());
        const std::int32_t column = OneBased(record.GetColumn());
        m_values.AddText(row, column, std::move(text));
        m_formatter.ApplyCellFormat(row, column, record.GetXFIndex());
    }
    for (const CExcelRecordLABEL& record : m_worksheet.GetLabels()) {
        if (!NextRecord()) return false;
        if (record.GetColumn() > kLastColumn) continue;
        const std::int32_t row = OneBased(record.GetRow());
        const std::int32_t column = OneBased(record.GetColumn());
        m_values.AddText(row, column, std::u16string(record.GetText()));
        m_formatter.ApplyCellFormat(row, column, record.GetXFIndex());
    }
    return true;
}

bool CSaveSheetWriter::BlankCellFormats() {
    if (SaveStopCheck()) return false;
    // MULBLANK runs first: where a writer put a BLANK over a cell of a run
    // (seen in the wild after the run), the BLANK's XF is the one readers show.
    // The MULBLANK records were counted by MulBlankProgress already.
    for (const CExcelRecordMULBLANK& record : m_worksheet.GetMulBlanks()) {
        if (SaveStopCheck()) return false;
        MulBlankFormats(record);
    }
    for (const CExcelRecordBLANK& record : m_worksheet.GetBlanks()) {
        if (!NextRecord()) return false;
        if (record.GetColumn() > kLastColumn) continue;
        m_formatter.ApplyCellFormat(OneBased(record.GetRow()), OneBased(record.GetColumn()),
                                    record.GetXFIndex());
    }
    return true;
}

void CSaveSheetWriter::MulBlankFormats(const CExcelRecordMULBLANK& record) {
    // Row, first column, one XF index per cell, last column in the last two
    // bytes. The cells are the XF indices the payload really holds, whatever
    // the last-column field says: a record cut short keeps its first cells.
    const std::uint32_t length = record.GetLength();
    if (length < kMulBlankFixedBytes + kXfIndexBytes) return;
    const std::uint32_t cells = (length - kMulBlankFixedBytes) / kXfIndexBytes;
    const CByteBuffer& payload = record.GetPayload();
    const std::uint32_t row = payload.ReadU16(0);
    const std::uint32_t firstColumn = payload.ReadU16(2);
    // Neighbouring cells with the same XF are formatted as one run.
    std::uint32_t runStart = 0;
    for (std::uint32_t i = 1; i <= cells; ++i) {
        const std::uint16_t xf = payload.ReadU16(kMulBlankFirstXf + runStart * kXfIndexBytes);
        if (i < cells && payload.ReadU16(kMulBlankFirstXf + i * kXfIndexBytes) == xf) continue;
        const std::uint32_t first = firstColumn + runStart;
        const std::uint32_t last = std::min<std::uint32_t>(firstColumn + i - 1, kLastColumn);
        if (first <= last) {
            m_formatter.ApplyRunFormat(OneBased(row), OneBased(first), OneBased(last), xf);
        }
        runStart = i;
    }
}

bool CSaveSheetWriter::MergedRanges() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordMERGEDCELLS& record : m_worksheet.GetMergedCells()) {
        if (!NextRecord()) return false;
        CExcelCelRange8 range;
        // GetRange gives only ranges below the count that the payload
        // wholly holds, so the loop ends with the record's bytes.
        for (std::uint32_t i = 0; i < record.GetCount() && record.GetRange(i, range); ++i) {
            m_automation.MergeRange(OneBased(range.GetFirstColumn()), OneBased(range.GetFirstRow()),
                                    OneBased(range.GetLastColumn()), OneBased(range.GetLastRow()));
        }
    }
    return true;
}

bool CSaveSheetWriter::Comments() {
    return CSaveCommentWriter(m_automation, m_worksheet, m_progress).Write();
}

bool CSaveSheetWriter::ConditionalFormats() {
    CSaveConditionalFormatWriter writer(m_automation, m_workbook, m_worksheet, m_progress);
    return writer.Write();
}

bool CSaveSheetWriter::Hyperlinks() {
    CSaveHyperlinkWriter writer(m_automation, m_worksheet, m_progress);
    return writer.Write();
}

bool CSaveSheetWriter::Validations() {
    CSaveValidationWriter writer(m_automation, m_workbook, m_worksheet, m_progress);
    return writer.Write();
}
