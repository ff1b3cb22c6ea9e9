// mendwell-cli dump: repairs a file as the desktop program does and prints
// every recovered cell, one line each, in the form of the corpus reference
// dumps (see repair/CCellDumpWriter.h), on standard output.
#include <cstdio>
#include <iostream>

#include "cli/CliCommand.h"
#include "cli/CliRepair.h"
#include "model/CExcelData.h"
#include "platform/TextConversion.h"
#include "repair/CCellDumpWriter.h"

namespace {

constexpr char kUsage[] = "Usage: mendwell-cli dump [--sheet NAME] [--formulas] FILE.xls\n";

}  // namespace

int RunDump(const std::vector<std::string>& args) {
    std::string sheet;
    bool formulas = false;
    std::filesystem::path source;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sheet" && i + 1 < args.size()) {
            sheet = args[++i];
        } else if (args[i] == "--formulas") {
            formulas = true;
        } else if (source.empty() && !args[i].starts_with("--")) {
            source = args[i];
        } else {
            std::fputs(kUsage, stderr);
            return ExitUsage;
        }
    }
    if (source.empty()) {
        std::fputs(kUsage, stderr);
        return ExitUsage;
    }

    CExcelData data;
    if (!RunCliRepair(source, data, nullptr)) {
        std::fprintf(stderr, "mendwell-cli: the repair of '%s' failed\n", source.c_str());
        return ExitFailed;
    }

    std::ios::sync_with_stdio(false);
    CCellDumpWriter writer(std::cout);
    writer.SetSheetFilter(FromUtf8(sheet));
    writer.SetFormulaTexts(formulas);
    writer.Write(data);
    std::cout.flush();
    if (!sheet.empty() && writer.GetSheetsWritten() == 0) {
        std::fprintf(stderr, "mendwell-cli: no sheet named '%s' was recovered\n", sheet.c_str());
        return ExitFailed;
    }
    return std::cout ? ExitOk : ExitFailed;
}
