#include "repair/CFilePaser.h"

#include <array>
#include <optional>
#include <system_error>

#include "biff/BiffRecordIds.h"
#include "biff/CBiff5Upgrade.h"
#include "biff/CBofSignature.h"
#include "biff/CFileIO.h"
#include "biff/CInputFile.h"
#include "compound/CInterfaceOle.h"
#include "compound/EErrorCode.h"
#include "model/CExcelData.h"
#include "model/CExcelProcessData.h"
#include "model/CExcelScanFile.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "model/CExcelWorkSheetParser.h"
#include "platform/CFileNameManager.h"
#include "platform/RunState.h"
#include "repair/CBoundSheetOrder.h"
#include "repair/CRecoveredCells.h"
#include "repair/CRepairVerdict.h"
#include "repair/CSectorReassembly.h"
#include "repair/RepairStopCheck.h"

namespace {

using Counters = CFilePaser::Counters;

Counters ReadCounters() {
    Counters values{};
    for (int i = 0; i < RepairCounterCount; ++i) values[i] = RepairCounters[i].load();
    return values;
}

void RestoreCounters(const Counters& values) {
    for (int i = 0; i < RepairCounterCount; ++i) RepairCounters[i].store(values[i]);
}

// The cells the save would write a value to, over every sheet of every
// workbook. A text cell whose shared string is missing is no recovered
// cell: a copy that starts past the shared-string table has only those.
std::size_t RecoveredCells(const CExcelData& data) {
    std::size_t count = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks())
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets())
            count += CRecoveredCells::CountCells(sheet, &workbook.GetSharedStrings());
    return count;
}

// Scan and parse, as RepairFile runs them: the parse only after a scan that
// found something worth parsing. False only for a stop request or a scan
// file that cannot be opened.
bool ScanAndParse(CFilePaser& paser, const CExcelData& data) {
    if (!paser.ScanFile()) return false;
    if (CRepairVerdict::AfterScan(data)) return true;
    return paser.ParseWorksheets();
}

void RemoveFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!path.empty() && !std::filesystem::is_directory(path, ec))
        std::filesystem::remove(path, ec);
}

std::size_t CountWorksheets(const CExcelData& data) {
    std::size_t count = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks())
        count += workbook.GetWorksheets().GetCount();
    return count;
}

// Whether the data's one workbook holds its whole sheet list: every sheet
// its BOUNDSHEET records name found where they put it, in their order, and
// no other sheet.
bool HoldsItsSheetList(const CExcelData& data) {
    if (data.GetWorkbooks().GetCount() != 1) return false;
    const CExcelWorkBook& workbook = *data.GetWorkbooks().begin();
    CBoundSheetOrder order;
    if (!order.Read(data.GetScanPath(), workbook)) return false;
    const std::size_t sheets = workbook.GetWorksheets().GetCount();
    if (order.GetEntries().empty() || order.GetEntries().size() != sheets) return false;
    const std::vector<std::uint32_t> placed = order.PlaceSheets(workbook);
    for (std::size_t i = 0; i < placed.size(); ++i)
        if (placed[i] != i) return false;
    return CRepairVerdict::CountSheets(data) == sheets;
}

// The stream rebuilt from a source's sectors, as a new temporary file that
// the caller removes or hands to a data, and the cells its scan recovered.
struct Rebuilt {
    std::filesystem::path path;
    std::vector<CSectorRun> from;
    bool read = false;
    std::size_t cells = 0;
    std::size_t sheets = 0;
    bool wholeSheetList = false;
};

// rawSheets: the raw scan's sheets; only a rebuild with fewer is asked
// whether it holds its whole sheet list.
Rebuilt RebuildAndCount(const CExcelData& data, std::size_t rawSheets) {
    Rebuilt rebuilt;
    rebuilt.path = CFileNameManager::MakeExtractedWorkbookName();
    CSectorReassembly reassembly;
    if (!reassembly.Rebuild(data.GetSourcePath(), rebuilt.path)) return rebuilt;
    rebuilt.from = CSectorReassembly::Runs(reassembly.GetFileSectors());
    CExcelData other;
    other.SetSourcePath(data.GetSourcePath());
    other.SetExtractedPath(rebuilt.path);
    CFilePaser paser;
    paser.SetData(&other);
    rebuilt.read = ScanAndParse(paser, other);
    rebuilt.cells = RecoveredCells(other);
    rebuilt.sheets = CountWorksheets(other);
    rebuilt.wholeSheetList = rebuilt.sheets < rawSheets && HoldsItsSheetList(other);
    // The file outlives this model: it may become the data's.
    other.SetExtractedPath({});
    return rebuilt;
}

