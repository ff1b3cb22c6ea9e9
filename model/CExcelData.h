// The parsed form of one damaged file: the substreams found in it, the
// workbooks with their global tables and sheets, the paths the repair and
// the save use, and the progress targets they drive.
//
// Owns the BOF list and the workbooks; the progress targets are borrowed
// (set by whoever created the data, they must outlive the work that drives
// them). Destroying the data frees the model and then deletes the extracted
// copy of the "Workbook" stream, if there is one.
#pragma once

#include <filesystem>

#include "biff/CInputFile.h"
#include "biff/CTList.h"
#include "model/CDamageLog.h"
#include "model/CDataContainer.h"
#include "model/CExcelBOFRecordList.h"
#include "model/CExcelWorkBook.h"
#include "model/CSaveOption.h"
#include "platform/CRefusedCalls.h"

class ProgressTarget;

class CExcelData : public CDataContainer {
public:
    CExcelData();
    ~CExcelData() override;

    // File the save writes; empty until a save screen or a job sets it.
    const std::filesystem::path& GetDestinationPath() const { return m_destinationPath; }
    void SetDestinationPath(std::filesystem::path path) { m_destinationPath = std::move(path); }

    CExcelBOFRecordList& GetBOFList() { return m_bofList; }
    const CExcelBOFRecordList& GetBOFList() const { return m_bofList; }
    // One workbook per "Workbook globals" entry, in BOF order.
    // What the readers could not use, for the repair report.
    CDamageLog& GetDamageLog() { return m_damageLog; }
    const CDamageLog& GetDamageLog() const { return m_damageLog; }
    // What the spreadsheet server refused during the last save.
    CRefusedCalls& GetSaveRefusals() { return m_saveRefusals; }
    const CRefusedCalls& GetSaveRefusals() const { return m_saveRefusals; }

    CTList<CExcelWorkBook>& GetWorkbooks() { return m_workbooks; }
    const CTList<CExcelWorkBook>& GetWorkbooks() const { return m_workbooks; }

    // Progress bar that the scan and the worksheet parser drive; may be null.
    ProgressTarget* GetProgressWindow() const { return m_progressWindow; }
    void SetProgressWindow(ProgressTarget* target) { m_progressWindow = target; }
    // Progress bar that the save drives; null at construction.
    ProgressTarget* GetSaveProgressWindow() const { return m_saveProgressWindow; }
    void SetSaveProgressWindow(ProgressTarget* target) { m_saveProgressWindow = target; }

    // 255 (everything) at construction.
    CSaveOption& GetSaveOptions() { return m_saveOptions; }
    const CSaveOption& GetSaveOptions() const { return m_saveOptions; }
    // When set, the save lets each kind of cell record go once a sheet's
    // cells of that kind are in the server, and the shared strings once
    // every sheet is written: the model and the server's copy then never
    // hold the whole workbook both at once. Only for a caller that reads
    // nothing of the workbook after the save. Off at construction.
    bool GetReleaseWhileSaving() const { return m_releaseWhileSaving; }
    void SetReleaseWhileSaving(bool release) { m_releaseWhileSaving = release; }

    // The damaged file the user chose.
    const std::filesystem::path& GetSourcePath() const { return m_sourcePath; }
    void SetSourcePath(std::filesystem::path path) { m_sourcePath = std::move(path); }
    // The temporary copy of the "Workbook" stream; empty until an
    // extraction succeeds. The data deletes that file when destroyed.
    const std::filesystem::path& GetExtractedPath() const { return m_extractedPath; }
    // A new extracted copy lets the translated records (below) go: they
    // were the old scan file's.
    void SetExtractedPath(std::filesystem::path path);
    // The records of an Excel 5.0/95 workbook that the scan file holds,
    // translated to BIFF8 into a temporary file of their own; empty when
    // none were. The data deletes that file when destroyed, or when another
    // translation or extracted copy replaces it.
    const std::filesystem::path& GetTranslatedPath() const { return m_translatedPath; }
    void SetTranslatedPath(std::filesystem::path path);
    // The file the scan reads: the translated records when there are some,
    // else the extracted copy when there is one, else the source file
    // itself.
    const std::filesystem::path& GetScanPath() const;
    // How the scan reads path: mapped when it is the extracted copy or the
    // translated records, which this process wrote and nobody else changes;
    // by reads otherwise.
    CInputFile::EAccess AccessFor(const std::filesystem::path& path) const;

private:
    std::filesystem::path m_destinationPath;
    CExcelBOFRecordList m_bofList;
    CTList<CExcelWorkBook> m_workbooks;
    CDamageLog m_damageLog;
    CRefusedCalls m_saveRefusals;
    ProgressTarget* m_progressWindow = nullptr;
    ProgressTarget* m_saveProgressWindow = nullptr;
    CSaveOption m_saveOptions{CSaveOption::All};
    bool m_releaseWhileSaving = false;
    std::filesystem::path m_sourcePath;
    std::filesystem::path m_extractedPath;
    std::filesystem::path m_translatedPath;
};
