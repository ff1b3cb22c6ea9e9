#include "cli/CliReport.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "repair/CRepairReportJson.h"
#include "repair/CRepairReportText.h"

bool WriteCliReport(const CRepairReport& report, const std::filesystem::path& target) {
    if (target.empty()) return true;
    const std::string json = CRepairReportJson::Write(report);
    if (target == "-") {
        std::fwrite(json.data(), 1, json.size(), stdout);
        return std::fflush(stdout) == 0;
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(json.data(), static_cast<std::streamsize>(json.size()));
    out.close();
    if (out) return true;
    std::fprintf(stderr, "mendwell-cli: cannot write the report '%s'\n", target.c_str());
    return false;
}

void PrintCliReportSummary(const CRepairReport& report) {
    if (report.outcome == EReportOutcome::Complete) return;
    std::fprintf(stderr, "mendwell-cli: %s: %s\n", report.source.c_str(),
                 CRepairReportText::Verdict(report).c_str());
}
