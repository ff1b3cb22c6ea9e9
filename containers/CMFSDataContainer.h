// The data of one multiple-file job: the source files in the order the user
// added them, the destination folder and option mask the job uses, and what
// the job leaves behind (one destination path and one result flag per
// processed file, one result flag and one outcome with its reason per source
// file, the workbook of the file in progress).
//
// The job screens edit the sources, the folder and the options; the job
// worker reads them and writes the rest. The status list and the progress
// target are borrowed and must outlive every job run over this data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "containers/CMFSFileResult.h"
#include "model/CDataContainer.h"
#include "model/CSaveOption.h"

class CExcelData;
class IJobStatusList;
class ProgressTarget;

class CMFSDataContainer : public CDataContainer {
public:
    CMFSDataContainer();
    ~CMFSDataContainer() override;

    IJobStatusList* GetStatusList() const;
    void SetStatusList(IJobStatusList* list);
    // The job screen's progress bar, handed to each file's repair and save.
    ProgressTarget* GetProgressTarget() const;
    void SetProgressTarget(ProgressTarget* target);

    // The workbook of the file being processed (owned). Setting a new one
    // destroys the previous one; the last stays until the data goes.
    CExcelData* GetCurrentWorkbook() const;
    void SetCurrentWorkbook(std::unique_ptr<CExcelData> workbook);

    std::vector<std::filesystem::path>& GetSourceList();
    const std::vector<std::filesystem::path>& GetSourceList() const;
    // One entry per processed file, in processing order, whatever its
    // outcome. A new job over the same data starts by clearing it.
    std::vector<std::filesystem::path>& GetDestinationList();
    const std::vector<std::filesystem::path>& GetDestinationList() const;

    // 1 saved, 0 not saved, by source position; 0 for any position never
    // set. The table grows with the source list (no fixed limit).
    std::uint8_t GetResultFlag(std::size_t position) const;
    void SetResultFlag(std::size_t position, std::uint8_t flag);

    // The outcome of the file at position; NotBegun with no reason for any
    // position never set. Setting one also sets the result flag (1 for
    // Saved, 0 otherwise).
    const CMFSFileResult& GetFileResult(std::size_t position) const;
    void SetFileResult(std::size_t position, CMFSFileResult result);
    // Forgets every outcome and result flag: a new job over the same data
    // starts with no file begun.
    void ClearFileResults();

    // 255 at creation.
    CSaveOption& GetSaveOptions();
    const CSaveOption& GetSaveOptions() const;

    const std::filesystem::path& GetDestinationFolder() const;
    void SetDestinationFolder(std::filesystem::path folder);

    // Whether the job worker writes each file's repair report into its
    // result; off at creation.
    bool KeepsReports() const { return m_keepReports; }
    void SetKeepReports(bool keep) { m_keepReports = keep; }

    // Whether the job worker shows the job's closing message when the job
    // ends; on at creation. A job that is one part of a larger job leaves
    // the counting to the whole.
    bool ShowsClosingMessage() const { return m_showsClosingMessage; }
    void SetShowsClosingMessage(bool show) { m_showsClosingMessage = show; }

    // Whether the job worker keeps each file's repair report itself (not
    // its JSON) in its result, for the results screen; off at creation.
    // A report lists cell addresses, so the reports of one run share
    // kReportObjectBudget bytes: a file whose report does not fit keeps none.
    static constexpr std::uint64_t kReportObjectBudget = std::uint64_t{64} << 20;
    bool KeepsReportObjects() const { return m_keepReportObjects; }
    void SetKeepReportObjects(bool keep) { m_keepReportObjects = keep; }
    // Takes bytes from this run's budget; false, taking nothing, when they
    // do not fit. ClearFileResults gives the whole budget back.
    bool ReserveReportBytes(std::uint64_t bytes);

private:
    IJobStatusList* m_statusList = nullptr;
    ProgressTarget* m_progressTarget = nullptr;
    std::unique_ptr<CExcelData> m_currentWorkbook;
    std::vector<std::filesystem::path> m_sourceList;
    std::vector<std::filesystem::path> m_destinationList;
    std::vector<std::uint8_t> m_resultFlags;
    std::vector<CMFSFileResult> m_fileResults;
    CSaveOption m_saveOptions{CSaveOption::All};
    std::filesystem::path m_destinationFolder;
    bool m_keepReports = false;
    bool m_showsClosingMessage = true;
    bool m_keepReportObjects = false;
    std::uint64_t m_reportBytes = 0;
};
