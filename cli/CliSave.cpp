#include "cli/CliSave.h"

#include <cstdio>
#include <string>

#include "cli/CCliConsole.h"
#include "cli/CliInterrupt.h"
#include "model/CExcelData.h"
#include "platform/RunState.h"
#include "repair/CThreadManager.h"

namespace {

// How often the progress line is redrawn while the save runs.
constexpr unsigned kProgressIntervalMs = 200;

void ShowSaveProgress(CCliConsole& console, const ProgressTarget& progress) {
    char line[64];
    std::snprintf(line, sizeof line, "saving: %3u%%",
                  ProgressPercent(progress.GetRange(), SaveProgress.load()));
    console.ShowProgress(line);
}

}  // namespace

unsigned ProgressPercent(const ProgressTarget::Range& range, std::uint32_t position) {
    if (range.upper <= range.lower || position < range.lower) return 0;
    const double share = static_cast<double>(position - range.lower) / (range.upper - range.lower);
    return share >= 1.0 ? 100u : static_cast<unsigned>(100.0 * share);
}

std::uint32_t RunCliSave(CExcelData& data, CCliConsole& console) {
    ProgressTarget progress;
    data.SetSaveProgressWindow(&progress);
    std::uint32_t result = 1;
    {
        CThreadManager manager;
        manager.SetData(&data);
        if (manager.Start() != 0) {
            std::fputs("mendwell-cli: no thread could be started for the save\n", stderr);
        }
        // Start clears the stop flag: an interrupt that came before it
        // is passed on now.
        if (WasInterrupted()) manager.Stop();
        // A save that could not start has signalled SaveDone with result 1.
        if (console.ShowsProgress()) {
            while (!SaveDone.WaitFor(kProgressIntervalMs)) ShowSaveProgress(console, progress);
            console.ClearProgress();
        } else {
            SaveDone.Wait();
        }
        manager.GetResult(&result);
    }  // the manager joins its worker here, before the target goes
    data.SetSaveProgressWindow(nullptr);
    return result;
}
