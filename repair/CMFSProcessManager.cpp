#include "repair/CMFSProcessManager.h"

#include <cstdint>
#include <memory>

#include "containers/CMFSDataContainer.h"
#include "containers/IJobStatusList.h"
#include "model/CExcelData.h"
#include "platform/MessageSink.h"
#include "platform/PauseGate.h"
#include "platform/RunState.h"
#include "platform/TextConversion.h"
#include "repair/CFileParsingManager.h"
#include "repair/CMFSJobSummary.h"
#include "repair/CRepairReportBuilder.h"
#include "repair/CRepairReportJson.h"
#include "repair/CRepairTrace.h"
#include "repair/CThreadManager.h"
#include "save/CSaveProcessManagerExcel.h"

namespace {

constexpr std::u16string_view kSaving = u"Saving";
constexpr std::u16string_view kSaved = u"Saved";
constexpr std::u16string_view kSkipped = u"Skipped";
constexpr std::u16string_view kParsingStep = u"Parsing file...";
constexpr std::u16string_view kSavingStep = u"Saving file...";

void ShowStep(CMFSDataContainer* job, std::u16string_view step) {
    JobStatusText.Set(std::u16string(step));
    if (IJobStatusList* list = job->GetStatusList()) list->InvalidateStatusArea();
}

// The parsed workbook of one source file as the job hands it to the workers.
std::unique_ptr<CExcelData> MakeFileData(const CMFSDataContainer& job,
                                         const std::filesystem::path& source) {
    auto data = std::make_unique<CExcelData>();
    data->SetSourcePath(source);
    data->SetDestinationPath(
        CSaveProcessManagerExcel::MakeDestinationName(source, job.GetDestinationFolder()));
    data->SetProgressWindow(job.GetProgressTarget());
    data->SetSaveProgressWindow(job.GetProgressTarget());
    // The job's mask replaces the all-bits default, not added to it.
    data->GetSaveOptions().Clear(UINT32_MAX);
    data->GetSaveOptions().Set(job.GetSaveOptions().Get());
    return data;
}

}  // namespace

int CMFSProcessManager::Run(CMFSDataContainer* job) {
    if (job == nullptr || job->GetSourceList().empty()) return 0;
    IJobStatusList* list = job->GetStatusList();
    // The job only ever appends; without this a second run over the same
    // data would leave the list longer than its rows.
    job->GetDestinationList().clear();
    // Likewise the outcomes: a file this run does not reach was not begun,
    // whatever an earlier run made of it.
    job->ClearFileResults();

    // The screens do not touch the job data while the job runs, so the
    // list's length is fixed for the whole loop.
    const std::size_t count = job->GetSourceList().size();
    for (std::size_t i = 0; i < count && SkipAll.load() == 0; ++i) {
        // A suspension (the screen asking whether to skip everything)
        // holds the job here between files.
        JobWorkerGate.Pass();
        if (SkipAll.load() != 0) break;

        const std::filesystem::path source = job->GetSourceList()[i];
        if (list != nullptr) list->SetStatusText(TextFromPath(source));
        job->SetCurrentWorkbook(MakeFileData(*job, source));
        const std::filesystem::path destination = job->GetCurrentWorkbook()->GetDestinationPath();
        if (list != nullptr) list->SetRow(i, destination, kSaving);

        CMFSFileResult result = ProcessOne(job);
        const bool saved = result.outcome == EFileOutcome::Saved;
        // The outcome is in place before the row's final status, so that a
        // list may read it when the row ends.
        job->SetFileResult(i, std::move(result));
        job->GetDestinationList().push_back(destination);
        if (list != nullptr) list->SetRow(i, destination, saved ? kSaved : kSkipped);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (job->GetFileResult(i).outcome == EFileOutcome::NotBegun)
            job->SetFileResult(i, Outcome(EFileOutcome::NotBegun));
    }

    if (list != nullptr) list->SetStatusText(u"");
    if (job->ShowsClosingMessage())
        ShowMessage(CMFSJobSummary::Message(CMFSJobSummary::Count(*job)));
    return 0;
}

