#include "repair/CRecoveredCells.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <utility>

#include "format/CDateFormatTest.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/TextConversion.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/CExcelSSTData.h"
#include "records/CExcelSSTDataList.h"

namespace {

// Without a date test the view fills in kinds only: no text is copied.
struct PhaseInput {
    const CExcelWorkBook& workbook;
    const CExcelWorkSheet& sheet;
    CDateFormatTest* dates;

    bool Values() const { return dates != nullptr; }
    bool IsDate(std::uint16_t xfIndex) const { return dates && dates->IsDateXF(xfIndex); }
};

// The save's writing phases, in the order it runs them.
enum class EPhase : std::uint8_t { Numbers, RKValues, Formulas, BoolErrs, LabelSSTs, Labels };

// One write: the cell it claims, when it was made (phases in order, records
// in parser order inside a phase) and the record that makes it. Who wins a
// cell is settled by sorting these small references; only the winners are
// then made into cells, so no text is copied for a write that lost.
struct Write {
    std::uint64_t order;  // cell key above, write number below
    const void* record;
    EPhase phase;
    bool lost;  // a LABELSST whose shared string is missing
};

std::uint32_t KeyOf(std::uint16_t row, std::uint16_t column) {
    return (static_cast<std::uint32_t>(row) << 16) | column;
}

bool EarlierWrite(const Write& a, const Write& b) {
    return a.order < b.order;
}

// Appends one phase's writes and merges them into the writes before them,
// which are already in order. A phase's records come in the stream's
// order, which is the cells' order in a sound sheet: a phase already in
// order is merged in, not sorted. Every write's order is unique, so the
// result is the one a sort of all the writes gives.
template <class Record>
void Collect(const CTList<Record>& records, EPhase phase, std::vector<Write>& writes) {
    const auto from = static_cast<std::ptrdiff_t>(writes.size());
    for (const Record& record : records) {
        const std::uint64_t key = KeyOf(record.GetRow(), record.GetColumn());
        writes.push_back({key << 32 | writes.size(), &record, phase, false});
    }
    const auto first = writes.begin() + from;
    if (!std::is_sorted(first, writes.end(), EarlierWrite))
        std::sort(first, writes.end(), EarlierWrite);
    std::inplace_merge(writes.begin(), first, writes.end(), EarlierWrite);
}

bool HasBrokenUnits(std::u16string_view text) {
    // Most texts hold no surrogate at all: one plain pass over the units
    // rules them out before each surrogate's neighbours are looked at.
    constexpr char16_t kSurrogateMask = 0xF800;
    constexpr char16_t kSurrogateBlock = 0xD800;
    const bool anySurrogate = std::any_of(text.begin(), text.end(), [](char16_t unit) {
        return (unit & kSurrogateMask) == kSurrogateBlock;
    });
    return anySurrogate && CountUnpairedSurrogates(text) > 0;
}

CRecoveredCell CellAt(std::uint16_t row, std::uint16_t column, std::uint16_t xfIndex) {
    CRecoveredCell cell;
    cell.m_row = row;
    cell.m_column = column;
    cell.m_xfIndex = xfIndex;
    return cell;
}

template <class NumberRecord>
CRecoveredCell NumberCell(const PhaseInput& in, const NumberRecord& record) {
    CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXFIndex());
    cell.m_kind = ERecoveredValue::Number;
    cell.m_number = record.GetValue();
    cell.m_date = in.IsDate(cell.m_xfIndex);
    return cell;
}

// Byte 2 of the eight cached-result bytes holds a Boolean's value or an
// error's code; GetNumber hands the eight bytes over as they are stored.
std::uint8_t TaggedResultByte(const CExcelRecordFormula& record) {
    return static_cast<std::uint8_t>(std::bit_cast<std::uint64_t>(record.GetNumber()) >> 16);
}

