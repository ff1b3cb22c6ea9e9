#include "cli/CCliJobStatusList.h"

#include <algorithm>

#include "cli/CCliConsole.h"
#include "containers/CMFSDataContainer.h"
#include "platform/RunState.h"
#include "repair/CMFSJobSummary.h"

namespace {

// The job's own texts: the row status while a file is worked on, and the
// step text it publishes once the file's repair has given a workbook.
constexpr std::u16string_view kRowInProgress = u"Saving";
constexpr std::u16string_view kSaveStep = u"Saving file...";

}  // namespace

CCliJobStatusList::CCliJobStatusList(CCliConsole& console, const CMFSDataContainer& job)
    : m_console(console),
      m_job(job),
      m_sources(job.GetSourceList()),
      m_reachedSave(m_sources.size(), 0),
      m_currentRow(m_sources.size()) {}

void CCliJobStatusList::SetRow(std::size_t row, const std::filesystem::path& destination,
                               std::u16string_view status) {
    // Rows beyond the list would only come from a job over a list that
    // changed under it; they have no source to name and are not shown.
    if (row >= m_sources.size()) return;
    if (status == kRowInProgress) {
        m_saving = false;
        m_currentRow = row;
        return;
    }
    m_console.PrintResult(status, m_sources[row], destination);
    const CMFSFileResult& result = m_job.GetFileResult(row);
    m_console.PrintOutcome(m_sources[row], CMFSJobSummary::ResultName(result), result.reason);
}

void CCliJobStatusList::SetStatusText(std::u16string_view) {
    // The main window's status text names the source file, which the
    // progress line shows already.
}

void CCliJobStatusList::InvalidateStatusArea() {
    const std::size_t row = m_currentRow.load();
    if (row >= m_sources.size()) return;
    const bool saving = JobStatusText.Get() == kSaveStep;
    if (saving) m_reachedSave[row] = 1;
    m_saving = saving;
}

std::size_t CCliJobStatusList::RepairedCount() const {
    return static_cast<std::size_t>(std::count(m_reachedSave.begin(), m_reachedSave.end(), 1));
}