// The cells of the sheets that the sheet list of the data's first workbook
// names; the sheets found from BOFs alone are left out.
std::size_t ListedCells(const CExcelData& data) {
    if (data.GetWorkbooks().GetCount() == 0) return 0;
    const CExcelWorkBook& workbook = *data.GetWorkbooks().begin();
    CBoundSheetOrder order;
    if (!order.Read(data.GetScanPath(), workbook)) return 0;
    const std::vector<std::uint32_t> placed = order.PlaceSheets(workbook);
    std::size_t count = 0;
    std::size_t i = 0;
    for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
        if (i < placed.size() && placed[i] < order.GetEntries().size())
            count += CRecoveredCells::CountCells(sheet, &workbook.GetSharedStrings());
        ++i;
    }
    return count;
}

}  // namespace

bool CFilePaser::SetData(CExcelData* data) {
    m_data = data;
    return true;
}

bool CFilePaser::ExtractWorkbook() {
    if (!m_data) return false;
    m_countersAtStart = ReadCounters();
    CInterfaceOle ole;
    ole.SetFileNameSrc(m_data->GetSourcePath());
    // ParseFile's own result is one of the bits GetParseError() holds.
    ole.ParseFile();
    m_parseError = ole.GetParseError();
    // Any damage to the header, the sector tables or the directory means the
    // stream's chain cannot be trusted: the stream is rebuilt from the
    // sectors themselves, or else the scan reads the damaged file.
    if (m_parseError != 0) {
        ReassembleWorkbook();
        return false;
    }
    ole.AnalizeFileStructureOle();
    m_structureFlags = ole.GetStructureFlags();

    const std::filesystem::path name = CFileNameManager::MakeExtractedWorkbookName();
    m_copyResult = ole.CopyWorkbook(name);
    m_parseError = ole.GetParseError();
    m_streamDamage = ole.GetStreamDamage();
    // A broken chain or a wrong size field leaves a copy without gaps of
    // what the chain soundly holds: it is scanned, and doubted.
    constexpr unsigned long kDoubtBits = ErrStreamChain | ErrStreamSize;
    if ((static_cast<unsigned long>(m_copyResult) & ~kDoubtBits) != 0) {
        // A copy with skipped sectors holds records cut at the gaps; scanning
        // the damaged file finds them whole wherever they survive. The
        // partial copy is nobody's, so it goes now rather than stay behind
        // in the temporary folder. The sectors may still give the stream
        // whole where the chain lost its way.
        RemoveFile(name);
        ReassembleWorkbook();
        return true;
    }
    // A data repaired twice would otherwise leave its first copy behind.
    if (m_data->GetExtractedPath() != name) RemoveFile(m_data->GetExtractedPath());
    m_data->SetExtractedPath(name);
    m_doubt = CExtractionDoubt::OfCopy(static_cast<unsigned long>(m_copyResult), name);
    return true;
}

bool CFilePaser::ReassembleWorkbook() {
    const std::filesystem::path name = CFileNameManager::MakeExtractedWorkbookName();
    CSectorReassembly reassembly;
    if (!reassembly.Rebuild(m_data->GetSourcePath(), name)) {
        RemoveFile(name);
        return false;
    }
    if (m_data->GetExtractedPath() != name) RemoveFile(m_data->GetExtractedPath());
    m_data->SetExtractedPath(name);
    // Sectors chosen by their records alone may be wrong ones: the damaged
    // file is scanned as well, and the recovery with more cells kept.
    m_doubt = EExtractionDoubt::Reassembled;
    m_reassembledFrom = CSectorReassembly::Runs(reassembly.GetFileSectors());
    return true;
}