// Every cell of a shared or array range has a FORMULA record of its own,
// carrying that cell's cached result, so each record claims just its own
// cell.
CRecoveredCell FormulaCell(const PhaseInput& in, const CExcelRecordFormula& record) {
    CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXF());
    cell.m_formula = &record;
    switch (record.GetResultType()) {
        case FormulaResultString: {
            cell.m_kind = ERecoveredValue::Text;
            // The cached string is decoded from the record's bytes each time.
            std::u16string text = record.GetValueText(nullptr);
            cell.m_brokenText = HasBrokenUnits(text);
            if (in.Values()) cell.m_text = std::move(text);
            break;
        }
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
            cell.m_date = in.IsDate(cell.m_xfIndex);
            break;
    }
    return cell;
}

CRecoveredCell BoolErrCell(const CExcelRecordBOOLERR& record) {
    CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXFIndex());
    cell.m_kind = record.IsError() ? ERecoveredValue::Error : ERecoveredValue::Boolean;
    cell.m_code = record.GetValue();
    return cell;
}

CRecoveredCell LabelSSTCell(const PhaseInput& in, const CExcelRecordLABELSST& record, bool lost) {
    CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXFIndex());
    cell.m_kind = lost ? ERecoveredValue::Lost : ERecoveredValue::Text;
    if (lost) return cell;
    const CExcelSSTData* string = in.workbook.GetSharedStrings().GetAt(record.GetSSTIndex());
    cell.m_brokenText = string && HasBrokenUnits(string->GetText());
    if (in.Values()) cell.m_text = record.GetText(in.workbook);
    return cell;
}

CRecoveredCell LabelCell(const PhaseInput& in, const CExcelRecordLABEL& record) {
    CRecoveredCell cell = CellAt(record.GetRow(), record.GetColumn(), record.GetXFIndex());
    cell.m_kind = ERecoveredValue::Text;
    cell.m_brokenText = HasBrokenUnits(record.GetText());
    if (in.Values()) cell.m_text = record.GetText();
    return cell;
}

CRecoveredCell MakeCell(const PhaseInput& in, const Write& write) {
    switch (write.phase) {
        case EPhase::Numbers:
            return NumberCell(in, *static_cast<const CExcelRecordNUMBER*>(write.record));
        case EPhase::RKValues:
            return NumberCell(in, *static_cast<const CExcelRecordRKVALUE*>(write.record));
        case EPhase::Formulas:
            return FormulaCell(in, *static_cast<const CExcelRecordFormula*>(write.record));
        case EPhase::BoolErrs:
            return BoolErrCell(*static_cast<const CExcelRecordBOOLERR*>(write.record));
        case EPhase::LabelSSTs:
            return LabelSSTCell(in, *static_cast<const CExcelRecordLABELSST*>(write.record),
                                write.lost);
        case EPhase::Labels:
            break;
    }
    return LabelCell(in, *static_cast<const CExcelRecordLABEL*>(write.record));
}

// Settles who wins each cell of the sheet and hands the winners over in
// row and column order: count first (how many cells there are), then each
// cell.
template <class Count, class Add>
void Settle(const PhaseInput& in, Count count, Add add) {
    const CExcelWorkSheet& sheet = in.sheet;
    std::vector<Write> writes;
    writes.reserve(sheet.GetNumbers().GetCount() + sheet.GetRKValues().GetCount() +
                   sheet.GetFormulas().GetCount() + sheet.GetBoolErrs().GetCount() +
                   sheet.GetLabelSSTs().GetCount() + sheet.GetLabels().GetCount());
    Collect(sheet.GetNumbers(), EPhase::Numbers, writes);
    Collect(sheet.GetRKValues(), EPhase::RKValues, writes);
    Collect(sheet.GetFormulas(), EPhase::Formulas, writes);
    Collect(sheet.GetBoolErrs(), EPhase::BoolErrs, writes);
    Collect(sheet.GetLabelSSTs(), EPhase::LabelSSTs, writes);
    Collect(sheet.GetLabels(), EPhase::Labels, writes);
    // The save writes nothing for a missing string, so whatever an earlier
    // phase put in the cell stays there.
    const CExcelSSTDataList& strings = in.workbook.GetSharedStrings();
    for (Write& write : writes) {
        if (write.phase != EPhase::LabelSSTs) continue;
        const auto& record = *static_cast<const CExcelRecordLABELSST*>(write.record);
        write.lost = strings.GetAt(record.GetSSTIndex()) == nullptr;
    }

    // In order, each cell's writes are together and in the order they were
    // made.
    std::size_t cells = 0;
    for (std::size_t at = 0; at < writes.size(); ++at)
        if (at == 0 || writes[at].order >> 32 != writes[at - 1].order >> 32) ++cells;
    count(cells);
    for (std::size_t at = 0; at < writes.size();) {
        const std::uint64_t key = writes[at].order >> 32;
        // The last write wins; a lost text only where nothing was written.
        const Write* winner = nullptr;
        for (; at < writes.size() && writes[at].order >> 32 == key; ++at)
            if (winner == nullptr || !writes[at].lost) winner = &writes[at];
        add(MakeCell(in, *winner));
    }
}

}  // namespace

