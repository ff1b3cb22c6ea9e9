#include "model/CExcelScanWorkBook.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/CInputFile.h"
#include "biff/CRecordChain.h"
#include "biff/IExcelStreamReader.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CFileRecordFraming.h"
#include "model/CSheetBofRecovery.h"
#include "model/CSstContinueChain.h"
#include "platform/ProgressTarget.h"
#include "platform/RepairStopCheck.h"
#include "platform/RunState.h"
#include "records/CExcelExternalCache.h"
#include "records/CExcelGlobalRecordReaders.h"
#include "records/CExcelRecordEXTERNNAME.h"
#include "records/CExcelSSTDecoder.h"
#include "records/CExcelSSTStreamRanges.h"

namespace {

// Joined CONTINUE data is gathered and appended to the record in pieces of
// about this size: few appends, and so few file operations once the record
// has spilled, for a table of thousands of CONTINUE records.
constexpr std::size_t kAppendChunk = 1 << 20;

using Reader = bool (*)(CExcelScanWorkBook& scan, CExcelWorkBook& workbook);

struct GlobalsHandler {
    std::uint16_t type;
    // Null for the record that ends the globals substream.
    Reader read;
};

bool ReadSST(CExcelScanWorkBook& scan, CExcelWorkBook& workbook) {
    return scan.ReadCurrentSST(workbook);
}

bool ReadNAME(CExcelScanWorkBook& scan, CExcelWorkBook& workbook) {
    return CExcelGlobalRecordReaders::ReadNAME(*scan.GetRecord(), workbook, &scan.GetContinues());
}

// EXTERNSHEET and SUPBOOK, with the CONTINUE boundaries of the joined record.
template <bool (*Read)(CExcelRawRecordData&, CExcelWorkbookGlobals&,
                       const CExcelContinueRecordOffsetList*)>
bool ReadContinued(CExcelScanWorkBook& scan, CExcelWorkBook& workbook) {
    return Read(*scan.GetRecord(), workbook, &scan.GetContinues());
}

bool ReadBOUNDSHEET(CExcelScanWorkBook& scan, CExcelWorkBook& workbook) {
    return scan.ReadCurrentBOUNDSHEET(workbook);
}

template <bool (*Read)(CExcelRawRecordData&, CExcelWorkbookGlobals&)>
bool ReadGlobal(CExcelScanWorkBook& scan, CExcelWorkBook& workbook) {
    return Read(*scan.GetRecord(), workbook);
}

// The records of the globals substream that are decoded; every other type
// (the BOF itself, CONTINUE records met on their own, ...) is skipped.
constexpr GlobalsHandler kGlobalsHandlers[] = {
    {biff::kEOF, nullptr},
    {biff::kEXTERNSHEET, &ReadContinued<&CExcelGlobalRecordReaders::ReadEXTERNSHEET>},
    {biff::kNAME, &ReadNAME},
    {biff::kEXTERNNAME, &ReadGlobal<&CExcelRecordEXTERNNAME::Read>},
    {biff::kXCT, &ReadGlobal<&CExcelExternalCache::ReadXCT>},
    {biff::kCRN, &ReadGlobal<&CExcelExternalCache::ReadCRN>},
    {biff::kDATEMODE, &ReadGlobal<&CExcelGlobalRecordReaders::ReadDATEMODE>},
    {biff::kFILEPASS, &ReadGlobal<&CExcelGlobalRecordReaders::ReadFILEPASS>},
    {biff::kFONT, &ReadGlobal<&CExcelGlobalRecordReaders::ReadFONT>},
    {biff::kBOUNDSHEET, &ReadBOUNDSHEET},
    {biff::kPALETTE, &ReadGlobal<&CExcelGlobalRecordReaders::ReadPALETTE>},
    {biff::kXF, &ReadGlobal<&CExcelGlobalRecordReaders::ReadXF>},
    {biff::kSST, &ReadSST},
    {biff::kSUPBOOK, &ReadContinued<&CExcelGlobalRecordReaders::ReadSUPBOOK>},
    {biff::kSTYLE, &ReadGlobal<&CExcelGlobalRecordReaders::ReadSTYLE>},
    {biff::kFORMAT, &ReadGlobal<&CExcelGlobalRecordReaders::ReadFORMAT>},
};

const GlobalsHandler* FindHandler(std::uint16_t type) {
    const auto* at = std::find_if(std::begin(kGlobalsHandlers), std::end(kGlobalsHandlers),
                                  [type](const GlobalsHandler& h) { return h.type == type; });
    return at == std::end(kGlobalsHandlers) ? nullptr : at;
}

}  // namespace

