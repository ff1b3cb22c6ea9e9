#include "repair/CRepairReportText.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/TextConversion.h"
#include "repair/CRepairReportJson.h"

namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) {
        if (!out.empty()) out += ", ";
        out += name;
    }
    return out;
}

// "sheet 2 "Prices"", or "sheet 2 (no name)" when the save invents one.
// "1 number", "2 numbers".
std::string Counted(std::uint64_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string SheetLabel(std::uint32_t position, const std::u16string& name) {
    std::string label = "sheet " + std::to_string(position + 1u);
    if (name.empty()) return label + " (no name)";
    return label + " \"" + ToUtf8(name) + "\"";
}

// A list of cells, cut after kListedCells; describe(i) gives entry i.
template <typename Describe>
void PutCellList(std::string& out, const char* title, std::size_t count, Describe describe) {
    if (count == 0) return;
    out += "    " + std::string(title) + " (" + std::to_string(count) + "): ";
    const std::size_t shown = std::min(count, CRepairReportText::kListedCells);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0) out += ", ";
        out += describe(i);
    }
    if (shown < count) out += " and " + std::to_string(count - shown) + " more";
    out += '\n';
}

void PutSheet(std::string& out, const CReportSheet& sheet) {
    out += "  " + SheetLabel(sheet.position, sheet.name) + ": " + std::to_string(sheet.Cells()) +
           " cells";
    if (sheet.first && sheet.last) {
        out += " in " + CRepairReportJson::Address(*sheet.first) + ":" +
               CRepairReportJson::Address(*sheet.last);
    }
    out += '\n';
    if (sheet.Cells() > 0 || sheet.formulas > 0) {
        out += "    " + Counted(sheet.numbers, "number") + ", " + Counted(sheet.texts, "text") +
               ", " + Counted(sheet.booleans, "Boolean") + ", " + Counted(sheet.errors, "error") +
               ", " + std::to_string(sheet.empty) + " empty; " +
               Counted(sheet.formulas, "formula") + "\n";
    }
    if (sheet.brokenName) out += "    The name has broken characters.\n";
    PutCellList(out, "Text lost with its shared string", sheet.lostStrings.size(),
                [&](std::size_t i) { return CRepairReportJson::Address(sheet.lostStrings[i]); });
    PutCellList(out, "Formula kept as its value", sheet.formulasAsValues.size(),
                [&](std::size_t i) {
                    const CReportFormulaAsValue& formula = sheet.formulasAsValues[i];
                    return CRepairReportJson::Address(formula.cell) + " (" + formula.reason + ")";
                });
    PutCellList(out, "Text with broken characters", sheet.brokenTexts.size(),
                [&](std::size_t i) { return CRepairReportJson::Address(sheet.brokenTexts[i]); });
}

// "  Sectors skipped: 12, 13, 40 (3)", the numbers cut after kListedCells;
// nothing when none was.
void PutSectorList(std::string& out, const char* title, const std::vector<std::uint32_t>& listed,
                   std::uint64_t total) {
    if (total == 0) return;
    out += "  " + std::string(title) + ": ";
    const std::size_t shown = std::min(listed.size(), CRepairReportText::kListedCells);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0) out += ", ";
        out += std::to_string(listed[i]);
    }
    if (shown < total) out += " and " + std::to_string(total - shown) + " more";
    out += " (" + std::to_string(total) + ")\n";
}

void PutDamage(std::string& out, const CReportDamage& damage) {
    char bytes[48];
    std::snprintf(bytes, sizeof bytes, "  Bytes 0x%08X-0x%08X: ", damage.begin, damage.end);
    out += bytes + damage.reason;
    if (damage.globals) out += ", among the workbook's global records";
    if (damage.sheetPosition) out += ", in " + SheetLabel(*damage.sheetPosition, damage.sheetName);
    if (damage.rowBefore) out += ", after row " + std::to_string(*damage.rowBefore + 1u);
    if (damage.rowAfter) out += ", before row " + std::to_string(*damage.rowAfter + 1u);
    out += '\n';
}

}  // namespace

