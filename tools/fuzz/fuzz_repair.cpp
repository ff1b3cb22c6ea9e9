// Feeds arbitrary bytes, as a damaged file, to the whole repair the way the
// command-line dump runs it: extraction of the "Workbook" stream, the scan,
// the worksheet parser, then the dump of every recovered cell (shared
// strings resolved, formulas decoded). Checks what the repair promises
// whatever the bytes; a broken promise aborts, so libFuzzer keeps the input.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>

#include "biff/CExcelData.h"
#include "formula/CExcelRecordFormula.h"
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

void Check(bool holds) {
    if (!holds) std::abort();
}

// Every cell record in the model came from at least one 4-byte record
// header of the file.
std::uint64_t CellRecords(const CExcelData& data) {
    std::uint64_t count = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            count += sheet.GetNumbers().GetCount() + sheet.GetRKValues().GetCount() +
                     sheet.GetLabelSSTs().GetCount() + sheet.GetLabels().GetCount() +
                     sheet.GetBoolErrs().GetCount() + sheet.GetFormulas().GetCount() +
                     sheet.GetBlanks().GetCount() + sheet.GetMulBlanks().GetCount();
        }
    }
    return count;
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
    {
        CExcelData model;
        model.SetSourcePath(source);
        const bool repaired = RepairFile(&model);
        Check(CellRecords(model) <= size / 4);
        if (repaired) {
            Check(model.GetWorkbooks().GetCount() > 0);
            std::ostringstream dump;
            CCellDumpWriter(dump).Write(model);
        }
        extracted = model.GetExtractedPath().string();
    }
    // The model deletes its extracted copy of the stream when it goes.
    std::error_code ignored;
    if (!extracted.empty()) Check(!fs::exists(extracted, ignored));
    fs::remove(source, ignored);
    return 0;
}
