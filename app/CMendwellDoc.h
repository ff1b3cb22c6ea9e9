// The one document of the program, shared by all screens: the single-file
// source path and parsed workbook, the repair worker's manager, the
// recovered-files location, the repair's trace and report, and the
// multiple-file job data (created on first use). The workbook is replaced by a new, empty one at
// the start of each repair; whatever the document owns lives until it is destroyed.
#pragma once
#include <filesystem>
#include <memory>
#include <optional>

#include "repair/CFileParsingManager.h"
#include "repair/CRepairReport.h"
#include "repair/CRepairTrace.h"

class CExcelData;
class CMFSDataContainer;
class IJobStatusList;
class ProgressTarget;

class CMendwellDoc {
public:
    // Reads the recovered-files location from the settings.
    CMendwellDoc();
    CMendwellDoc(const CMendwellDoc&) = delete;
    CMendwellDoc& operator=(const CMendwellDoc&) = delete;
    // Waits for nothing: the main window closes only once no worker runs.
    ~CMendwellDoc();

    const std::filesystem::path& GetSourcePath() const { return m_sourcePath; }
    void SetSourcePath(std::filesystem::path path) { m_sourcePath = std::move(path); }

    const std::filesystem::path& GetRecoveredLocation() const { return m_recoveredLocation; }

    // The parsed workbook of the single-file mode; never null.
    CExcelData* GetWorkbook() const { return m_workbook.get(); }
    // Drops the previous workbook, trace and reports and makes a new, empty
    // workbook holding the source path and driving progress (borrowed). Not
    // while a worker uses the previous one.
    CExcelData* ResetWorkbook(const std::filesystem::path& source, ProgressTarget* progress);

    CFileParsingManager& GetRepairManager() { return m_repairManager; }

    // Once the repair worker has ended: the report of what it recovered,
    // from the workbook and the trace the worker filled (repaired: its
    // result), the same report the command-line tool writes.
    void BuildRepairReport(bool repaired);
    // Once a save has ended: the repair's report with that save added
    // (destination and refused calls from the workbook). Each save starts
    // again from the repair's report.
    void BuildSaveReport(bool saved);
    // Null until built, and again after ResetWorkbook.
    const CRepairReport* GetRepairReport() const;
    const CRepairReport* GetSaveReport() const;

    // Null until first use.
    CMFSDataContainer* GetJobData() const { return m_jobData.get(); }
    // The job data, created on first use with the status list and progress
    // target (both borrowed) and the recovered-files location as its
    // destination folder.
    CMFSDataContainer* EnsureJobData(IJobStatusList* statusList, ProgressTarget* progress);

private:
    std::filesystem::path m_sourcePath;
    std::filesystem::path m_recoveredLocation;
    std::unique_ptr<CExcelData> m_workbook;
    std::unique_ptr<CMFSDataContainer> m_jobData;
    // Filled by the repair worker: declared before the manager, whose
    // destructor waits for that worker.
    CRepairTrace m_trace;
    std::optional<CRepairReport> m_repairReport;
    std::optional<CRepairReport> m_saveReport;
    CFileParsingManager m_repairManager;
};
