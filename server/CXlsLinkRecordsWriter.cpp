#include "server/CXlsLinkRecordsWriter.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "server/XlsFormulaLayout.h"

using namespace xlsw;

namespace {

// The formula an EXTERNNAME of an add-in function holds: #REF!, as the
// spreadsheet writes it (the function has no formula of its own).
constexpr std::uint8_t kAddInFormula[] = {kPtgErr, kErrRef};

// XCT counts its CRN records in a signed 16-bit field.
constexpr std::size_t kMaxCrnRecords = 0x7FFF;
constexpr std::uint32_t kCrnFixedSize = 4;
constexpr std::uint32_t kValueSize = 9;  // type byte and 8 bytes, but for texts

// One CRN record: cells first..last of one row, consecutive columns.
struct CrnRun {
    CXlsLinkCache::Cells::const_iterator first;
    CXlsLinkCache::Cells::const_iterator end;
};

std::uint32_t ValueSize(const CXlsCellValue& value) {
    if (value.Kind() != EXlsValueKind::kText) return kValueSize;
    const std::u16string& text = value.GetText();
    const std::uint32_t width = CBiffRecordBuilder::FitsEightBit(text) ? 1 : 2;
    return 1 + 3 + width * static_cast<std::uint32_t>(text.size());
}

// The CRN records of a sheet's cells: runs of consecutive columns of one
// row, each within one record's body.
std::vector<CrnRun> Runs(const CXlsLinkCache::Cells& cells) {
    std::vector<CrnRun> runs;
    for (auto at = cells.begin(); at != cells.end() && runs.size() < kMaxCrnRecords;) {
        // A text too long for any record is left out.
        if (kCrnFixedSize + ValueSize(at->second) > kMaxRecordBody) {
            ++at;
            continue;
        }
        CrnRun run{at, at};
        std::uint32_t size = kCrnFixedSize;
        auto next = at;
        while (next != cells.end() && next->first.first == at->first.first &&
               next->first.second - at->first.second == std::distance(at, next) &&
               size + ValueSize(next->second) <= kMaxRecordBody) {
            size += ValueSize(next->second);
            ++next;
        }
        run.end = next;
        runs.push_back(run);
        at = next;
    }
    return runs;
}

void AppendValue(CBiffRecordBuilder& record, const CXlsCellValue& value) {
    switch (value.Kind()) {
        case EXlsValueKind::kNumber:
            record.U8(kArrayNumber).Double(value.GetNumber());
            break;
        case EXlsValueKind::kText:
            record.U8(kArrayString).LongString(value.GetText());
            break;
        case EXlsValueKind::kBoolean:
            record.U8(kArrayBoolean).U8(value.GetBoolean() ? 1 : 0).Zeros(7);
            break;
        case EXlsValueKind::kError:
            record.U8(kArrayError).U8(value.GetErrorCode()).Zeros(7);
            break;
        case EXlsValueKind::kEmpty:
            record.U8(kArrayEmpty).Zeros(8);
            break;
    }
}

}  // namespace

bool CXlsLinkRecordsWriter::Write(CBiffRecordWriter& out) const {
    const CXlsLinkTable& links = m_book.Links();
    if (links.ExternSheets().Entries().empty()) return true;

    CBiffRecordBuilder record(kSUPBOOK);
    record.U16(static_cast<std::uint16_t>(m_book.SheetCount())).U16(kSupBookSelf);
    if (!out.Write(record) || !WriteAddIns(out)) return false;
    for (const CXlsExternalBook& other : links.Books()) {
        if (!WriteOtherBook(out, other)) return false;
    }
    return WriteExternSheet(out);
}

bool CXlsLinkRecordsWriter::WriteAddIns(CBiffRecordWriter& out) const {
    const std::vector<std::u16string>& functions = m_book.Links().AddInFunctions();
    if (functions.empty()) return true;
    CBiffRecordBuilder record(kSUPBOOK);
    record.U16(1).U16(kSupBookAddIn);
    if (!out.Write(record)) return false;
    for (const std::u16string& function : functions) {
        record.Reset(kEXTERNNAME);
        record.U16(0).U32(0).ShortString(function);
        record.U16(sizeof kAddInFormula).Bytes(kAddInFormula, sizeof kAddInFormula);
        if (!out.Write(record)) return false;
    }
    return true;
}

