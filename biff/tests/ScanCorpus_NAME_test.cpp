// The globals scan over real workbooks for the records that describe a
// workbook as a whole: every file the manifest tags "defined-names" gives
// names, every file tagged "date1904" (and no other) counts dates from 1904,
// and no corpus file (none is encrypted) is taken for encrypted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "biff/CExcelData.h"
#include "biff/CExcelProcessData.h"
#include "biff/CExcelScanFile.h"
#include "biff/CExcelWorkBook.h"
#include "biff/tests/support/BiffWriter.h"
#include "compound/CInterfaceOle.h"
#include "platform/tests/support/SharedData.h"
#include "records/CExcelRecordNAME.h"

namespace {

namespace fs = std::filesystem;

// File name -> feature tags (column 11 of MANIFEST.tsv, comma-separated).
std::map<std::string, std::set<std::string>> ReadFeatures(const fs::path& manifest) {
    std::map<std::string, std::set<std::string>> features;
    std::ifstream in(manifest);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> columns;
        std::stringstream row(line);
        for (std::string column; std::getline(row, column, '\t');) columns.push_back(column);
        if (columns.size() <= 10) continue;
        std::set<std::string>& tags = features[columns[0]];
        std::stringstream list(columns[10]);
        for (std::string tag; std::getline(list, tag, ',');) tags.insert(tag);
    }
    return features;
}

// Scans the extracted "Workbook" stream, or the file itself when the stream
// cannot be extracted.
std::unique_ptr<CExcelData> ScanFile(const fs::path& file, const fs::path& folder) {
    auto data = std::make_unique<CExcelData>();
    data->SetSourcePath(file);
    CInterfaceOle ole;
    ole.SetFileNameSrc(file);
    ole.ParseFile();
    const fs::path extracted = folder / (file.filename().string() + ".tmp");
    if (ole.GetParseError() == 0 && ole.CopyWorkbook(extracted) == 0) {
        data->SetExtractedPath(extracted);
    } else {
        std::error_code ec;
        fs::remove(extracted, ec);
    }
    CExcelScanFile scan(data->GetScanPath());
    if (scan.ScanForSubstreams(data.get())) {
        CExcelProcessData::CreateWorkbooks(data.get());
        scan.BuildWorkbooks(data.get());
    }
    return data;
}

}  // namespace

TEST(ScanCorpusNAME, DefinedNamesDateSystemAndEncryptionMatchTheManifest) {
    MENDWELL_REQUIRE_SHARED(shared);
    const fs::path corpus = shared / "corpus";
    const auto features = ReadFeatures(corpus / "MANIFEST.tsv");
    testsupport::ScopedTempDir temp;

    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(corpus / "xls"))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    std::size_t tagged = 0, withNames = 0, names = 0, builtIn = 0, dated1904 = 0;
    for (const fs::path& file : files) {
        const std::string fileName = file.filename().string();
        SCOPED_TRACE(fileName);
        const auto at = features.find(fileName);
        const std::set<std::string> tags =
            at == features.end() ? std::set<std::string>{} : at->second;
        std::unique_ptr<CExcelData> data = ScanFile(file, temp.Path());
        const CExcelWorkBook* workbook = data->GetWorkbooks().GetHead();
        ASSERT_NE(workbook, nullptr);

        std::uint32_t count = 0;
        for (const CExcelRecordNAME& name : workbook->GetNames()) {
            ++count;
            if (name.IsBuiltIn()) ++builtIn;
            EXPECT_FALSE(name.GetDisplayName().empty()) << "name " << count;
            EXPECT_LE(name.GetFormulaData().DataLength(), name.GetDeclaredFormulaLength());
        }
        names += count;
        if (count > 0) ++withNames;
        if (tags.count("defined-names")) {
            ++tagged;
            EXPECT_GT(count, 0u) << "tagged defined-names, no NAME record found";
        }
        const bool date1904 = tags.count("date1904") > 0;
        if (date1904) ++dated1904;
        EXPECT_EQ(workbook->IsDate1904(), date1904);
        EXPECT_FALSE(workbook->IsEncrypted());
    }
    std::printf(
        "[ corpus   ] %zu files: %zu tagged defined-names, %zu with names (%zu names, %zu "
        "built-in), %zu in the 1904 date system\n",
        files.size(), tagged, withNames, names, builtIn, dated1904);
}