bool CFilePaser::ScanFile() {
    if (!m_data) return false;
    const Counters before = ReadCounters();
    if (!ScanRecords()) return false;
    // An Excel 5.0/95 workbook is read through the BIFF8 records its own
    // translate to. The translation holds a BIFF8 globals BOF: it is made
    // once.
    if (HoldsBiff8Globals(*m_data) || !TranslateOlderRecords()) return true;
    DropModel();
    RestoreCounters(before);
    return ScanRecords();
}

bool CFilePaser::TranslateOlderRecords() {
    CInputFile file;
    if (!file.Open(m_data->GetScanPath()) || file.Length() > kMaxTranslatedBytes) return false;
    // Looked for block by block: most files that come here are damaged
    // BIFF8 ones, not read whole for nothing. Blocks start at multiples of
    // 64, where a stream's first BOF lies.
    constexpr std::size_t kBlock = 1 << 20;
    std::vector<std::uint8_t> bytes(kBlock);
    bool found = false;
    for (std::uint64_t at = 0; !found && at < file.Length(); at += kBlock) {
        const std::size_t got = file.ReadAt(at, bytes.data(), kBlock);
        found = CBiff5Upgrade::HoldsBiff5Workbook({bytes.data(), got});
    }
    if (!found) return false;
    bytes.resize(static_cast<std::size_t>(file.Length()));
    if (file.ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) return false;
    const std::vector<std::uint8_t> translated = CBiff5Upgrade::Upgrade(bytes);
    bytes = {};
    const std::filesystem::path name = CFileNameManager::MakeExtractedWorkbookName();
    if (translated.size() > kMaxTranslatedBytes ||
        !CFileIO::WriteNewFile(translated.data(), name,
                               static_cast<std::uint32_t>(translated.size()))) {
        RemoveFile(name);
        return false;
    }
    m_data->SetTranslatedPath(name);
    return true;
}

bool CFilePaser::ScanRecords() {
    CExcelScanFile scanner(m_data->GetScanPath());
    if (RepairStopRequested()) return false;
    if (!scanner.ScanForSubstreams(m_data)) return false;
    if (RepairStopRequested()) return false;
    CExcelProcessData::CreateWorkbooks(m_data);
    if (RepairStopRequested()) return false;
    scanner.BuildWorkbooks(m_data);
    return !RepairStopRequested();
}

bool CFilePaser::ParseWorksheets() {
    if (!m_data) return false;
    CExcelWorkSheetParser parser;
    if (RepairStopRequested()) return false;
    parser.SetStreamFileName(m_data->GetScanPath());
    parser.SetData(m_data);
    if (RepairStopRequested()) return false;
    // Damage inside a sheet loses cells, not the repair: whatever the parser
    // decoded stays in the model.
    parser.Run();
    return !RepairStopRequested();
}