CExcelScanWorkBook::CExcelScanWorkBook(std::filesystem::path scanPath)
    : m_scanPath(std::move(scanPath)),
      m_continues(std::make_unique<CExcelContinueRecordOffsetList>()) {}

CExcelScanWorkBook::~CExcelScanWorkBook() = default;

void CExcelScanWorkBook::ReadRecord(const CInputFile& file, std::uint64_t& position,
                                    std::uint64_t limit) {
    m_record.reset();
    m_continues = std::make_unique<CExcelContinueRecordOffsetList>();
    m_lastSkip = {0, 0};

    m_sstPieces.clear();
    m_extSst.clear();

    std::uint32_t length = CFileRecordFraming::DeclaredLength(file, position);
    std::uint8_t type[2] = {};
    file.ReadAt(position, type, sizeof type);
    const bool sst = CDataReader::GetU16(type) == biff::kSST && position < UINT32_MAX;
    const std::uint64_t sstStart = position;
    if (sst) m_sstPieces.push_back({static_cast<std::uint32_t>(position), 0});
    // The SST's own length is checked against the CONTINUE or EXTSST that
    // should follow it.
    const bool sstRepaired =
        sst && CSstContinueChain::RepairSstLength(file, position, limit, length);
    if (!sstRepaired && LengthBroken(file, position, limit)) {
        // Only the length of a record the globals hold was damaged when the
        // framing resumes exactly where a body of its type can end.
        // Without a chain ahead, a length a body can have is taken as it
        // stands, and a longer one gives the header alone.
        const std::optional<std::uint64_t> resume = Resume(file, position, limit);
        const std::uint32_t found =
            resume ? static_cast<std::uint32_t>(*resume - position - biff::kRecordHeaderSize)
            : length > biff::kMaxBodyLength ? 0
                                            : length;
        if (resume && !CRecordChain::IsSoundHeader(CDataReader::GetU16(type), found)) {
            // Not that record: its header alone is kept, so that nothing is
            // decoded from bytes of unknown meaning, and the walk resumes.
            m_buffer.resize(biff::kRecordHeaderSize);
            const std::size_t got = file.ReadAt(position, m_buffer.data(), m_buffer.size());
            m_record = std::make_unique<CExcelRawRecordData>(m_buffer.data(),
                                                             static_cast<std::uint32_t>(got));
            m_buffer.clear();
            m_lastSkip = {position + biff::kRecordHeaderSize, *resume};
            position = *resume;
            return;
        }
        length = found;
    }
    m_buffer.resize(biff::kRecordHeaderSize + length);
    const std::size_t got = file.ReadAt(position, m_buffer.data(), m_buffer.size());
    m_record =
        std::make_unique<CExcelRawRecordData>(m_buffer.data(), static_cast<std::uint32_t>(got));
    position += biff::kRecordHeaderSize + length;

    // The record's size once the gathered CONTINUE data is appended;
    // boundaries are offsets in the joined record.
    std::uint64_t joined = got;
    m_buffer.clear();
    auto flush = [this] {
        m_record->AppendBytes(m_buffer.data(), static_cast<std::uint32_t>(m_buffer.size()));
        m_buffer.clear();
    };
    std::uint32_t declared = 0;
    for (;;) {
        std::uint32_t data = 0;
        bool damaged = false;
        if (CFileRecordFraming::ContinueAt(file, position, limit, &declared)) {
            data = CFileRecordFraming::ContinueDataLength(declared);
            if (sst) CSstContinueChain::RepairContinue(file, position, limit, sstStart, data);
        } else if (!sst || !CSstContinueChain::DamagedContinue(file, position, limit, sstStart,
                                                               data, damaged)) {
            break;
        }
        if (joined + data > std::numeric_limits<std::uint32_t>::max()) break;
        std::uint8_t flag = 0;
        file.ReadAt(position + biff::kRecordHeaderSize, &flag, 1);

        if (sst && position < UINT32_MAX)
            m_sstPieces.push_back(
                {static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(joined)});
        m_continues->Add(static_cast<std::uint32_t>(joined), flag, damaged);
        const std::size_t before = m_buffer.size();
        m_buffer.resize(before + data);
        const std::size_t read = file.ReadAt(
            position + biff::kRecordHeaderSize + biff::kContinueFlagSize, &m_buffer[before], data);
        m_buffer.resize(before + read);
        joined += read;
        position += biff::kRecordHeaderSize + biff::kContinueFlagSize + data;
        if (m_buffer.size() >= kAppendChunk) flush();
    }
    if (!m_buffer.empty()) flush();

    std::uint16_t nextType = 0;
    std::uint32_t nextLength = 0;
    if (sst && CSstContinueChain::HeaderAt(file, position, limit, nextType, nextLength) &&
        !CRecordChain::IsKnownHeader(nextType, nextLength) && joined < UINT32_MAX) {
        // The chain ends at bytes that are no record: a string the table's
        // bytes cut there went on past the damage and is not kept cut short.
        m_continues->Add(static_cast<std::uint32_t>(joined), 0, true);
    }
    if (sst && CSstContinueChain::HeaderAt(file, position, limit, nextType, nextLength) &&
        nextType == biff::kEXTSST && CRecordChain::IsSoundHeader(nextType, nextLength)) {
        m_extSst.resize(nextLength);
        m_extSst.resize(
            file.ReadAt(position + biff::kRecordHeaderSize, m_extSst.data(), m_extSst.size()));
    }
}

