// mendwell-cli extract: the first step of a repair on its own. Reads the
// compound file as far as it can be read, says which damage it met, and
// copies the Workbook stream's bytes to a plain file.
#include <cstdio>
#include <filesystem>

#include "cli/CliCommand.h"
#include "compound/CInterfaceOle.h"
#include "repair/ErrorBitNames.h"

int RunExtract(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "Usage: mendwell-cli extract SOURCE.xls OUTPUT\n");
        return ExitUsage;
    }
    const std::filesystem::path source = args[0];
    const std::filesystem::path output = args[1];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(source, ec)) {
        std::fprintf(stderr, "mendwell-cli: '%s' is not a readable file\n", source.c_str());
        return ExitFailed;
    }

    CInterfaceOle ole;
    ole.SetFileNameSrc(source);
    ole.ParseFile();
    ole.AnalizeFileStructureOle();
    const unsigned long parseError = ole.GetParseError();
    std::printf("compound file: %s\n", ParseErrorNames(parseError).c_str());
    std::printf("header conditions failed: %s\n",
                StructureFlagNames(ole.GetStructureFlags()).c_str());

    const int copied = ole.CopyWorkbook(output);
    std::printf(
        "workbook stream: %s\n",
        copied == 0 ? "copied whole" : ParseErrorNames(static_cast<unsigned long>(copied)).c_str());
    const auto size = std::filesystem::file_size(output, ec);
    if (!ec)
        std::printf("written: %s (%ju bytes)\n", output.c_str(), static_cast<std::uintmax_t>(size));
    // A stream with skipped sectors is still usable: the repair scans what
    // was copied. Only a missing output is a failure.
    return ec ? ExitFailed : ExitOk;
}