bool CXlsLinkRecordsWriter::WriteOtherBook(CBiffRecordWriter& out,
                                           const CXlsExternalBook& other) const {
    CBiffRecordBuilder record(kSUPBOOK);
    record.U16(static_cast<std::uint16_t>(other.Sheets().size())).LongString(other.EncodedPath());
    for (const std::u16string& sheet : other.Sheets()) record.LongString(sheet);
    if (!out.Write(record)) return false;
    for (const CXlsExternalBook::BookName& name : other.Names()) {
        // The sheet counted from 1, 0 for a name of the whole workbook; no
        // formula, since nothing of the other workbook is known.
        const std::uint16_t sheet = name.sheet == CXlsExternSheetTable::kNoSheet
                                        ? 0
                                        : static_cast<std::uint16_t>(name.sheet + 1);
        record.Reset(kEXTERNNAME);
        record.U16(0).U16(sheet).U16(0).ShortString(name.text).U16(0);
        if (!out.Write(record)) return false;
    }
    for (std::size_t i = 0; i < other.Sheets().size(); ++i) {
        if (!WriteCache(out, other, i)) return false;
    }
    return true;
}

bool CXlsLinkRecordsWriter::WriteCache(CBiffRecordWriter& out, const CXlsExternalBook& other,
                                       std::size_t sheet) const {
    const CXlsLinkCache::Cells* cells =
        m_book.LinkCache().Find(other.Path(), other.Sheets()[sheet]);
    if (cells == nullptr || cells->empty()) return true;
    const std::vector<CrnRun> runs = Runs(*cells);
    CBiffRecordBuilder record(kXCT);
    record.U16(static_cast<std::uint16_t>(runs.size())).U16(static_cast<std::uint16_t>(sheet));
    if (!out.Write(record)) return false;
    for (const CrnRun& run : runs) {
        const auto last = std::prev(run.end);
        record.Reset(kCRN);
        record.U8(last->first.second).U8(run.first->first.second).U16(run.first->first.first);
        for (auto at = run.first; at != run.end; ++at) AppendValue(record, at->second);
        if (!out.Write(record)) return false;
    }
    return true;
}

bool CXlsLinkRecordsWriter::WriteExternSheet(CBiffRecordWriter& out) const {
    const CXlsLinkTable& links = m_book.Links();
    const std::uint16_t addIns = links.AddInFunctions().empty() ? 0 : 1;
    const auto& entries = links.ExternSheets().Entries();
    CBiffRecordBuilder record(kEXTERNSHEET);
    record.U16(static_cast<std::uint16_t>(entries.size()));
    for (const CXlsExternSheetTable::Entry& entry : entries) {
        if (entry.book == CXlsExternSheetTable::kAddIns) {
            record.U16(1).U16(kExternSheetNoSheet).U16(kExternSheetNoSheet);
            continue;
        }
        if (entry.book != CXlsExternSheetTable::kThisWorkbook) {
            record.U16(static_cast<std::uint16_t>(1 + addIns + entry.book))
                .U16(static_cast<std::uint16_t>(entry.first))
                .U16(static_cast<std::uint16_t>(entry.last));
            continue;
        }
        const std::size_t first = m_book.PositionOfId(entry.first);
        const std::size_t last = m_book.PositionOfId(entry.last);
        std::uint16_t a = first == CXlsWorkbook::kNotFound ? kExternSheetDeleted
                                                           : static_cast<std::uint16_t>(first);
        std::uint16_t b = last == CXlsWorkbook::kNotFound ? kExternSheetDeleted
                                                          : static_cast<std::uint16_t>(last);
        // A range of sheets runs between its end sheets in their present
        // order, whichever of them now comes first.
        if (a != kExternSheetDeleted && b != kExternSheetDeleted && a > b) std::swap(a, b);
        record.U16(0).U16(a).U16(b);
    }
    return out.Write(record);
}