std::vector<CExcelSSTDecoder::BucketStart> CExcelScanWorkBook::GetSstBuckets() const {
    if (!m_record || m_sstPieces.empty()) return {};
    return CExcelSSTIndex::Buckets(m_extSst.data(), static_cast<std::uint32_t>(m_extSst.size()),
                                   m_sstPieces, m_record->GetSize());
}

bool CExcelScanWorkBook::LengthBroken(const CInputFile& file, std::uint64_t position,
                                      std::uint64_t limit) {
    const std::uint32_t length = CFileRecordFraming::DeclaredLength(file, position);
    std::uint8_t type[2] = {};
    file.ReadAt(position, type, sizeof type);
    if (CRecordChain::IsWrongLength(CDataReader::GetU16(type), length)) {
        return length > biff::kMaxBodyLength ||
               !CFileRecordFraming::FramingHolds(file, position, length, limit);
    }
    // A length its type allows can still be damaged (a flipped bit, a
    // damaged high byte): a record of a known type does not run over a chain
    // of records that starts inside it, when a length field that differs
    // from its true one by that damage alone explains it.
    if (!CRecordChain::IsKnownHeader(CDataReader::GetU16(type), length) ||
        CFileRecordFraming::FramingHolds(file, position, length, limit))
        return false;
    const std::optional<std::uint64_t> resume = Resume(file, position, limit);
    if (!resume || *resume >= position + biff::kRecordHeaderSize + length) return false;
    const auto found = static_cast<std::uint32_t>(*resume - position - biff::kRecordHeaderSize);
    const std::uint32_t differs = length ^ found;
    return (differs & 0xFF) == 0 || std::has_single_bit(differs);
}

std::optional<std::uint64_t> CExcelScanWorkBook::Resume(const CInputFile& file,
                                                        std::uint64_t position,
                                                        std::uint64_t limit) {
    const std::uint64_t end = std::min<std::uint64_t>({limit, file.Length(), UINT32_MAX});
    const std::uint64_t from = std::max(position + biff::kRecordHeaderSize, m_noChainBefore);
    const std::uint64_t last =
        std::min(position + biff::kRecordHeaderSize + biff::kMaxBodyLength, end);
    return ChainFrom(file, from, last, end);
}

