// Repair time, throughput and peak memory on a large workbook made by our
// writer: about 65,000 rows x 20 columns of numbers, texts and formulas on
// one sheet, and the same cells spread over 10 sheets. Each is repaired
// through the extracted "Workbook" stream (the file as written) and through
// the raw file (the same file with its FAT broken, so the extraction fails
// and the scan reads the damaged file itself).
//
// Every repair runs in a fresh process so that its peak resident memory
// (VmHWM) is its own, not the generator's; CPU time comes from wait4.
//
//   cmake -S . -B build-bench -DMENDWELL_BUILD_BENCH=ON -DMENDWELL_BUILD_TESTS=OFF
//   cmake --build build-bench --target bench_repair
//   build-bench/tools/bench/bench_repair [FOLDER]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "LargeWorkbook.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "platform/ScopedMessageCapture.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "repair/CRepairTrace.h"
#include "repair/RepairFile.h"
#include "tools/damage/CWorkbookDamage.h"

namespace fs = std::filesystem;

namespace {

bool BreakFat(const fs::path& from, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
    if (!CWorkbookDamage::Apply(EDamageKind::BrokenFat, 0, file)) return false;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

// The peak resident memory of this process image in kB (VmHWM). Unlike the
// ru_maxrss a parent reads for its child, it does not carry the high-water
// mark of the image the child was forked from.
unsigned long long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtoull(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

// The child: repairs one file and prints "seconds extracted cells peakKb".
int RepairOne(const char* path) {
    ScopedMessageCapture quiet;
    CExcelData data;
    data.SetSourcePath(path);
    CRepairTrace trace;
    const auto start = std::chrono::steady_clock::now();
    const bool repaired = RepairFile(&data, &trace);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::uint64_t cells = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks())
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets())
            cells += sheet.GetNumbers().GetCount() + sheet.GetRKValues().GetCount() +
                     sheet.GetLabelSSTs().GetCount() + sheet.GetFormulas().GetCount();
    std::printf("%.3f %d %llu %llu\n", took.count(), trace.m_scannedExtractedCopy ? 1 : 0,
                static_cast<unsigned long long>(cells), PeakResidentKb());
    return repaired ? 0 : 1;
}

// Runs this program (again, through /proc/self/exe) on one file in a fresh
// process and reports it.
void Measure(const char* self, const char* label, const fs::path& file, std::uint64_t stream) {
    int channel[2];
    if (::pipe(channel) != 0) return;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(channel[1], STDOUT_FILENO);
        ::close(channel[0]);
        ::execl("/proc/self/exe", self, "--repair-one", file.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(channel[1]);
    char line[128] = {};
    const ssize_t got = ::read(channel[0], line, sizeof line - 1);
    ::close(channel[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    double seconds = 0;
    int extracted = 0;
    unsigned long long cells = 0;
    unsigned long long peakKb = 0;
    if (got <= 0 ||
        std::sscanf(line, "%lf %d %llu %llu", &seconds, &extracted, &cells, &peakKb) != 4) {
        std::printf("%-28s failed (status %d)\n", label, status);
        return;
    }
    const double megabytes = static_cast<double>(stream) / (1024.0 * 1024.0);
    // CPU time as well as wall time: on a busy machine the wall time says
    // more about the neighbours than about the repair.
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf(
        "%-22s %6.2f MB  wall %6.3f s  %6.1f MB/s  cpu %6.3f s  %6.1f MB/s  peak %6.1f MB"
        "  %s  %llu cells%s\n",
        label, megabytes, seconds, seconds > 0 ? megabytes / seconds : 0.0, cpu,
        cpu > 0 ? megabytes / cpu : 0.0, static_cast<double>(peakKb) / 1024.0,
        extracted ? "extracted stream" : "raw file", cells,
        WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "" : "  (repair failed)");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--repair-one") == 0) return RepairOne(argv[2]);
    const fs::path folder = argc == 2 ? fs::path(argv[1]) : fs::temp_directory_path();
    struct Case {
        const char* name;
        std::uint32_t sheets;
    };
    for (const Case& each : {Case{"1 sheet", 1}, Case{"10 sheets", 10}}) {
        const fs::path file = folder / ("bench_repair_" + std::to_string(each.sheets) + ".xls");
        const fs::path broken =
            folder / ("bench_repair_" + std::to_string(each.sheets) + "_raw.xls");
        std::uint64_t stream = 0;
        if (!MakeLargeWorkbook(file, LargeWorkbookShape{each.sheets, false}, stream) ||
            !BreakFat(file, broken)) {
            std::fprintf(stderr, "bench_repair: cannot make the %s workbook in %s\n", each.name,
                         folder.c_str());
            return 1;
        }
        Measure(argv[0], (std::string(each.name) + ", extracted").c_str(), file, stream);
        Measure(argv[0], (std::string(each.name) + ", raw").c_str(), broken, stream);
        std::error_code ignored;
        fs::remove(file, ignored);
        fs::remove(broken, ignored);
    }
    return 0;
}
