// mendwell-cli info: repairs a file as the desktop program does and reports
// what the repair saw on its way: the compound file's damage, which file
// was scanned, the substreams found, the workbooks and sheets with their
// record counts, and the repair counters.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliRepair.h"
#include "compound/EStructureFlag.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/RunState.h"
#include "platform/TextConversion.h"
#include "records/CExcelSSTDataList.h"
#include "repair/CBoundSheetOrder.h"
#include "repair/CExtractionDoubt.h"
#include "repair/CRecoveredCells.h"
#include "repair/CRepairReportBuilder.h"
#include "repair/CRepairReportJson.h"
#include "repair/CRepairTrace.h"
#include "repair/ErrorBitNames.h"

namespace {

struct CounterName {
    ERepairCounter counter;
    const char* name;
};

constexpr CounterName kCounters[] = {
    {CounterTextCells, "text cells"},
    {CounterFormulaCells, "formula cells"},
    {CounterNumericCells, "numeric cells"},
    {CounterOtherCells, "other cells"},
    {CounterSheets, "sheets"},
    {CounterCharts, "charts"},
    {CounterPictures, "pictures"},
};

// The sheet kinds of BOUNDSHEET records, by their type byte.
const char* SheetKind(std::uint8_t type) {
    switch (type) {
        case 0:
            return "worksheet";
        case 1:
            return "macro sheet";
        case 2:
            return "chart";
        case 6:
            return "VBA module";
        default:
            return "unknown kind";
    }
}

void PrintExtraction(const CRepairTrace& trace) {
    std::printf("compound file: %s\n", ParseErrorNames(trace.m_parseError).c_str());
    if (trace.m_structureFlags == StructAll && trace.m_parseError != 0)
        std::printf("header conditions failed: not checked (the compound file was unusable)\n");
    else
        std::printf("header conditions failed: %s\n",
                    StructureFlagNames(trace.m_structureFlags).c_str());
    const unsigned long copyBits = static_cast<unsigned long>(trace.m_copyResult);
    if (trace.m_copyDoubt == EExtractionDoubt::Reassembled)
        std::printf(
            "workbook stream: rebuilt from the file's sectors; raw file scanned, kept the %s "
            "(%zu cells vs %zu)\n",
            trace.m_scannedExtractedCopy ? "rebuilt stream" : "raw scan",
            trace.m_scannedExtractedCopy ? trace.m_copyCells : trace.m_rawCells,
            trace.m_scannedExtractedCopy ? trace.m_rawCells : trace.m_copyCells);
    else if (trace.m_copyResult < 0)
        std::printf("workbook stream copy: not tried\n");
    else if (trace.m_copyDoubt == EExtractionDoubt::None && trace.m_scannedExtractedCopy)
        std::printf("workbook stream copy: used\n");
    else if (trace.m_copyDoubt == EExtractionDoubt::None)
        std::printf("workbook stream copy: failed (%s); not used\n",
                    ParseErrorNames(copyBits).c_str());
    else if (!trace.m_rawCrossChecked)
        std::printf(
            "workbook stream copy: doubted: %s; the raw file could not be scanned, "
            "used\n",
            CExtractionDoubt::Describe(trace.m_copyDoubt));
    else
        std::printf(
            "workbook stream copy: doubted: %s; raw file scanned, kept the %s (%zu cells "
            "vs %zu)\n",
            CExtractionDoubt::Describe(trace.m_copyDoubt),
            !trace.m_reassembledFrom.empty() ? "stream rebuilt from the sectors"
            : trace.m_scannedExtractedCopy   ? "copy"
                                             : "raw scan",
            trace.m_scannedExtractedCopy ? trace.m_copyCells : trace.m_rawCells,
            trace.m_scannedExtractedCopy ? trace.m_rawCells : trace.m_copyCells);
    if (trace.m_translatedOlderRecords)
        std::printf("older records: an Excel 5.0/95 workbook, translated to BIFF8 records\n");
    std::printf("scanned: %s\n", !trace.m_reassembledFrom.empty() ? "the rebuilt Workbook stream"
                                 : trace.m_scannedExtractedCopy
                                     ? "the extracted Workbook stream"
                                     : "the file itself, as a raw record stream");
}

void PrintSubstreams(const CExcelData& data) {
    std::printf("substreams: %u\n", data.GetBOFList().GetCount());
    for (const CExcelBOFRecord& entry : data.GetBOFList())
        std::printf("  0x%08X-0x%08X  %s\n", entry.GetStart(), entry.GetEnd(),
                    ToUtf8(entry.GetName()).c_str());
}

void PrintSheet(std::uint32_t position, const CExcelWorkSheet& sheet) {
    std::printf("    sheet %u \"%s\" at 0x%08X: %zu cells\n", position,
                ToUtf8(sheet.GetName()).c_str(), sheet.GetStart(),
                CRecoveredCells::CountCells(sheet));
    std::printf(
        "      records: NUMBER %u, RK %u, LABELSST %u, LABEL %u, FORMULA %u, BOOLERR %u, "
        "BLANK %u, MULBLANK %u, ROW %u, COLINFO %u, MERGEDCELLS %u, TABLE %u\n",
        sheet.GetNumbers().GetCount(), sheet.GetRKValues().GetCount(),
        sheet.GetLabelSSTs().GetCount(), sheet.GetLabels().GetCount(),
        sheet.GetFormulas().GetCount(), sheet.GetBoolErrs().GetCount(),
        sheet.GetBlanks().GetCount(), sheet.GetMulBlanks().GetCount(), sheet.GetRows().GetCount(),
        sheet.GetColInfos().GetCount(), sheet.GetMergedCells().GetCount(),
        sheet.GetTables().GetCount());
}

void PrintWorkbooks(const CExcelData& data) {
    std::printf("workbooks: %u\n", data.GetWorkbooks().GetCount());
    std::uint32_t number = 0;
    std::uint32_t firstPosition = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        CBoundSheetOrder order;
        order.Read(data.GetScanPath(), workbook);
        const std::vector<std::uint32_t> placed = order.PlaceSheets(workbook);
        std::printf("  workbook %u at 0x%08X-0x%08X%s%s\n", ++number, workbook.GetStart(),
                    workbook.GetEnd(), workbook.IsEncrypted() ? ", encrypted (FILEPASS)" : "",
                    workbook.IsDate1904() ? ", 1904 date system" : "");
        std::printf(
            "    globals: %u shared strings, %u XF, %u FONT, %u FORMAT, %u STYLE, %u NAME, "
            "%u SUPBOOK, %u EXTERNSHEET\n",
            workbook.GetSharedStrings().GetCount(), workbook.GetXFs().GetCount(),
            workbook.GetFonts().GetCount(), workbook.GetFormats().GetCount(),
            workbook.GetStyles().GetCount(), workbook.GetNames().GetCount(),
            workbook.GetSupBooks().GetCount(), workbook.GetExternSheets().GetCount());
        std::printf("    sheet list (BOUNDSHEET): %zu\n", order.GetEntries().size());
        std::uint32_t at = 0;
        for (const CBoundSheetOrder::Entry& entry : order.GetEntries())
            std::printf("      %u \"%s\" %s\n", firstPosition + at++, ToUtf8(entry.m_name).c_str(),
                        SheetKind(entry.m_sheetType));
        std::printf("    sheets recovered: %u\n", workbook.GetWorksheets().GetCount());
        std::size_t index = 0;
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets())
            PrintSheet(firstPosition + placed[index++], sheet);
        firstPosition += order.PositionCount(placed);
    }
}