std::optional<std::uint64_t> CExcelScanWorkBook::ChainFrom(const CInputFile& file,
                                                           std::uint64_t from, std::uint64_t last,
                                                           std::uint64_t end) {
    if (from > last || from >= end) return std::nullopt;
    CFileRecordFraming::SearchWindow window(file, from, end);
    const std::optional<std::uint32_t> start =
        CRecordChain::FindStart(window, static_cast<std::uint32_t>(from),
                                static_cast<std::uint32_t>(last), static_cast<std::uint32_t>(end));
    // Offsets that start no chain need not be tried again by a later search.
    if (!start) m_noChainBefore = last + 1;
    return start;
}

std::optional<std::uint64_t> CExcelScanWorkBook::ResumeAfterZeros(const CInputFile& file,
                                                                  std::uint64_t position,
                                                                  std::uint64_t limit) {
    const std::uint64_t end = std::min<std::uint64_t>({limit, file.Length(), UINT32_MAX});
    if (position >= end) return std::nullopt;
    CFileRecordFraming::SearchWindow zeros(file, position, end);
    const std::optional<std::uint32_t> first = CRecordChain::EndOfZeros(
        zeros, static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(end));
    // A single zero header may be the tail of a record body that was cut.
    if (!first || *first - position < 2 * biff::kRecordHeaderSize) return std::nullopt;
    // The header at position is zero, so *first - 1 lies after it.
    const std::uint64_t from = std::max<std::uint64_t>(*first - 1, m_noChainBefore);
    const std::uint64_t last = std::min<std::uint64_t>(*first + biff::kMaxBodyLength, end);
    return ChainFrom(file, from, last, end);
}

void CExcelScanWorkBook::ReportZeroedRun(std::uint64_t begin, std::uint64_t end) const {
    if (m_damage == nullptr || end > UINT32_MAX) return;
    CDamagedRange range;
    range.substream = m_globals;
    range.globals = true;
    range.begin = static_cast<std::uint32_t>(begin);
    range.end = static_cast<std::uint32_t>(end);
    range.kind = ESkipReason::ZeroedBytes;
    m_damage->Skipped(range);
}

void CExcelScanWorkBook::SkipRecord(const CInputFile& file, std::uint64_t& position,
                                    std::uint64_t limit) {
    // A record of a wrong length is stepped over to where the framing
    // resumes, as a decoded one is: the SST and BOUNDSHEETs after a damaged
    // STYLEEXT are still found.
    m_lastSkip = {0, 0};
    const std::uint32_t length = CFileRecordFraming::DeclaredLength(file, position);
    if (LengthBroken(file, position, limit)) {
        if (const std::optional<std::uint64_t> resume = Resume(file, position, limit)) {
            m_lastSkip = {position, *resume};
            position = *resume;
            return;
        }
    }
    position += biff::kRecordHeaderSize + CFileRecordFraming::FramedBodyLength(length);
    std::uint32_t declared = 0;
    while (CFileRecordFraming::ContinueAt(file, position, limit, &declared))
        position += biff::kRecordHeaderSize + biff::kContinueFlagSize +
                    CFileRecordFraming::ContinueDataLength(declared);
}

void CExcelScanWorkBook::ReportGlobalsDamage(const CInputFile& file, std::uint64_t at,
                                             std::uint16_t type) const {
    if (m_damage == nullptr) return;
    CDamagedRange range;
    range.substream = m_globals;
    range.globals = true;
    std::uint8_t length[2] = {0xFF, 0xFF};
    if (m_lastSkip.second > m_lastSkip.first && m_lastSkip.second <= UINT32_MAX) {
        range.begin = static_cast<std::uint32_t>(m_lastSkip.first);
        range.end = static_cast<std::uint32_t>(m_lastSkip.second);
        range.kind = ESkipReason::OversizedRecord;
    } else if (type == 0 && at + biff::kRecordHeaderSize <= UINT32_MAX &&
               file.ReadAt(at + 2, length, sizeof length) == sizeof length && length[0] == 0 &&
               length[1] == 0) {
        // No record has a zero type and length: a zeroed run is stepped over
        // one such header at a time, and the log joins the steps.
        range.begin = static_cast<std::uint32_t>(at);
        range.end = static_cast<std::uint32_t>(at + biff::kRecordHeaderSize);
        range.kind = ESkipReason::ZeroedBytes;
    } else {
        return;
    }
    m_damage->Skipped(range);
}

