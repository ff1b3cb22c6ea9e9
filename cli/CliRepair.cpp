#include "cli/CliRepair.h"

#include <unistd.h>

#include <cstdio>

#include "cli/CliInterrupt.h"
#include "model/CExcelData.h"
#include "platform/ProgressTarget.h"
#include "platform/RunState.h"
#include "repair/CFileParsingManager.h"

namespace {

// How often the progress line is redrawn while the worker runs.
constexpr unsigned kProgressIntervalMs = 200;

void ShowProgress(const ProgressTarget& progress) {
    const ProgressTarget::Range range = progress.GetRange();
    const std::uint32_t position = progress.GetPosition();
    const unsigned percent =
        range.upper > range.lower && position >= range.lower
            ? static_cast<unsigned>(100.0 * (position - range.lower) / (range.upper - range.lower))
            : 0;
    std::fprintf(stderr, "\rrepairing: %3u%%  sheets %u  cells %u text, %u numeric, %u formula",
                 percent > 100 ? 100 : percent, RepairCounters[CounterSheets].load(),
                 RepairCounters[CounterTextCells].load(),
                 RepairCounters[CounterNumericCells].load(),
                 RepairCounters[CounterFormulaCells].load());
    std::fflush(stderr);
}

}  // namespace

bool RunCliRepair(const std::filesystem::path& source, CExcelData& data, CRepairTrace* trace) {
    ProgressTarget progress;
    data.SetSourcePath(source);
    data.SetProgressWindow(&progress);
    ResetRepairCounters();

    CFileParsingManager manager;
    manager.SetTrace(trace);
    if (manager.Start(&data) != 0) {
        std::fputs("mendwell-cli: no thread could be started for the repair\n", stderr);
        data.SetProgressWindow(nullptr);
        return false;
    }
    // Start clears the stop flag: an interrupt that came before it is
    // passed on now.
    if (WasInterrupted()) StopRequested.store(1);
    if (isatty(fileno(stderr))) {
        while (!ParsingDone.WaitFor(kProgressIntervalMs)) ShowProgress(progress);
        ShowProgress(progress);
        std::fputc('\n', stderr);
    } else {
        ParsingDone.Wait();
    }
    // The progress target lives on this stack frame: the model must not
    // keep pointing at it.
    data.SetProgressWindow(nullptr);
    return ParsingSucceeded.load() != 0;
}
