// Reads one workbook's globals substream record by record and hands the
// records it knows to their decoders (shared strings, fonts, XF, FORMAT,
// STYLE, PALETTE, SUPBOOK, EXTERNSHEET; BOUNDSHEET it decodes itself).
//
// Short-lived: one object per workbook. It holds the record last read, with
// the CONTINUE data joined to it, and that record's CONTINUE boundaries,
// until the next read or its own end (the record's spill file goes with it).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "biff/CExcelContinueRecordOffset.h"
#include "biff/CExcelRawRecordData.h"
#include "model/CBoundSheetPlacement.h"
#include "records/CExcelSSTDecoder.h"
#include "records/CExcelSSTIndex.h"

class CByteBuffer;
class CExcelData;
class CExcelWorkBook;
class CInputFile;
class IDamageReporter;

class CExcelScanWorkBook {
public:
    // scanPath: the file the substream offsets refer to.
    explicit CExcelScanWorkBook(std::filesystem::path scanPath);
    CExcelScanWorkBook(const CExcelScanWorkBook&) = delete;
    CExcelScanWorkBook& operator=(const CExcelScanWorkBook&) = delete;
    virtual ~CExcelScanWorkBook();

    // Walks the records from start while the position is below end (and
    // inside the file), stopping at an EOF record, and decodes the known
    // ones into workbook; CONTINUE records are joined while their header
    // lies before end. Records that no decoder takes are stepped over
    // without being read into a spill file. Drives data's progress target
    // (0 .. end) and RepairProgress. False when the file cannot be opened or
    // workbook is null, and when a stop is requested: the repair worker's
    // stop check (which holds it while it is suspended) comes before every
    // record.
    bool ScanGlobals(std::uint32_t start, std::uint32_t end, CExcelData* data,
                     CExcelWorkBook* workbook);

    // Reads the record at position (file offset), joins the CONTINUE records
    // that follow it and moves position past all of them. A body length
    // above 8224 is damage: the record ends where a chain of sound headers
    // resumes within the longest body, if a body of its type can end there;
    // otherwise it is its header alone, and position moves to that chain (or
    // 4 bytes on when there is none). A record or CONTINUE cut by the end of the
    // file keeps only the bytes that exist. A CONTINUE whose header starts
    // at or after limit (the end of the substream being read) is not
    // joined. For an SST, a CONTINUE whose header was damaged is joined too
    // (see CSstContinueChain; one whose bytes cannot be trusted gets a
    // damaged boundary, as does the end of a chain cut by bytes that are no
    // record), and the EXTSST right after the chain is kept for
    // GetSstBuckets. Replaces the record and the boundaries held before.
    // Position always moves by at least 4.
    void ReadRecord(const CInputFile& file, std::uint64_t& position,
                    std::uint64_t limit = UINT64_MAX);

    // The record last read (null before the first read).
    CExcelRawRecordData* GetRecord() const { return m_record.get(); }
    // The CONTINUE boundaries of that record, in file order.
    CExcelContinueRecordOffsetList& GetContinues() { return *m_continues; }
    // When that record is an SST: the bucket starts the EXTSST right after
    // its CONTINUE records gives, checked against them (empty without one).
    std::vector<CExcelSSTDecoder::BucketStart> GetSstBuckets() const;

    // Every BOUNDSHEET record that the globals scans of this object read,
    // of every sheet type, in file order (see DecodeBOUNDSHEET).
    const std::vector<CBoundSheetPlacement::BoundSheet>& GetBoundSheets() const {
        return m_boundSheets;
    }

    // The bytes the last ReadRecord (or step over a record) left out to
    // resume the framing after a record of an impossible length: [first,
    // second) of the scan file; empty when it left none out.
    const std::pair<std::uint64_t, std::uint64_t>& GetLastSkip() const { return m_lastSkip; }

    // The offset right after the EOF record that ended the last globals
    // scan (where the first sheet's substream begins in a sound stream); 0
    // when that scan met no EOF.
    std::uint64_t GetAfterEof() const { return m_afterEof; }

    // Where the last globals scan met the first record that only a
    // worksheet holds (CSheetBofRecovery::OnlyWorksheetsHold) with a chain
    // of sound records starting there: the globals' EOF and the sheet's BOF
    // were lost before it (zeroed or overwritten), and the sheet's records
    // go on from there. 0 when it met none.
    std::uint64_t GetSheetStart() const { return m_sheetStart; }

    // Decodes the record last read as the shared-string table into workbook,
    // and tells the damage log of the globals scan under way (none outside
    // one) which bytes of the stream the decoder could not use.
    bool ReadCurrentSST(CExcelWorkBook& workbook);