bool CExcelScanWorkBook::ScanGlobals(std::uint32_t start, std::uint32_t end, CExcelData* data,
                                     CExcelWorkBook* workbook) {
    if (!workbook) return false;
    CInputFile file;
    const auto access = data ? data->AccessFor(m_scanPath) : CInputFile::EAccess::kReads;
    if (!file.Open(m_scanPath, access)) return false;
    ProgressTarget* progress = data ? data->GetProgressWindow() : nullptr;
    if (progress) {
        progress->SetRange(0, end);
        progress->SetPosition(1);
    }

    // Every record moves the position at least 4 bytes on, and the walk also
    // ends with the file, whatever end says. CONTINUE records are joined only
    // up to end: in a sound file no CONTINUE lies beyond the next substream's
    // BOF, and a damaged file with BOFs inside a long CONTINUE chain would
    // otherwise have every workbook join the rest of the chain again.
    const std::uint64_t stop = std::min<std::uint64_t>(end, file.Length());
    std::uint64_t position = start;
    m_afterEof = 0;
    m_sheetStart = 0;
    m_noChainBefore = 0;
    m_damage = data ? &data->GetDamageLog() : nullptr;
    m_globals = start;
    bool inZeros = false;  // the last header was zero and found no records after the run
    while (position < stop) {
        if (RepairStopRequested()) {
            m_damage = nullptr;
            return false;
        }
        RepairProgress.store(static_cast<std::uint32_t>(position), std::memory_order_relaxed);
        std::uint8_t type[2] = {};
        const std::uint16_t recordType =
            file.ReadAt(position, type, sizeof type) == sizeof type ? CDataReader::GetU16(type) : 0;
        const GlobalsHandler* handler = FindHandler(recordType);
        const std::uint64_t at = position;
        // A zeroed sector takes the framing with it: the walk goes on where
        // sound records start after the zeros, not where 4-byte steps land
        // in the remains of the record they cut (the BOUNDSHEETs after it
        // would be stepped over by whatever length those remains declare).
        const bool zeroed =
            recordType == 0 && CFileRecordFraming::DeclaredLength(file, position) == 0;
        if (zeroed && !inZeros) {
            if (const std::optional<std::uint64_t> resume =
                    ResumeAfterZeros(file, position, stop)) {
                ReportZeroedRun(at, *resume);
                position = *resume;
                continue;
            }
        }
        inZeros = zeroed;
        if (m_sheetStart == 0 && CSheetBofRecovery::OnlyWorksheetsHold(recordType) &&
            CFileRecordFraming::ChainAt(file, position, stop))
            m_sheetStart = position;
        // Records no decoder wants are stepped over by the same framing rules
        // without being copied to a spill file.
        if (!handler) {
            SkipRecord(file, position, stop);
            ReportGlobalsDamage(file, at, recordType);
            continue;
        }
        if (!handler->read) {
            m_afterEof = position + biff::kRecordHeaderSize +
                         CFileRecordFraming::FramedBodyLength(
                             CFileRecordFraming::DeclaredLength(file, position));
            break;
        }
        ReadRecord(file, position, stop);
        ReportGlobalsDamage(file, at, recordType);
        handler->read(*this, *workbook);
    }

    m_damage = nullptr;
    RepairProgress.store(end);
    if (progress) progress->SetPosition(end);
    return true;
}

