// Cells per second through the automation calls: the save's wrapper
// (CXLEzAutomation) driving our "Excel.Application" server, every cell
// costing the late-bound calls the save makes for it (Cells, Value,
// Cells, NumberFormat for a number; Cells, NumberFormat "@", Cells, Value
// for a text), then SaveAs. Compare with bench_xls_writer, the writer alone.
//
//   cmake -S . -B build-bench -DMENDWELL_BUILD_BENCH=ON -DMENDWELL_BUILD_TESTS=OFF
//   cmake --build build-bench --target bench_server_automation
//   build-bench/tools/bench/bench_server_automation
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "save/CXLEzAutomation.h"
#include "server/automation/CXlsApplicationServer.h"

namespace {

constexpr int kColumns = 10;

enum class Content { kNumbers, kTexts };

// Writes rows x 10 cells into a new workbook; with `save`, also saves it.
bool WriteSheet(int rows, Content content, bool save, const std::filesystem::path& path) {
    CXLEzAutomation ez(false);
    if (!ez.NewWorkbook() || !ez.SelectWorksheetFromEnd(1)) return false;
    bool ok = true;
    const std::u16string text = u"text of a cell";
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            ok &= content == Content::kNumbers ? ez.WriteNumber(c, r, r * 0.5 + c, u"General")
                                               : ez.WriteText(c, r, text);
        }
    }
    if (save) ok &= ez.SaveWorkbookAs(path.u16string());
    ez.QuitServer();
    return ok;
}

void Run(benchmark::State& state, Content content, bool save) {
    CXlsApplicationServer::Register();
    const int rows = static_cast<int>(state.range(0));
    const auto path = std::filesystem::temp_directory_path() / "bench_server_automation.xls";
    for (auto _ : state) {
        if (!WriteSheet(rows, content, save, path)) state.SkipWithError("a call failed");
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * rows * kColumns);
    state.SetLabel("items = cells");
}

void BM_AutomationNumbers(benchmark::State& state) {
    Run(state, Content::kNumbers, false);
}
void BM_AutomationTexts(benchmark::State& state) {
    Run(state, Content::kTexts, false);
}
void BM_AutomationNumbersAndSave(benchmark::State& state) {
    Run(state, Content::kNumbers, true);
}

}  // namespace

BENCHMARK(BM_AutomationNumbers)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutomationTexts)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutomationNumbersAndSave)->Arg(65536)->Unit(benchmark::kMillisecond)->Iterations(1);