CMFSFileResult CMFSProcessManager::ProcessOne(CMFSDataContainer* job) {
    CRepairTrace trace;
    bool repaired = false;
    bool saved = false;
    CMFSFileResult result = ProcessOne(job, trace, repaired, saved);
    if (job == nullptr || job->GetCurrentWorkbook() == nullptr) return result;
    // A saved file's verdict tells whether it came back whole.
    if (!saved && !job->KeepsReports() && !job->KeepsReportObjects()) return result;
    const CExcelData& data = *job->GetCurrentWorkbook();
    CRepairReport report = CRepairReportBuilder::Build(data, trace, repaired);
    if (repaired)
        CRepairReportBuilder::AddSave(report, data.GetDestinationPath(), saved,
                                      data.GetSaveRefusals());
    if (saved && report.outcome == EReportOutcome::Partial) {
        result.partial = true;
        result.reason = FromUtf8(report.reason);
    }
    if (job->KeepsReports()) result.report = CRepairReportJson::Write(report);
    if (job->KeepsReportObjects() && job->ReserveReportBytes(report.ApproximateBytes()))
        result.reportObject = std::make_shared<const CRepairReport>(std::move(report));
    return result;
}

CMFSFileResult CMFSProcessManager::ProcessOne(CMFSDataContainer* job, CRepairTrace& trace,
                                              bool& repaired, bool& saved) {
    repaired = RepairOne(job, &trace);
    if (!repaired) {
        // A skip leaves SaveStopRequested at 1 (the repair's end clears only
        // StopRequested); a file whose bytes told why nothing came out of
        // it failed for that reason, even when a skip came too late.
        if (trace.m_nothingRecovered)
            return {EFileOutcome::Failed,
                    std::u16string(CSourceFileKind::Message(trace.m_failureKind)),
                    {}};
        if (SaveStopRequested.load() != 0) return Outcome(EFileOutcome::Skipped);
        return Outcome(EFileOutcome::Failed);
    }
    saved = SaveOne(job);
    if (saved) return {EFileOutcome::Saved, {}, {}};
    // Nothing clears SaveStopRequested after a save: a 1 here is a skip
    // that came before or during it.
    if (SaveStopRequested.load() != 0 || StopRequested.load() != 0)
        return Outcome(EFileOutcome::Skipped);
    return {
        EFileOutcome::Failed,
        CSaveProcessManagerExcel::FailureMessage(job->GetCurrentWorkbook()->GetDestinationPath()),
        {}};
}

CMFSFileResult CMFSProcessManager::Outcome(EFileOutcome outcome) {
    return {outcome, std::u16string(CMFSJobSummary::DefaultReason(outcome)), {}};
}

bool CMFSProcessManager::RepairOne(CMFSDataContainer* job, CRepairTrace* trace) {
    if (job == nullptr) return false;
    ShowStep(job, kParsingStep);
    // The counters belong to the file in progress, as on the single-file
    // repair screen.
    ResetRepairCounters();
    // A skip of the previous file's save is done with; from here on a
    // SaveStopRequested of 1 is a skip of this file.
    SaveStopRequested.store(0);
    CFileParsingManager manager;
    manager.SetTrace(trace);
    if (manager.Start(job->GetCurrentWorkbook()) != 0) return false;
    ParsingDone.Wait();
    return ParsingSucceeded.load() == 1;
}

bool CMFSProcessManager::SaveOne(CMFSDataContainer* job) {
    if (job == nullptr) return false;
    ShowStep(job, kSavingStep);
    // The save manager clears SaveStopRequested, and the repair worker's
    // end clears StopRequested: a "&Skip" that came after the repair's last
    // check would be lost and the file saved. Such a skip has left
    // SaveStopRequested (or StopRequested, when it came after the repair
    // ended) at 1; the save it asks to stop is not begun at all.
    if (SaveStopRequested.load() != 0 || StopRequested.load() != 0) return false;
    std::uint32_t result = 1;
    {
        CThreadManager manager;
        manager.SetData(job->GetCurrentWorkbook());
        if (manager.Start() != 0) return false;
        // A skip between the check above and Start's clearing of the flag.
        if (StopRequested.load() != 0) manager.Stop();
        SaveDone.Wait();
        manager.GetResult(&result);
    }
    return result == 0;
}