bool CExcelScanWorkBook::ReadCurrentSST(CExcelWorkBook& workbook) {
    if (!m_record) return false;
    std::vector<CExcelSSTDecoder::DroppedBytes> dropped;
    CExcelSSTDecoder::Decode(*m_record, workbook.GetSharedStrings(), *m_continues, GetSstBuckets(),
                             &dropped);
    if (!m_damage || m_sstPieces.empty()) return true;
    // The size the decoder walked: a spill file read back may be shorter.
    const std::uint32_t joinedSize = m_record->GetSize();
    for (const CExcelSSTDecoder::DroppedBytes& stretch : dropped) {
        for (const auto& [begin, end] :
             CExcelSSTStreamRanges::Map(m_sstPieces, joinedSize, stretch)) {
            CDamagedRange range;
            range.begin = begin;
            range.end = end;
            range.kind = ESkipReason::UnsoundStrings;
            range.substream = m_globals;
            range.globals = true;
            m_damage->Skipped(range);
        }
    }
    return true;
}

bool CExcelScanWorkBook::ReadCurrentBOUNDSHEET(CExcelWorkBook& workbook) {
    CBoundSheetPlacement::BoundSheet fields;
    if (!m_record || !DecodeBOUNDSHEET(*m_record, fields)) return false;
    m_boundSheets.push_back(fields);
    return AddBoundSheet(fields, workbook);
}

bool CExcelScanWorkBook::ReadBOUNDSHEET(CExcelRawRecordData& record, CExcelWorkBook& workbook) {
    CBoundSheetPlacement::BoundSheet fields;
    return DecodeBOUNDSHEET(record, fields) && AddBoundSheet(fields, workbook);
}

bool CExcelScanWorkBook::AddBoundSheet(const CBoundSheetPlacement::BoundSheet& fields,
                                       CExcelWorkBook& workbook) {
    // Charts, VBA modules and anything else are not sheets with cells.
    if (fields.sheetType != biff::kBoundSheetWorksheet &&
        fields.sheetType != biff::kBoundSheetMacroSheet)
        return false;
    CExcelWorkSheet sheet;
    sheet.SetName(fields.name);
    sheet.SetStart(fields.position);
    sheet.SetVisibility(fields.visibility);
    sheet.SetEnd(0);
    workbook.GetWorksheets().Add(sheet);
    return true;
}

bool CExcelScanWorkBook::DecodeBOUNDSHEET(CExcelRawRecordData& record,
                                          CBoundSheetPlacement::BoundSheet& out) {
    if (!record.Load()) return false;
    const std::uint32_t size = record.GetSize();
    const CByteBuffer body(size > biff::kRecordHeaderSize
                               ? record.GetLoadedBytes() + biff::kRecordHeaderSize
                               : nullptr,
                           size > biff::kRecordHeaderSize ? size - biff::kRecordHeaderSize : 0);
    record.FreeLoaded();

    const std::uint32_t length = body.DataLength();
    if (length < biff::kBoundSheetFixedSize) return false;
    out.position = body.ReadU32(biff::kBoundSheetPositionOffset);
    out.visibility = body.ReadU8(biff::kBoundSheetVisibilityOffset);
    out.sheetType = body.ReadU8(biff::kBoundSheetTypeOffset);
    out.name = BoundSheetName(body);
    return true;
}

std::u16string CExcelScanWorkBook::BoundSheetName(const CByteBuffer& body) {
    const std::uint32_t length = body.DataLength();
    const std::uint8_t count = body.ReadU8(biff::kBoundSheetNameLengthOffset);
    const std::uint8_t flags = body.ReadU8(biff::kBoundSheetFlagsOffset);
    std::uint32_t at = biff::kBoundSheetFixedSize;
    if (flags & biff::kStringRich) at += 2;
    if (flags & biff::kStringExtended) at += 4;
    const bool wide = flags & biff::kStringWide;
    std::u16string name;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t offset = wide ? at + 2 * i : at + i;
        if (offset + (wide ? 2u : 1u) > length) break;  // cut by the end of the record
        name.push_back(wide ? static_cast<char16_t>(body.ReadU16(offset))
                            : static_cast<char16_t>(body.ReadU8(offset)));
    }
    return name;
}
