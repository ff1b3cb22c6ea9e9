// Feeds arbitrary bytes, as a damaged file, to the whole repair the way the
// command-line dump runs it: extraction of the "Workbook" stream, the scan,
// the worksheet parser, then the dump of every recovered cell (shared
// strings resolved, formulas decoded). Checks what the repair promises
// whatever the bytes; a broken promise aborts, so libFuzzer keeps the input.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>

#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "platform/ScopedMessageCapture.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "repair/CCellDumpWriter.h"
#include "repair/RepairFile.h"

namespace {

namespace fs = std::filesystem;

// The input file of this process in the temporary folder, removed by each
// run (libFuzzer may end the process without running exit handlers).
fs::path WorkFile() {
    return fs::temp_directory_path() / ("fuzz_repair-" + std::to_string(::getpid()) + ".xls");
}

// Names the broken promise on standard error before aborting, so that a
// kept input says what it shows.
void Check(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "fuzz_repair: broken promise: %s\n", promise);
    std::abort();
}

// Every cell record in the model came from its own 4-byte record header of
// the file, except the MULRK cells read past the end of their record, which
// reuse the bytes that follow (a bounded allowance per sheet).
bool CellsBoundedByBytes(const CExcelData& data, std::size_t size) {
    std::uint64_t count = 0;
    std::uint64_t overrun = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            count += sheet.GetNumbers().GetCount() + sheet.GetRKValues().GetCount() +
                     sheet.GetLabelSSTs().GetCount() + sheet.GetLabels().GetCount() +
                     sheet.GetBoolErrs().GetCount() + sheet.GetFormulas().GetCount() +
                     sheet.GetBlanks().GetCount() + sheet.GetMulBlanks().GetCount();
            overrun += sheet.GetMulRkOverrun();
        }
    }
    return count - overrun <= size / 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path source = WorkFile();
    {
        std::ofstream out(source, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // The repair's failure messages would flood libFuzzer's output.
    ScopedMessageCapture quiet;
    std::string extracted;
    std::string translated;
    {
        CExcelData model;
        model.SetSourcePath(source);
        const bool repaired = RepairFile(&model);
        Check(CellsBoundedByBytes(model, size), "no more cells than record headers");
        if (repaired) {
            Check(model.GetWorkbooks().GetCount() > 0, "a repair that succeeds has a workbook");
            std::ostringstream dump;
            CCellDumpWriter(dump).Write(model);
        }
        extracted = model.GetExtractedPath().string();
        translated = model.GetTranslatedPath().string();
    }
    // The model deletes its extracted copy of the stream, and its translated
    // records, when it goes.
    std::error_code ignored;
    if (!extracted.empty())
        Check(!fs::exists(extracted, ignored), "the extracted stream copy is deleted with its model");
    if (!translated.empty())
        Check(!fs::exists(translated, ignored), "the translated records are deleted with their model");
    fs::remove(source, ignored);
    return 0;
}