CRecoveredCells::CRecoveredCells(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
                                 ERecoveredDetail detail) {
    if (detail == ERecoveredDetail::Kinds) {
        Build(workbook, sheet, nullptr);
        return;
    }
    CDateFormatTest dates(workbook);
    Build(workbook, sheet, &dates);
}

CRecoveredCells::CRecoveredCells(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
                                 CDateFormatTest& dates) {
    Build(workbook, sheet, &dates);
}

void CRecoveredCells::Build(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
                            CDateFormatTest* dates) {
    Settle(
        {workbook, sheet, dates}, [this](std::size_t cells) { m_cells.reserve(cells); },
        [this](CRecoveredCell&& cell) { m_cells.push_back(std::move(cell)); });
}

void CRecoveredCells::ForEachCell(const CExcelWorkBook& workbook, const CExcelWorkSheet& sheet,
                                  const std::function<void(const CRecoveredCell&)>& visit) {
    Settle(
        {workbook, sheet, nullptr}, [](std::size_t) {},
        [&visit](CRecoveredCell&& cell) { visit(cell); });
}

std::size_t CRecoveredCells::CountCells(const CExcelWorkSheet& sheet,
                                        const CExcelSSTDataList* strings) {
    // Every record claims a cell, and a cell that only lost texts claim is
    // still one (a lost cell): the cells are the distinct keys. Given the
    // table, a text whose string is missing claims nothing: what is left are
    // the cells the save writes a value to.
    std::vector<std::uint32_t> keys;
    keys.reserve(sheet.GetNumbers().GetCount() + sheet.GetRKValues().GetCount() +
                 sheet.GetFormulas().GetCount() + sheet.GetBoolErrs().GetCount() +
                 sheet.GetLabelSSTs().GetCount() + sheet.GetLabels().GetCount());
    // Each kind's records come in the stream's order, which is the cells'
    // order in a sound sheet: a kind already in order is merged in, not
    // sorted.
    const auto collect = [&keys](const auto& records, const auto& claims) {
        const auto from = static_cast<std::ptrdiff_t>(keys.size());
        for (const auto& record : records)
            if (claims(record)) keys.push_back(KeyOf(record.GetRow(), record.GetColumn()));
        const auto first = keys.begin() + from;
        if (!std::is_sorted(first, keys.end())) std::sort(first, keys.end());
        std::inplace_merge(keys.begin(), first, keys.end());
    };
    const auto always = [](const auto&) { return true; };
    collect(sheet.GetNumbers(), always);
    collect(sheet.GetRKValues(), always);
    collect(sheet.GetFormulas(), always);
    collect(sheet.GetBoolErrs(), always);
    collect(sheet.GetLabelSSTs(), [strings](const CExcelRecordLABELSST& record) {
        return strings == nullptr || strings->GetAt(record.GetSSTIndex()) != nullptr;
    });
    collect(sheet.GetLabels(), always);
    return static_cast<std::size_t>(std::unique(keys.begin(), keys.end()) - keys.begin());
}

const CRecoveredCell* CRecoveredCells::Find(std::uint16_t row, std::uint16_t column) const {
    const std::uint32_t key = KeyOf(row, column);
    const auto at = std::lower_bound(m_cells.begin(), m_cells.end(), key,
                                     [](const CRecoveredCell& cell, std::uint32_t k) {
                                         return KeyOf(cell.m_row, cell.m_column) < k;
                                     });
    return at != m_cells.end() && KeyOf(at->m_row, at->m_column) == key ? &*at : nullptr;
}
