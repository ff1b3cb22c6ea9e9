// Finds the substreams of the scan file without trusting any index, then
// builds the workbooks from them.
//
// The scan file is the extracted "Workbook" stream, or the damaged file
// itself when nothing could be extracted. Every byte offset is searched for
// a BIFF8 BOF record; "Workbook globals" BOFs start workbooks, worksheet
// and macro-sheet BOFs are sheets. Offsets count from the first byte of the scan file.
// Run in this order: ScanForSubstreams, CExcelProcessData::CreateWorkbooks,
// BuildWorkbooks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "model/CBoundSheetPlacement.h"

class CExcelData;

class CExcelScanFile {
public:
    CExcelScanFile() = default;
    explicit CExcelScanFile(std::filesystem::path scanPath) : m_scanPath(std::move(scanPath)) {}
    virtual ~CExcelScanFile() = default;

    const std::filesystem::path& GetScanPath() const { return m_scanPath; }

    // Fills data's BOF list: a "Workbook globals" entry for each globals BOF
    // and a "Worksheet" entry for each worksheet or macro-sheet BOF (counted in the sheets
    // repair counter), searching every offset except the last 513 bytes of
    // the file; a globals entry at offset 0 goes before the first worksheet
    // BOF when no globals BOF precedes it, and stands for the whole file when
    // no BOF is found at all. Then sets the entries' ends. False when the
    // file cannot be opened ("error code 0x01 : Failed to open source file")
    // or a stop was requested.
    bool ScanForSubstreams(CExcelData* data);

    // Sets each entry's end to the next entry's start, the last one's to the
    // file length. False for an empty list, a stop request, or a file that
    // cannot be opened ("error code 0x02 : Failed to open source file").
    bool SetSubstreamEnds(CExcelData* data);

    // Scans every workbook's globals and makes its sheets. In an extracted
    // stream, BOUNDSHEET positions are scan-file offsets. First the
    // worksheet BOFs that the search could not take, at the positions the
    // globals name or where the globals walk met worksheet records after
    // losing its EOF, join the BOF list (CSheetBofRecovery; a workbook opened
    // by a globals BOF that turns out to be a worksheet's goes). Then the
    // positions are checked against the worksheet BOFs
    // (CBoundSheetPlacement): a damaged position or sheet type moves the
    // sheet onto an unclaimed worksheet BOF, and worksheet BOFs that no
    // BOUNDSHEET claims become extra sheets ("unknown<n>"). When the scan
    // file is the source file itself (exactly the same path: nothing was
    // extracted), the worksheet BOFs beyond the BOUNDSHEET sheets become
    // extra sheets and every sheet is placed on the worksheet BOFs found, in
    // order, since BOUNDSHEET positions count from the start of the workbook
    // stream, not of the damaged file.
    void BuildWorkbooks(CExcelData* data);

private:
    // After CSheetBofRecovery changed the BOF list: sets the entries' ends
    // again, gives each workbook its globals entry's end, and removes the
    // workbooks (and their entries of boundSheets) whose globals entry
    // became a worksheet's.
    void DropWorkbooksTurnedToSheets(
        CExcelData* data, std::vector<std::vector<CBoundSheetPlacement::BoundSheet>>& boundSheets);

    std::filesystem::path m_scanPath;
};