bool CFilePaser::CrossCheckWithRawScan() {
    if (!m_data || m_data->GetExtractedPath().empty()) return true;
    if (m_doubt == EExtractionDoubt::None) {
        // An encrypted workbook is no reason: the damaged file holds the
        // same ciphertext.
        const std::optional<ESourceKind> verdict = CRepairVerdict::AfterScan(*m_data);
        if (verdict == ESourceKind::Encrypted) return true;
        // A copy whose sheets hold no cell at all is checked too: a chain
        // that leads astray without breaking (a FAT entry pointing at
        // another sheet's sectors) leaves sheets and nothing in them.
        if (!verdict && CRepairVerdict::CountCellRecords(*m_data) > 0) return true;
        m_doubt = EExtractionDoubt::NothingRecovered;
    }
    // A stream that holds its whole sheet list meets a raw scan that finds
    // more sheets than the list names: those are the file's other copies
    // of the sheets (a stale copy of the stream, a Book stream beside it),
    // their cells counted twice. A stream rebuilt from the sectors wins
    // outright; any other copy when the raw scan's listed sheets hold no
    // more cells than it does.
    std::size_t rawListedCells = 0;
    const std::size_t copySheets = CountWorksheets(*m_data);
    std::size_t rawSheets = 0;
    // The counters show the kept model's cells once: as the copy's scan
    // left them, or as the rebuild from the damaged file leaves them.
    const Counters afterCopy = ReadCounters();
    m_copyCells = RecoveredCells(*m_data);
    // A copy without sheets holds no sheet list: it is not read.
    const bool wholeSheetList = copySheets > 0 && HoldsItsSheetList(*m_data);
    // Two models at once would double the peak on a large stream: the
    // copy's goes while the others are read, and is read again if it wins.
    DropModel();

    // The raw model only counts: were it kept, the data's model is rebuilt
    // from the file, so it goes before the rebuilt stream is read.
    bool rawRead = false;
    {
        CExcelData raw;
        raw.SetSourcePath(m_data->GetSourcePath());
        CFilePaser rawPaser;
        rawPaser.SetData(&raw);
        rawRead = ScanAndParse(rawPaser, raw);
        RestoreCounters(afterCopy);
        if (RepairStopRequested()) return false;
        if (rawRead) {
            m_rawScanned = true;
            m_rawCells = RecoveredCells(raw);
            rawSheets = CountWorksheets(raw);
            // Only a scan of two sheets or more can hold sheets its list
            // does not name beside those a copy holds.
            rawListedCells = rawSheets > 1 ? ListedCells(raw) : m_rawCells;
        }
    }

    const bool rawCopiesSheets =
        wholeSheetList && rawSheets > copySheets &&
        (m_doubt == EExtractionDoubt::Reassembled || rawListedCells <= m_copyCells);
    const std::size_t rawCells = rawCopiesSheets ? rawListedCells : m_rawCells;
    // A chain that lost its way leaves the stream whole in the sectors: the
    // stream rebuilt from them competes too, and wins over the raw scan on
    // a tie (its sheet positions count from the stream's start).
    if (m_doubt != EExtractionDoubt::Reassembled) {
        const Rebuilt rebuilt = RebuildAndCount(*m_data, rawSheets);
        RestoreCounters(afterCopy);
        if (RepairStopRequested()) {
            RemoveFile(rebuilt.path);
            return false;
        }
        const bool rawCopiesRebuilt =
            rebuilt.wholeSheetList && rawSheets > rebuilt.sheets && rawListedCells <= rebuilt.cells;
        if (rebuilt.read && rebuilt.cells > m_copyCells &&
            (rebuilt.cells >= rawCells || rawCopiesRebuilt)) {
            RemoveFile(m_data->GetExtractedPath());
            m_data->SetExtractedPath(rebuilt.path);
            m_reassembledFrom = rebuilt.from;
            RestoreCounters(m_countersAtStart);
            return ScanAndParse(*this, *m_data) || !RepairStopRequested();
        }
        RemoveFile(rebuilt.path);
    }
    RestoreCounters(m_countersAtStart);
    // The damaged file could not be read after all: the copy is all there is.
    if (!rawRead || m_rawCells <= m_copyCells || rawCopiesSheets)
        return ScanAndParse(*this, *m_data) || !RepairStopRequested();

    // The raw scan recovered more. Its model cannot move into the data (the
    // lists own their records), so the data's model is rebuilt from the
    // damaged file.
    m_keptRaw = true;
    RemoveFile(m_data->GetExtractedPath());
    m_data->SetExtractedPath({});
    return ScanAndParse(*this, *m_data) || !RepairStopRequested();
}

bool CFilePaser::HoldsBiff8Globals(const CExcelData& data) {
    CInputFile file;
    if (!file.Open(data.GetScanPath())) return false;
    for (const CExcelBOFRecord& entry : data.GetBOFList()) {
        if (!entry.IsGlobals()) continue;
        std::array<std::uint8_t, biff::kBofTestSize> bof{};
        if (file.ReadAt(entry.GetStart(), bof.data(), bof.size()) == bof.size() &&
            CBofSignature::SubstreamAt(bof.data()) == biff::kSubstreamGlobals)
            return true;
    }
    return false;
}

void CFilePaser::DropModel() {
    m_data->GetBOFList().RemoveAll();
    m_data->GetWorkbooks().RemoveAll();
    m_data->GetDamageLog().Clear();
}
