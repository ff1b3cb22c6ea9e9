#include "repair/CRecoveredCells.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <utility>

#include "format/CDateFormatTest.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"

namespace {

// The cells every phase wrote, in the order written. Who wins a cell is
// settled once at the end, by sorting: a map of cells updated record by
// record costs a node and a hash per cell, and on a sheet of a million
// cells that was most of the view's time.
using CellMap = std::vector<CRecoveredCell>;

struct PhaseInput {
    const CExcelWorkBook& workbook;
    const CExcelWorkSheet& sheet;
    CDateFormatTest& dates;
};

std::uint32_t KeyOf(std::uint16_t row, std::uint16_t column) {
    return (static_cast<std::uint32_t>(row) << 16) | column;
}

CRecoveredCell CellAt(std::uint16_t row, std::uint16_t column, std::uint16_t xfIndex) {
    CRecoveredCell cell;
    cell.m_row = row;
    cell.m_column = column;
    cell.m_xfIndex = xfIndex;
    return cell;
}

void Put(CellMap& cells, CRecoveredCell cell) {
    cells.push_back(std::move(cell));
}

template <class NumberRecord>
void PutNumber(const PhaseInput& in, CellMap& cells, const NumberRecord& record) {
    CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXFIndex());
    cell.m_kind = ERecoveredValue::Number;
    cell.m_number = record.GetValue();
    cell.m_date = in.dates.IsDateXF(cell.m_xfIndex);
    Put(cells, std::move(cell));
}

void ApplyNumbers(const PhaseInput& in, CellMap& cells) {
    for (const CExcelRecordNUMBER& record : in.sheet.GetNumbers()) PutNumber(in, cells, record);
}

void ApplyRKValues(const PhaseInput& in, CellMap& cells) {
    for (const CExcelRecordRKVALUE& record : in.sheet.GetRKValues()) PutNumber(in, cells, record);
}

// Byte 2 of the eight cached-result bytes holds a Boolean's value or an
// error's code; GetNumber hands the eight bytes over as they are stored.
std::uint8_t TaggedResultByte(const CExcelRecordFormula& record) {
    return static_cast<std::uint8_t>(std::bit_cast<std::uint64_t>(record.GetNumber()) >> 16);
}

void ApplyFormulas(const PhaseInput& in, CellMap& cells) {
    for (const CExcelRecordFormula& record : in.sheet.GetFormulas()) {
        // Every cell of a shared or array range has a FORMULA record of its
        // own, carrying that cell's cached result, so each record claims
        // just its own cell.
        CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXF());
        cell.m_formula = &record;
        switch (record.GetResultType()) {
            case FormulaResultString:
                cell.m_kind = ERecoveredValue::Text;
                cell.m_text = record.GetValueText(nullptr);
                break;
            case FormulaResultBoolean:
                cell.m_kind = ERecoveredValue::Boolean;
                cell.m_code = TaggedResultByte(record);
                break;
            case FormulaResultError:
                cell.m_kind = ERecoveredValue::Error;
                cell.m_code = TaggedResultByte(record);
                break;
            case FormulaResultEmpty:
                cell.m_kind = ERecoveredValue::Empty;
                break;
            case FormulaResultNumber:
                cell.m_kind = ERecoveredValue::Number;
                cell.m_number = record.GetNumber();
                cell.m_date = in.dates.IsDateXF(cell.m_xfIndex);
                break;
        }
        Put(cells, std::move(cell));
    }
}

void ApplyBoolErrs(const PhaseInput& in, CellMap& cells) {
    for (const CExcelRecordBOOLERR& record : in.sheet.GetBoolErrs()) {
        CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXFIndex());
        cell.m_kind = record.IsError() ? ERecoveredValue::Error : ERecoveredValue::Boolean;
        cell.m_code = record.GetValue();
        Put(cells, std::move(cell));
    }
}

void ApplyLabelSSTs(const PhaseInput& in, CellMap& cells) {
    for (const CExcelRecordLABELSST& record : in.sheet.GetLabelSSTs()) {
        CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXFIndex());
        bool found = false;
        cell.m_text = record.GetText(in.workbook, &found);
        if (found) {
            cell.m_kind = ERecoveredValue::Text;
            Put(cells, std::move(cell));
            continue;
        }
        // The save writes nothing for a missing string, so whatever an
        // earlier phase put in the cell stays there (see Build).
        cell.m_kind = ERecoveredValue::Lost;
        cells.push_back(std::move(cell));
    }
}