    // Decodes the record last read as a BOUNDSHEET: keeps its fields for
    // GetBoundSheets and appends its sheet as ReadBOUNDSHEET does.
    bool ReadCurrentBOUNDSHEET(CExcelWorkBook& workbook);

    // Decodes a BOUNDSHEET record into a sheet of workbook: worksheets and
    // macro sheets only (sheet type 0 or 1); a body shorter than its 8 fixed
    // bytes gives nothing; name characters past the end of the record are
    // not read. The sheet's start is the stream position the record gives,
    // its end 0. True when a sheet was appended.
    static bool ReadBOUNDSHEET(CExcelRawRecordData& record, CExcelWorkBook& workbook);

    // The fields of a BOUNDSHEET record, whatever its sheet type, into out.
    // False (out untouched) when the record cannot be loaded or its body is
    // shorter than its 8 fixed bytes; name characters past the end of the
    // record are not read.
    static bool DecodeBOUNDSHEET(CExcelRawRecordData& record,
                                 CBoundSheetPlacement::BoundSheet& out);
    // The sheet name of a BOUNDSHEET body: a short unicode string after the
    // fixed bytes, cut where the body ends.
    static std::u16string BoundSheetName(const CByteBuffer& body);

private:
    // Appends the sheet of a worksheet or macro-sheet BOUNDSHEET to workbook.
    static bool AddBoundSheet(const CBoundSheetPlacement::BoundSheet& fields,
                              CExcelWorkBook& workbook);
    // Moves position past the record at position and the CONTINUE records
    // joined to it, by the same rules as ReadRecord, without keeping them.
    void SkipRecord(const CInputFile& file, std::uint64_t& position, std::uint64_t limit);
    // Tells the damage log of the globals scan under way what the record at
    // `at`, of the type read there, left out (GetLastSkip), or that it was a
    // zeroed header.
    void ReportGlobalsDamage(const CInputFile& file, std::uint64_t at, std::uint16_t type) const;
    // Where the framing resumes after the run of zero bytes at position
    // (CRecordChain::EndOfZeros, then a chain from one byte before the first
    // non-zero byte through the longest body after it): nothing for a run
    // shorter than two headers, one that reaches limit, or no chain.
    std::optional<std::uint64_t> ResumeAfterZeros(const CInputFile& file, std::uint64_t position,
                                                  std::uint64_t limit);
    // The first offset in [from, last] where a chain of sound records
    // starts, searching below end; remembers offsets that start none.
    std::optional<std::uint64_t> ChainFrom(const CInputFile& file, std::uint64_t from,
                                           std::uint64_t last, std::uint64_t end);
    // Tells the damage log of the globals scan under way that [begin, end)
    // was a zeroed run (with the remains of the record it cut).
    void ReportZeroedRun(std::uint64_t begin, std::uint64_t end) const;
    // True when the record at position has a length that cannot be right and
    // the record after it by that length is no record we know; or a length
    // its type allows, after which no record we know follows, while a chain
    // of sound records starts inside the body it declares.
    bool LengthBroken(const CInputFile& file, std::uint64_t position, std::uint64_t limit);

    std::filesystem::path m_scanPath;
    std::unique_ptr<CExcelRawRecordData> m_record;
    std::unique_ptr<CExcelContinueRecordOffsetList> m_continues;
    std::vector<CBoundSheetPlacement::BoundSheet> m_boundSheets;
    // Where the framing resumes after the header of a wrong length at position: the
    // first offset within the longest body, and before limit, where a chain
    // of sound headers starts.
    std::optional<std::uint64_t> Resume(const CInputFile& file, std::uint64_t position,
                                        std::uint64_t limit);

    std::uint64_t m_afterEof = 0;
    // The damage log of the globals scan under way and the offset of that
    // globals' BOF; null outside a scan or when it has no log.
    IDamageReporter* m_damage = nullptr;
    std::uint32_t m_globals = 0;
    std::uint64_t m_sheetStart = 0;
    std::pair<std::uint64_t, std::uint64_t> m_lastSkip{0, 0};
    // Offsets below this were searched and start no chain of sound headers.
    std::uint64_t m_noChainBefore = 0;
    // Reused between reads: one record body, or a run of joined CONTINUE
    // data waiting to be appended to the spill file.
    std::vector<std::uint8_t> m_buffer;
    // The SST last read: its records in the stream and the EXTSST payload
    // that followed them.
    std::vector<CExcelSSTIndex::Piece> m_sstPieces;
    std::vector<std::uint8_t> m_extSst;
};