void PrintCounters() {
    std::printf("repair counters:");
    const char* separator = " ";
    for (const CounterName& entry : kCounters) {
        std::printf("%s%s %u", separator, entry.name, RepairCounters[entry.counter].load());
        separator = ", ";
    }
    std::printf("\n");
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
    // info [--json] FILE.xls
    const bool json = !args.empty() && args[0] == "--json";
    const std::size_t first = json ? 1 : 0;
    if (args.size() != first + 1 || args[first].starts_with("--")) {
        std::fprintf(stderr, "Usage: mendwell-cli info [--json] FILE.xls\n");
        return ExitUsage;
    }
    if (json) {
        CExcelData data;
        CRepairTrace trace;
        const bool succeeded = RunCliRepair(args[first], data, &trace);
        const std::string text =
            CRepairReportJson::Write(CRepairReportBuilder::Build(data, trace, succeeded));
        std::fwrite(text.data(), 1, text.size(), stdout);
        return succeeded ? ExitOk : ExitFailed;
    }
    const std::filesystem::path source = args[0];
    CExcelData data;
    CRepairTrace trace;
    const bool succeeded = RunCliRepair(source, data, &trace);

    std::error_code ec;
    const auto size = std::filesystem::file_size(source, ec);
    std::printf("file: %s (%ju bytes)\n", source.c_str(),
                ec ? std::uintmax_t{0} : static_cast<std::uintmax_t>(size));
    PrintExtraction(trace);
    PrintSubstreams(data);
    PrintWorkbooks(data);
    PrintCounters();
    if (succeeded)
        std::printf("repair: succeeded\n");
    else if (trace.m_nothingRecovered)
        std::printf("repair: failed, nothing recovered (%s)\n",
                    CSourceFileKind::Name(trace.m_failureKind));
    else
        std::printf("repair: failed\n");
    return succeeded ? ExitOk : ExitFailed;
}
