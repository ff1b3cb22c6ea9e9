#include "records/CExcelCellRecordDecoders.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/IExcelStreamReader.h"
#include "platform/RunState.h"
#include "records/CExcelRecordBLANK.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordMERGEDCELLS.h"
#include "records/CExcelRecordMULBLANK.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordQUICKTIP.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/CExcelRecordROW.h"
#include "records/CExcelSheetRecords.h"
#include "records/CellRecordLayout.h"

namespace {

using Entry = CExcelCellRecordDecoders::Entry;

// A record header cannot declare a longer payload, so this bounds every
// buffer a variable-size record asks for.
constexpr std::uint32_t kAnySize = 0xFFFF;
// The largest fixed payload of the table (ROW).
constexpr std::uint32_t kLargestFixed = biff8::kRowSize;

void Count(ERepairCounter counter) {
    RepairCounters[counter].fetch_add(1);
}

// Reads count bytes at payload offset `at` of the record whose header lies
// at position. False when the bytes are not all in the substream, or when
// the offset would pass the end of the 32-bit offset range.
bool ReadPayload(IExcelStreamReader& reader, std::uint32_t position, std::uint64_t at,
                 std::uint32_t count, std::uint8_t* out) {
    const std::uint64_t offset =
        static_cast<std::uint64_t>(position) + biff::kRecordHeaderSize + at;
    if (offset > std::numeric_limits<std::uint32_t>::max()) return false;
    return reader.Read(count, static_cast<std::uint32_t>(offset), out);
}

// Accepted payload sizes of one type, from the table.
bool Accepts(std::uint16_t type, std::uint32_t size) {
    return CExcelCellRecordDecoders::AcceptsSize(type, size);
}

// ---- Records kept as decoded fields ----------------------------------------

bool DecodeNUMBER(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                  std::uint32_t position) {
    std::array<std::uint8_t, biff8::kNumberSize> payload;
    if (!Accepts(biff::kNUMBER, size) || !ReadPayload(reader, position, 0, size, payload.data()))
        return false;
    sheet.GetNumbers().Emplace(payload.data());
    Count(CounterNumericCells);
    return true;
}

void AppendRK(CExcelSheetRecords& sheet, std::uint16_t row, std::uint16_t column,
              const std::uint8_t* entry) {
    sheet.GetRKValues().Emplace(row, column, CDataReader::GetU16(entry + biff8::kMulRkEntryXF),
                                CDataReader::GetU32(entry + biff8::kMulRkEntryRk));
    Count(CounterNumericCells);
}

bool DecodeRK(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
              std::uint32_t position) {
    std::array<std::uint8_t, biff8::kRkSize> payload;
    if (!Accepts(biff::kRK, size) || !ReadPayload(reader, position, 0, size, payload.data()))
        return false;
    // An RK payload from the XF on is laid out as a MULRK entry.
    AppendRK(sheet, CDataReader::GetU16(&payload[biff8::kCellRow]),
             CDataReader::GetU16(&payload[biff8::kCellColumn]), &payload[biff8::kCellXF]);
    return true;
}

bool DecodeMULRK(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                 std::uint32_t position) {
    if (!Accepts(biff::kMULRK, size)) return false;
    std::uint8_t last[biff8::kMulRkLastColumnSize];
    std::uint8_t head[biff8::kMulRkFirstEntry];
    if (!ReadPayload(reader, position, size - biff8::kMulRkLastColumnSize, sizeof last, last) ||
        !ReadPayload(reader, position, 0, sizeof head, head))
        return false;
    const std::uint16_t row = CDataReader::GetU16(&head[biff8::kCellRow]);
    const std::uint32_t firstColumn = CDataReader::GetU16(&head[biff8::kMulRkFirstColumn]);
    const std::uint32_t lastColumn = CDataReader::GetU16(last);
    // Columns past the sheet's last are no cells of the file.
    if (firstColumn > lastColumn || firstColumn > biff8::kLastColumn) return false;

    // Entries that lie wholly between the head and the last column field;
    // the ones after them start on the last column field and run on into
    // whatever bytes follow the record.
    const std::uint32_t held =
        (size - biff8::kMulRkFirstEntry - biff8::kMulRkLastColumnSize) / biff8::kMulRkEntrySize;
    const std::uint32_t promised =
        std::min<std::uint32_t>(lastColumn, biff8::kLastColumn) - firstColumn + 1;
    bool appended = false;
    for (std::uint32_t i = 0; i < promised; ++i) {
        const bool overrun = i >= held;
        if (overrun && sheet.GetMulRkOverrun() >= CExcelCellRecordDecoders::kMulRkOverrunPerSheet)
            break;
        std::uint8_t entry[biff8::kMulRkEntrySize];
        const std::uint64_t at =
            biff8::kMulRkFirstEntry + static_cast<std::uint64_t>(biff8::kMulRkEntrySize) * i;
        if (!ReadPayload(reader, position, at, sizeof entry, entry)) break;
        AppendRK(sheet, row, static_cast<std::uint16_t>(firstColumn + i), entry);
        if (overrun) sheet.SetMulRkOverrun(sheet.GetMulRkOverrun() + 1);
        appended = true;
    }
    return appended;
}

// ---- Records kept as their payload -------------------------------------------

// Reads the whole payload and appends a T made from it to list, counting
// it in counter unless that is RepairCounterCount.
template <class T>
bool AppendPayload(IExcelStreamReader& reader, std::uint16_t type, std::uint32_t size,
                   std::uint32_t position, CTList<T>& list, ERepairCounter counter) {
    if (!Accepts(type, size)) return false;
    std::uint8_t fixed[kLargestFixed];
    std::vector<std::uint8_t> variable;
    std::uint8_t* bytes = fixed;
    if (size > kLargestFixed) {
        variable.resize(size);  // at most kAnySize
        bytes = variable.data();
    }
    if (!ReadPayload(reader, position, 0, size, bytes)) return false;
    list.Emplace(bytes, size);
    if (counter != RepairCounterCount) Count(counter);
    return true;
}

bool DecodeLABELSST(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                    std::uint32_t position) {
    // Text cells are counted from the SST's total instead.
    return AppendPayload(reader, biff::kLABELSST, size, position, sheet.GetLabelSSTs(),
                         RepairCounterCount);
}

bool DecodeBLANK(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                 std::uint32_t position) {
    return AppendPayload(reader, biff::kBLANK, size, position, sheet.GetBlanks(),
                         CounterOtherCells);
}

bool DecodeMULBLANK(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                    std::uint32_t position) {
    return AppendPayload(reader, biff::kMULBLANK, size, position, sheet.GetMulBlanks(),
                         RepairCounterCount);
}

bool DecodeBOOLERR(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                   std::uint32_t position) {
    std::array<std::uint8_t, biff8::kBoolErrPaddedSize> payload;
    if (!Accepts(biff::kBOOLERR, size) || !ReadPayload(reader, position, 0, size, payload.data()))
        return false;
    // A padding byte (OpenOffice Calc's 9-byte form) carries nothing: the
    // record keeps the 8 bytes every reader and our save expect.
    sheet.GetBoolErrs().Emplace(payload.data(), biff8::kBoolErrSize);
    return true;
}

bool DecodeROW(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
               std::uint32_t position) {
    return AppendPayload(reader, biff::kROW, size, position, sheet.GetRows(), RepairCounterCount);
}

bool DecodeCOLINFO(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                   std::uint32_t position) {
    return AppendPayload(reader, biff::kCOLINFO, size, position, sheet.GetColInfos(),
                         RepairCounterCount);
}

bool DecodeMERGEDCELLS(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                       std::uint32_t position) {
    return AppendPayload(reader, biff::kMERGEDCELLS, size, position, sheet.GetMergedCells(),
                         CounterOtherCells);
}

bool DecodeQUICKTIP(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                    std::uint32_t position) {
    return AppendPayload(reader, biff::kQUICKTIP, size, position, sheet.GetQuickTips(),
                         CounterOtherCells);
}

// ---- Text stored in the record itself -------------------------------------------

// LABEL (0x0204) and RSTRING (0x00D6): row, column, XF, then a BIFF8 unicode
// string in the long form: u16 character count, option flags, [u16 run
// count] [u32 extension size], the characters. RSTRING's formatting runs
// follow the string; the cell's text does not need them.
constexpr std::uint32_t kLabelCount = 6;    // u16 characters
constexpr std::uint32_t kLabelFlags = 8;    // u8 option flags
constexpr std::uint32_t kLabelMinSize = 8;  // up to the count: no flags, no characters
// No sound record body is longer. A LABEL that claims more is damage, and
// its "text" would be the records that follow it.
constexpr std::uint32_t kLabelMaxSize = biff::kMaxBodyLength;

// The text of a LABEL or RSTRING payload. Characters that the count puts
// past the record's end are cut there (a damaged count, or a string whose
// rest went to a CONTINUE record that a cell record does not join), so the
// count can never make us read past the record. Zero characters are kept:
// they are part of the cell's text.
std::u16string LabelText(const std::uint8_t* payload, std::uint32_t size) {
    const std::uint32_t count = CDataReader::GetU16(payload + kLabelCount);
    if (size <= kLabelFlags) return {};  // a count without flags holds no characters
    const std::uint8_t flags = payload[kLabelFlags];
    const bool wide = flags & biff::kStringWide;
    std::uint32_t at = kLabelFlags + 1;
    if (flags & biff::kStringRich) at += 2;
    if (flags & biff::kStringExtended) at += 4;
    if (at >= size) return {};
    const std::uint32_t chars = std::min(count, wide ? (size - at) / 2 : size - at);
    std::u16string text(chars, u'\0');
    for (std::uint32_t i = 0; i < chars; ++i)
        text[i] = wide ? static_cast<char16_t>(CDataReader::GetU16(payload + at + 2 * i))
                       : static_cast<char16_t>(payload[at + i]);
    return text;
}

// Shared by LABEL and RSTRING, which differ only after the string.
bool DecodeInlineText(std::uint16_t type, IExcelStreamReader& reader, CExcelSheetRecords& sheet,
                      std::uint32_t size, std::uint32_t position) {
    std::array<std::uint8_t, kLabelMaxSize> payload;
    if (!Accepts(type, size) || !ReadPayload(reader, position, 0, size, payload.data()))
        return false;
    sheet.GetLabels().Emplace(CDataReader::GetU16(&payload[biff8::kCellRow]),
                              CDataReader::GetU16(&payload[biff8::kCellColumn]),
                              CDataReader::GetU16(&payload[biff8::kCellXF]),
                              LabelText(payload.data(), size));
    // Not in the shared-string table, so not in the count taken from it.
    Count(CounterTextCells);
    return true;
}

bool DecodeLABEL(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                 std::uint32_t position) {
    return DecodeInlineText(biff::kLABEL, reader, sheet, size, position);
}

bool DecodeRSTRING(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                   std::uint32_t position) {
    return DecodeInlineText(biff::kRSTRING, reader, sheet, size, position);
}

// Sorted by type.
constexpr Entry kTable[] = {
    {biff::kCOLINFO, biff8::kColInfoMinSize, biff8::kColInfoSize, DecodeCOLINFO},
    {biff::kMULRK, biff8::kMulRkMinSize, kAnySize, DecodeMULRK},
    {biff::kMULBLANK, biff8::kMulBlankMinSize, kAnySize, DecodeMULBLANK},
    {biff::kRSTRING, kLabelMinSize, kLabelMaxSize, DecodeRSTRING},
    {biff::kMERGEDCELLS, biff8::kMergedMinSize, kAnySize, DecodeMERGEDCELLS},
    {biff::kLABELSST, biff8::kLabelSstSize, biff8::kLabelSstSize, DecodeLABELSST},
    {biff::kBLANK, biff8::kBlankSize, biff8::kBlankSize, DecodeBLANK},
    {biff::kNUMBER, biff8::kNumberSize, biff8::kNumberSize, DecodeNUMBER},
    {biff::kLABEL, kLabelMinSize, kLabelMaxSize, DecodeLABEL},
    {biff::kBOOLERR, biff8::kBoolErrSize, biff8::kBoolErrPaddedSize, DecodeBOOLERR},
    {biff::kROW, biff8::kRowSize, biff8::kRowSize, DecodeROW},
    {biff::kRK, biff8::kRkSize, biff8::kRkSize, DecodeRK},
    {biff::kQUICKTIP, biff8::kQuickTipMinSize, kAnySize, DecodeQUICKTIP},
};

}  // namespace

const Entry* CExcelCellRecordDecoders::Find(std::uint16_t type) {
    for (const Entry& entry : kTable) {
        if (entry.type == type) return &entry;
    }
    return nullptr;
}

const Entry* CExcelCellRecordDecoders::Table(std::uint32_t* count) {
    if (count) *count = static_cast<std::uint32_t>(std::size(kTable));
    return kTable;
}

bool CExcelCellRecordDecoders::AcceptsSize(std::uint16_t type, std::uint32_t size) {
    const Entry* entry = Find(type);
    return entry && size >= entry->minSize && size <= entry->maxSize;
}

bool CExcelCellRecordDecoders::Decode(std::uint16_t type, IExcelStreamReader& reader,
                                      CExcelSheetRecords& sheet, std::uint32_t size,
                                      std::uint32_t position) {
    const Entry* entry = Find(type);
    return entry && entry->decode(reader, sheet, size, position);
}
