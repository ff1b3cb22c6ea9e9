// Feeds arbitrary bytes, as a file, to the compound-file reader the way the
// repair pipeline calls it (ParseFile, AnalizeFileStructureOle,
// CopyWorkbook) and checks the bounds the reader promises whatever the
// bytes. A broken bound aborts, so libFuzzer keeps the input.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "compound/CDataContainerOle.h"
#include "compound/CInterfaceOle.h"

namespace {

namespace fs = std::filesystem;

// Every EErrorCode bit, ErrOpenFile to ErrStreamSize.
constexpr unsigned long kAllErrorBits = 0x7FFF;

// The input and output files of this process in the temporary folder.
// libFuzzer may end the process without running exit handlers, so each run
// removes its own files instead.
fs::path WorkFile(const char* suffix) {
    return fs::temp_directory_path() / ("fuzz_booklift-" + std::to_string(::getpid()) + suffix);
}

void Check(bool holds) {
    if (!holds) std::abort();
}

// The container's tables and chains never grow past what the file holds.
void CheckModel(const CDataContainerOle& model, std::uint64_t size) {
    const std::uint64_t sectors = size < 512 ? 0 : (size - 512) / 512;
    const std::uint64_t fat = model.GetFat().GetCount();
    const std::uint64_t miniFat = model.GetMiniFat().GetCount();
    Check(fat <= 128 * sectors);
    Check(miniFat <= 128 * sectors);
    Check(model.GetEntryCount() <= 4 * sectors);
    Check(model.GetMiniFatChain().GetCount() <= fat + 1);
    Check(model.GetDirectoryChain().GetCount() <= fat + 1);
    for (const COleDirectoryEntry& entry : model.GetEntries()) {
        Check(entry.GetChain().GetCount() <= std::max(fat, miniFat) + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path source = WorkFile(".xls");
    static const fs::path output = WorkFile(".bin");
    {
        std::ofstream out(source, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::error_code ignored;
    fs::remove(output, ignored);

    CInterfaceOle ole;
    ole.SetFileNameSrc(source);
    const EErrorCode parsed = ole.ParseFile();
    Check(parsed == ErrNone || parsed == ErrNoRootEntry);
    Check(ole.AnalizeFileStructureOle() == 1);
    CheckModel(*ole.GetDataContainerOle(), size);

    const int copied = ole.CopyWorkbook(output);
    Check((ole.GetParseError() & ~kAllErrorBits) == 0);
    Check((ole.GetParseError() & static_cast<unsigned long>(copied)) ==
          static_cast<unsigned long>(copied));
    if (copied == 0) Check(fs::exists(output));
    if (fs::exists(output, ignored)) Check(fs::file_size(output, ignored) <= size);
    fs::remove(output, ignored);
    fs::remove(source, ignored);
    return 0;
}
