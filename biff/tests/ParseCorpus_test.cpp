// The worksheet parser over real workbooks whose writers stored text cells
// as LABEL or RSTRING records (tagged `label-records` in the corpus
// manifest): every text cell of the truth dump must come back at its sheet,
// row and column, from a LABEL/RSTRING record or from a LABELSST record
// whose shared string is found, and every LABEL/RSTRING cell must be one
// of those text cells (several of these files keep LABEL records only in
// their charts' series caches). Skips when ../shared is absent.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "biff/CExcelData.h"
#include "biff/CExcelProcessData.h"
#include "biff/CExcelScanFile.h"
#include "biff/CExcelWorkSheetParser.h"
#include "biff/tests/support/BiffWriter.h"
#include "compound/CInterfaceOle.h"
#include "platform/RunState.h"
#include "platform/TextConversion.h"
#include "platform/tests/support/SharedData.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> columns;
    std::string::size_type from = 0;
    for (;;) {
        const auto tab = line.find('\t', from);
        columns.push_back(line.substr(from, tab - from));
        if (tab == std::string::npos) return columns;
        from = tab + 1;
    }
}

// Names of the manifest's files that carry the tag.
std::vector<std::string> FilesTagged(const fs::path& manifest, const std::string& tag) {
    std::vector<std::string> files;
    std::ifstream in(manifest);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        const auto columns = SplitTabs(line);
        if (columns.size() <= 10 || columns[1] != "xls") continue;
        std::stringstream list(columns[10]);
        for (std::string t; std::getline(list, t, ',');)
            if (t == tag) files.push_back(columns[0]);
    }
    return files;
}

// Columns 2 and 6 of a truth dump escape \\, \t, \n and \r.
std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char next = text[++i];
        out.push_back(next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next);
    }
    return out;
}

// Sheet name, row, column.
using CellKey = std::tuple<std::u16string, std::uint32_t, std::uint32_t>;

// The text cells of a truth dump.
std::map<CellKey, std::u16string> ReadTextCells(const fs::path& path) {
    std::map<CellKey, std::u16string> cells;
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    const std::string content = all.str();
    std::string::size_type from = 0;
    while (from < content.size()) {
        auto end = content.find('\n', from);  // lines end at LF only
        if (end == std::string::npos) end = content.size();
        const auto columns = SplitTabs(content.substr(from, end - from));
        from = end + 1;
        if (columns.size() < 6 || columns[4] != "text") continue;
        cells[{FromUtf8(Unescape(columns[1])), std::stoul(columns[2]), std::stoul(columns[3])}] =
            FromUtf8(Unescape(columns[5]));
    }
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

// The repair's first steps on a sound file: extract the "Workbook" stream,
// scan it, parse its sheets.
std::unique_ptr<CExcelData> Repair(const fs::path& file, const fs::path& folder, bool* parsed) {
    auto data = std::make_unique<CExcelData>();
    data->SetSourcePath(file);
    CInterfaceOle ole;
    ole.SetFileNameSrc(file);
    ole.ParseFile();
    const fs::path extracted = folder / (file.filename().string() + ".tmp");
    if (ole.GetParseError() == 0 && ole.CopyWorkbook(extracted) == 0)
        data->SetExtractedPath(extracted);
    CExcelScanFile scan(data->GetScanPath());
    *parsed = false;
    if (!scan.ScanForSubstreams(data.get())) return data;
    CExcelProcessData::CreateWorkbooks(data.get());
    scan.BuildWorkbooks(data.get());
    CExcelWorkSheetParser parser;
    parser.SetStreamFileName(data->GetScanPath());
    parser.SetData(data.get());
    *parsed = parser.Run();
    return data;
}

}  // namespace

TEST(ParseCorpus, EveryTextCellOfTheLabelRecordFilesComesBack) {
    MENDWELL_REQUIRE_SHARED(shared);
    const fs::path corpus = shared / "corpus";
    const std::vector<std::string> files = FilesTagged(corpus / "MANIFEST.tsv", "label-records");
    ASSERT_FALSE(files.empty());
    testsupport::ScopedTempDir temp;
    StopRequested.store(0);

    std::size_t wanted = 0, matched = 0, labelCells = 0;
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const fs::path file = corpus / "xls" / name;
        const auto truth =
            ReadTextCells(corpus / "truth" / (fs::path(name).stem().string() + ".tsv"));
        bool parsed = false;
        const std::unique_ptr<CExcelData> data = Repair(file, temp.Path(), &parsed);
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
