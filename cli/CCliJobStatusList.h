// The multiple-file job's status list as the command-line tool shows it:
// each row that gets its final status ("Saved" or "Skipped") becomes a
// result line on the console, and the file's outcome with its reason (which
// the job records before the row's final status) an outcome line. It also remembers which files
// reached their save, so that the tool can tell "nothing could be repaired" from "some file was not
// saved", and which file the job is on, for the progress line.
//
// The job worker calls SetRow and InvalidateStatusArea; the main thread
// reads CurrentRow and IsSaving while the job runs, and the counts once the
// job's worker has ended.
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <vector>

#include "containers/IJobStatusList.h"

class CCliConsole;
class CMFSDataContainer;

class CCliJobStatusList : public IJobStatusList {
public:
    // job: its source list gives the rows, its file results the outcomes;
    // borrowed, must outlive the list. The source list must not change
    // while the list lives.
    CCliJobStatusList(CCliConsole& console, const CMFSDataContainer& job);

    void SetRow(std::size_t row, const std::filesystem::path& destination,
                std::u16string_view status) override;
    void SetStatusText(std::u16string_view text) override;
    void InvalidateStatusArea() override;

    // The row of the file in progress (0-based); the row count before the
    // first file starts.
    std::size_t CurrentRow() const { return m_currentRow.load(); }
    // True once the file in progress has reached its save.
    bool IsSaving() const { return m_saving.load(); }
    // Files whose repair gave a workbook (they reached the save).
    std::size_t RepairedCount() const;
    // Whether the file of row reached the save.
    bool ReachedSave(std::size_t row) const {
        return row < m_reachedSave.size() && m_reachedSave[row];
    }

private:
    CCliConsole& m_console;
    const CMFSDataContainer& m_job;
    const std::vector<std::filesystem::path>& m_sources;
    std::vector<char> m_reachedSave;  // by row; written by the job worker only
    std::atomic<std::size_t> m_currentRow;
    std::atomic<bool> m_saving{false};
};
