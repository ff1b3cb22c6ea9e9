// The one document of the program, shared by all screens: the single-file
// source path and parsed workbook, the repair worker's manager, the
// recovered-files location, and the multiple-file job data (created on
// first use). The workbook is replaced by a new, empty one at the start of
// each repair; whatever the document owns lives until it is destroyed.
#pragma once
#include <filesystem>
#include <memory>

#include "repair/CFileParsingManager.h"

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
    // Drops the previous workbook and makes a new, empty one holding the
    // source path and driving progress (borrowed). Not while a worker uses
    // the previous one.
    CExcelData* ResetWorkbook(const std::filesystem::path& source, ProgressTarget* progress);

    CFileParsingManager& GetRepairManager() { return m_repairManager; }

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
    CFileParsingManager m_repairManager;
};
