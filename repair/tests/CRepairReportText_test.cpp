// The report's text form: each fact a person needs is on it, lists of cells
// are cut short, and parts with nothing to say are left out.
#include "repair/CRepairReportText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

CRepairReport OneSheetReport() {
    CRepairReport report;
    report.source = "/data/Prices.xls";
    report.sourceSize = 6144;
    report.kind = "compound file";
    report.scannedExtractedStream = true;
    report.outcome = EReportOutcome::Complete;
    CReportSheet sheet;
    sheet.position = 0;
    sheet.name = u"Prices";
    sheet.numbers = 3;
    sheet.texts = 1;
    sheet.formulas = 1;
    sheet.first = CReportCell{0, 0};
    sheet.last = CReportCell{3, 1};
    report.workbooks.push_back({});
    report.workbooks[0].sheets.push_back(sheet);
    return report;
}

struct TextCase {
    const char* name;
    std::function<void(CRepairReport&)> change;
    std::vector<std::string> present;
    std::vector<std::string> absent;
};

TEST(RepairReportText, StatesEachFactAndLeavesOutWhatIsEmpty) {
    const std::vector<TextCase> cases = {
        {"complete",
         [](CRepairReport&) {},
         {"Result: complete\n", "Recovered cells: 4\n", "Source: /data/Prices.xls\n",
          "6144 bytes, compound file", "extracted Workbook stream",
          "sheet 1 \"Prices\": 4 cells in A1:B4\n", "3 numbers, 1 text, 0 Booleans"},
         {"Save:", "Damaged ranges", "lost", "default format", "doubted", "skipped", "Chain cut"}},
        {"skipped sectors cut after the cap, fewer listed than counted, chain cut",
         [](CRepairReport& report) {
             for (std::uint32_t n = 0; n < 60; ++n) report.skippedSectors.push_back(n + 7);
             report.skippedSectorsTotal = 1200;
             report.skippedMiniSectors = {3};
             report.skippedMiniSectorsTotal = 1;
             report.chainCut = CReportChainCut{12, false, "loop"};
         },
         {"  Sectors skipped: 7, 8, 9,", ", 56 and 1150 more (1200)\n",
          "  Mini sectors skipped: 3 (1)\n", "  Chain cut at sector 12: loop\n"},
         {", 57"}},
        {"lost strings cut after the cap",
         [](CRepairReport& report) {
             report.outcome = EReportOutcome::Partial;
             report.reason = "60 cells whose shared string is lost";
             for (std::uint16_t row = 0; row < 60; ++row)
                 report.workbooks[0].sheets[0].lostStrings.push_back({row, 2});
         },
         {"Result: partial: 60 cells whose shared string is lost\n",
          "Text lost with its shared string (60): C1, C2,", "C50 and 10 more\n"},
         {"C51"}},
        {"unnamed sheet, formula as value, broken text, formats",
         [](CRepairReport& report) {
             CReportSheet& sheet = report.workbooks[0].sheets[0];
             sheet.name.clear();
             sheet.brokenName = true;
             sheet.formulasAsValues.push_back({{4, 27}, "unknown token"});
             sheet.brokenTexts.push_back({65535, 255});
             report.workbooks[0].formats.cellsWithoutFont = 2;
         },
         {"sheet 1 (no name): ", "The name has broken characters.",
          "Formula kept as its value (1): AB5 (unknown token)\n",
          "Text with broken characters (1): IV65536\n",
          "0 without their XF, 2 without their font, 0 without their number format"},
         {"\"Prices\""}},
        {"damage with its sheet and rows, more reported than kept",
         [](CRepairReport& report) {
             CReportDamage damage;
             damage.begin = 0x200;
             damage.end = 0x3FF;
             damage.reason = "zeroed bytes";
             damage.sheetPosition = 0;
             damage.sheetName = u"Prices";
             damage.rowBefore = 4;
             damage.rowAfter = 9;
             report.damage.push_back(damage);
             report.damageReported = 3;
             report.compoundErrors = {"FAT chain loop"};
         },
         {"Damaged ranges: 3 (the first 1 listed)\n",
          "Bytes 0x00000200-0x000003FF: zeroed bytes, in sheet 1 \"Prices\", after row 5, "
          "before row 10\n",
          "Compound file errors: FAT chain loop\n"},
         {}},
        {"failed save with refusals",
         [](CRepairReport& report) {
             report.outcome = EReportOutcome::Failed;
             report.reason = "the save failed";
             report.destination = "/data/Prices_recovered.xls";
             report.refused.push_back({"Range.Formula: bad formula", 2});
             report.refusedCalls = 2;
             report.scannedExtractedStream = false;
         },
         {"Result: failed: the save failed\n", "Save: /data/Prices_recovered.xls (not saved)\n",
          "refused: 2\n", "Range.Formula: bad formula (2)\n", "Read from the raw file"},
         {"(saved)"}},
    };
    for (const TextCase& test : cases) {
        CRepairReport report = OneSheetReport();
        test.change(report);
        const std::string text = CRepairReportText::Write(report);
        for (const std::string& part : test.present)
            EXPECT_NE(text.find(part), std::string::npos) << test.name << ": " << part << "\n"
                                                          << text;
        for (const std::string& part : test.absent)
            EXPECT_EQ(text.find(part), std::string::npos) << test.name << ": " << part << "\n"
                                                          << text;
        EXPECT_EQ(text.rfind("Result: " + CRepairReportText::Verdict(report) + "\n", 0), 0u)
            << test.name;
    }
}

}  // namespace
