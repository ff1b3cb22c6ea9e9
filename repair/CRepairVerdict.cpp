#include "repair/CRepairVerdict.h"

#include <algorithm>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CBofSignature.h"
#include "biff/CInputFile.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"

namespace {

// Whether a BIFF8 BOF of a globals or worksheet substream starts at offset in
// the file: the same test the substream search makes.
bool BofAt(const CInputFile& file, std::uint32_t offset) {
    std::uint8_t probe[biff::kBofTestSize] = {};
    if (file.ReadAt(offset, probe, sizeof probe) != sizeof probe) return false;
    return CBofSignature::SubstreamAt(probe) != 0;
}

}  // namespace

std::optional<ESourceKind> CRepairVerdict::AfterScan(const CExcelData& data) {
    if (!HasSubstream(data)) return KindOfSource(data, ESourceKind::NoWorkbookRecords);
    if (HasEncryptedWorkbook(data)) return ESourceKind::Encrypted;
    return std::nullopt;
}

std::optional<ESourceKind> CRepairVerdict::AfterParse(const CExcelData& data) {
    if (CountSheets(data) > 0 || CountCellRecords(data) > 0) return std::nullopt;
    return KindOfSource(data, ESourceKind::NoSheets);
}

bool CRepairVerdict::HasSubstream(const CExcelData& data) {
    bool atStart = false;
    for (const CExcelBOFRecord& entry : data.GetBOFList()) {
        // The search only records a worksheet entry, or a globals entry away
        // from offset 0, where it met a BOF. A globals entry at 0 is also
        // what it assumes when it met none.
        if (entry.IsWorksheet() || entry.GetStart() != 0) return true;
        atStart = true;
    }
    if (!atStart) return false;
    CInputFile file;
    return file.Open(data.GetScanPath()) && BofAt(file, 0);
}

std::uint64_t CRepairVerdict::CountCellRecords(const CExcelData& data) {
    std::uint64_t count = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            for (const std::uint32_t n :
                 {sheet.GetNumbers().GetCount(), sheet.GetRKValues().GetCount(),
                  sheet.GetLabelSSTs().GetCount(), sheet.GetLabels().GetCount(),
                  sheet.GetBoolErrs().GetCount(), sheet.GetFormulas().GetCount(),
                  sheet.GetTables().GetCount(), sheet.GetBlanks().GetCount(),
                  sheet.GetMulBlanks().GetCount()})
                count += n;
        }
    }
    return count;
}

std::uint64_t CRepairVerdict::CountSheets(const CExcelData& data) {
    // Sorted once: a damaged stream can hold thousands of sheets and BOFs.
    std::vector<std::uint32_t> starts;
    for (const CExcelBOFRecord& entry : data.GetBOFList())
        if (!entry.IsGlobals()) starts.push_back(entry.GetStart());
    std::sort(starts.begin(), starts.end());
    std::uint64_t count = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets())
            count += std::binary_search(starts.begin(), starts.end(), sheet.GetStart());
    }
    return count;
}

bool CRepairVerdict::HasEncryptedWorkbook(const CExcelData& data) {
    for (const CExcelWorkBook& workbook : data.GetWorkbooks())
        if (workbook.IsEncrypted()) return true;
    return false;
}

ESourceKind CRepairVerdict::KindOfSource(const CExcelData& data, ESourceKind fallback) {
    const ESourceKind kind = CSourceFileKind::Detect(data.GetSourcePath());
    return kind == ESourceKind::Unrecognised ? fallback : kind;
}