void ApplyLabels(const PhaseInput& in, CellMap& cells) {
    for (const CExcelRecordLABEL& record : in.sheet.GetLabels()) {
        CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXFIndex());
        cell.m_kind = ERecoveredValue::Text;
        cell.m_text = record.GetText();
        Put(cells, std::move(cell));
    }
}

// The save's writing phases, in the order it runs them.
constexpr void (*kPhases[])(const PhaseInput&, CellMap&) = {
    ApplyNumbers, ApplyRKValues, ApplyFormulas, ApplyBoolErrs, ApplyLabelSSTs, ApplyLabels,
};

}  // namespace

CRecoveredCells::CRecoveredCells(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet) {
    CDateFormatTest dates(workbook);
    Build(workbook, sheet, dates);
}

CRecoveredCells::CRecoveredCells(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
                                 CDateFormatTest& dates) {
    Build(workbook, sheet, dates);
}

void CRecoveredCells::Build(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
                            CDateFormatTest& dates) {
    const PhaseInput in{workbook, sheet, dates};
    CellMap written;
    written.reserve(sheet.GetNumbers().GetCount() + sheet.GetRKValues().GetCount() +
                    sheet.GetFormulas().GetCount() + sheet.GetBoolErrs().GetCount() +
                    sheet.GetLabelSSTs().GetCount() + sheet.GetLabels().GetCount());
    for (const auto phase : kPhases) phase(in, written);

    // Cell key above, write order below: sorted, each cell's writes are
    // together and in the order they were made.
    std::vector<std::uint64_t> order;
    order.reserve(written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        const CRecoveredCell& cell = written[i];
        order.push_back(static_cast<std::uint64_t>(KeyOf(cell.m_row, cell.m_column)) << 32 | i);
    }
    std::sort(order.begin(), order.end());

    // Winners first, in cell order, then the writes that lost; the cells
    // are then moved into that order in place, so that no second vector of
    // cells is held beside the first.
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> target;
    target.reserve(written.size());
    std::vector<std::size_t> losers;
    for (std::size_t at = 0; at < order.size();) {
        const std::uint64_t key = order[at] >> 32;
        // The last write wins; a lost text only where nothing was written.
        std::size_t winner = kNone;
        for (std::size_t run = at; run < order.size() && order[run] >> 32 == key; ++run) {
            const std::size_t index = order[run] & 0xFFFFFFFFu;
            if (winner == kNone || written[index].m_kind != ERecoveredValue::Lost) winner = index;
        }
        for (; at < order.size() && order[at] >> 32 == key; ++at) {
            const std::size_t index = order[at] & 0xFFFFFFFFu;
            if (index != winner) losers.push_back(index);
        }
        target.push_back(winner);
    }
    const std::size_t kept = target.size();
    target.insert(target.end(), losers.begin(), losers.end());
    std::vector<std::uint64_t>().swap(order);
    std::vector<std::size_t>().swap(losers);

    // Position p takes the cell at target[p]: follow each cycle of the
    // permutation once.
    for (std::size_t start = 0; start < target.size(); ++start) {
        if (target[start] == start || target[start] == kNone) continue;
        CRecoveredCell held = std::move(written[start]);
        std::size_t at = start;
        while (target[at] != start) {
            const std::size_t from = target[at];
            written[at] = std::move(written[from]);
            target[at] = kNone;
            at = from;
        }
        written[at] = std::move(held);
        target[at] = kNone;
    }
    written.resize(kept);
    m_cells = std::move(written);
}

const CRecoveredCell* CRecoveredCells::Find(std::uint16_t row, std::uint16_t column) const {
    const std::uint32_t key = KeyOf(row, column);
    const auto at = std::lower_bound(m_cells.begin(), m_cells.end(), key,
                                     [](const CRecoveredCell& cell, std::uint32_t k) {
                                         return KeyOf(cell.m_row, cell.m_column) < k;
                                     });
    return at != m_cells.end() && KeyOf(at->m_row, at->m_column) == key ? &*at : nullptr;
}
