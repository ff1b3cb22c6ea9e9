#include "server/CXlsLinkRecordsWriter.h"

#include <algorithm>

#include "server/XlsFormulaLayout.h"

using namespace xlsw;

namespace {

// The formula an EXTERNNAME of an add-in function holds: #REF!, as the
// spreadsheet writes it (the function has no formula of its own).
constexpr std::uint8_t kAddInFormula[] = {kPtgErr, kErrRef};

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
