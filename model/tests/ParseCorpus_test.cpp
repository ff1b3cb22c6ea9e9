// The worksheet parser over real workbooks whose writers stored text cells
// as LABEL or RSTRING records (tagged `label-records` in the corpus
// manifest): every text cell of the truth dump must come back at its sheet,
// row and column, from a LABEL/RSTRING record or from a LABELSST record
// whose shared string is found, and every LABEL/RSTRING cell must be one
// of those text cells (several of these files keep LABEL records only in
// their charts' series caches). Skips when ../shared is absent.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "biff/tests/support/CorpusFiles.h"
#include "biff/tests/support/CorpusWorkbook.h"
#include "model/CExcelData.h"
#include "platform/RunState.h"
#include "platform/TextConversion.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"

namespace {

namespace fs = std::filesystem;

// Sheet name, row, column.
using CellKey = std::tuple<std::u16string, std::uint32_t, std::uint32_t>;

// The text cells of a truth dump.
std::map<CellKey, std::u16string> ReadTextCells(const fs::path& corpus, const fs::path& file) {
    std::map<CellKey, std::u16string> cells;
    for (const corpus::DumpRow& row : corpus::ReadTruth(corpus, file))
        if (row.type == "text")
            cells[{FromUtf8(corpus::Unescape(row.sheet)), row.row, row.column}] =
                FromUtf8(corpus::Unescape(row.value));
    return cells;
}

// Every text a record gives to a cell (a cell that several records claim
// has several).
std::multimap<CellKey, std::u16string> RecoveredTexts(const CExcelData& data) {
    std::multimap<CellKey, std::u16string> texts;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            for (const CExcelRecordLABEL& label : sheet.GetLabels())
                texts.emplace(CellKey{sheet.GetName(), label.GetRow(), label.GetColumn()},
                              label.GetText());
            for (const CExcelRecordLABELSST& label : sheet.GetLabelSSTs()) {
                bool found = false;
                std::u16string text = label.GetText(workbook, &found);
                if (found)
                    texts.emplace(CellKey{sheet.GetName(), label.GetRow(), label.GetColumn()},
                                  std::move(text));
            }
        }
    }
    return texts;
}

}  // namespace

TEST(ParseCorpus, EveryTextCellOfTheLabelRecordFilesComesBack) {
    MENDWELL_REQUIRE_SHARED(shared);
    const fs::path corpus = shared / "corpus";
    const std::set<std::string> files =
        corpus::FilesTagged(corpus / "MANIFEST.tsv", "label-records");
    ASSERT_EQ(files.size(), 14u);
    testsupport::ScopedTempDir temp;
    StopRequested.store(0);

    std::size_t wanted = 0, matched = 0, labelCells = 0;
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const fs::path file = corpus / "xls" / name;
        const auto truth = ReadTextCells(corpus, file);
        bool parsed = false;
        const std::unique_ptr<CExcelData> data =
            corpus::ParseWorkbook(file, corpus::ExtractWorkbook(file, temp.Path()), &parsed);
        EXPECT_TRUE(parsed);
        // Every LABEL/RSTRING cell is a text cell of the truth: none comes
        // from a chart's series cache or lands where the sheet has no text.
        std::size_t labels = 0;
        for (const CExcelWorkBook& workbook : data->GetWorkbooks()) {
            for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
                for (const CExcelRecordLABEL& label : sheet.GetLabels()) {
                    ++labels;
                    const auto at =
                        truth.find(CellKey{sheet.GetName(), label.GetRow(), label.GetColumn()});
                    if (at == truth.end() || at->second != label.GetText())
                        ADD_FAILURE() << ToUtf8(sheet.GetName()) << " row " << label.GetRow()
                                      << " column " << label.GetColumn() << ": LABEL \""
                                      << ToUtf8(label.GetText()) << "\" is no text cell there";
                }
            }
        }
        labelCells += labels;

        const auto texts = RecoveredTexts(*data);
        std::size_t found = 0;
        for (const auto& [key, text] : truth) {
            const auto [from, to] = texts.equal_range(key);
            bool same = false;
            for (auto it = from; it != to && !same; ++it) same = it->second == text;
            if (same) {
                ++found;
            } else {
                ADD_FAILURE() << ToUtf8(std::get<0>(key)) << " row " << std::get<1>(key)
                              << " column " << std::get<2>(key) << ": \"" << ToUtf8(text)
                              << "\" not recovered";
            }
        }
        wanted += truth.size();
        matched += found;
        std::printf("[ corpus   ] %s: %zu of %zu text cells, %zu from LABEL/RSTRING records\n",
                    name.c_str(), found, truth.size(), labels);
    }
    std::printf(
        "[ corpus   ] %zu files tagged label-records: %zu of %zu text cells recovered "
        "(%zu LABEL/RSTRING cells)\n",
        files.size(), matched, wanted, labelCells);
}