std::string CRepairReportText::Verdict(const CRepairReport& report) {
    switch (report.outcome) {
        case EReportOutcome::Complete:
            return "complete";
        case EReportOutcome::Partial:
            return "partial: " + report.reason;
        case EReportOutcome::Failed:
            break;
    }
    return "failed: " + report.reason;
}

std::string CRepairReportText::Write(const CRepairReport& report) {
    std::string out = "Result: " + Verdict(report) + "\n";
    out += "Recovered cells: " + std::to_string(report.RecoveredCells()) + "\n\n";

    out += "Source: " + report.source.string() + "\n";
    out += "  " + std::to_string(report.sourceSize) + " bytes, " + report.kind + "\n";
    if (!report.compoundErrors.empty())
        out += "  Compound file errors: " + Joined(report.compoundErrors) + "\n";
    if (report.headerConditionsFailed && !report.headerConditionsFailed->empty())
        out += "  Header conditions failed: " + Joined(*report.headerConditionsFailed) + "\n";
    if (!report.reassembledFrom.empty()) {
        out += "  Read from the Workbook stream rebuilt from the file's sectors:";
        for (const CSectorRun& run : report.reassembledFrom) {
            out += " " + std::to_string(run.first);
            if (run.count > 1) out += "-" + std::to_string(run.first + run.count - 1);
        }
        out += "\n";
    } else {
        out += report.scannedExtractedStream ? "  Read from the extracted Workbook stream\n"
                                             : "  Read from the raw file\n";
    }
    if (report.translatedOlderRecords)
        out += "  Read as an Excel 5.0/95 workbook, its records translated to Excel 97-2003 ones\n";
    if (!report.copyDoubt.empty())
        out += "  The stream copy was doubted: " + report.copyDoubt + "\n";
    PutSectorList(out, "Sectors skipped", report.skippedSectors, report.skippedSectorsTotal);
    PutSectorList(out, "Mini sectors skipped", report.skippedMiniSectors,
                  report.skippedMiniSectorsTotal);
    if (report.chainCut) {
        out += "  Chain cut at " + std::string(report.chainCut->mini ? "mini sector " : "sector ") +
               std::to_string(report.chainCut->sector) + ": " + report.chainCut->reason + "\n";
    }

    for (std::size_t w = 0; w < report.workbooks.size(); ++w) {
        const CReportWorkbook& workbook = report.workbooks[w];
        out += "\nWorkbook " + std::to_string(w + 1) + ": " +
               std::to_string(workbook.sheets.size()) + " sheets";
        if (workbook.encrypted) out += ", encrypted";
        if (workbook.date1904) out += ", 1904 dates";
        out += '\n';
        for (const CReportSheet& sheet : workbook.sheets) PutSheet(out, sheet);
        const CReportFormatShortfall& formats = workbook.formats;
        if (formats.Total() > 0) {
            out +=
                "  Cells that keep the default format: " + std::to_string(formats.cellsWithoutXf) +
                " without their XF, " + std::to_string(formats.cellsWithoutFont) +
                " without their font, " + std::to_string(formats.cellsWithoutNumberFormat) +
                " without their number format\n";
        }
    }

    if (report.damageReported > 0) {
        out += "\nDamaged ranges: " + std::to_string(report.damageReported);
        if (report.damage.size() < report.damageReported)
            out += " (the first " + std::to_string(report.damage.size()) + " listed)";
        out += '\n';
        for (const CReportDamage& damage : report.damage) PutDamage(out, damage);
    }

    if (report.destination) {
        out += "\nSave: " + report.destination->string() +
               (report.saved ? " (saved)\n" : " (not saved)\n");
        if (report.refusedCalls > 0) {
            out +=
                "  Calls the spreadsheet server refused: " + std::to_string(report.refusedCalls) +
                "\n";
            for (const CReportRefusal& refusal : report.refused)
                out += "    " + refusal.call + " (" + std::to_string(refusal.count) + ")\n";
        }
    }
    return out;
}
