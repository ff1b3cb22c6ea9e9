// The globals scan over real workbooks for the records that describe a
// workbook as a whole: every file the manifest tags "defined-names" gives
// names, every file tagged "date1904" (and no other) counts dates from 1904,
// and no corpus file (none is encrypted) is taken for encrypted.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "biff/tests/support/CorpusFiles.h"
#include "biff/tests/support/CorpusWorkbook.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordNAME.h"

namespace fs = std::filesystem;

TEST(ScanCorpusNAME, DefinedNamesDateSystemAndEncryptionMatchTheManifest) {
    MENDWELL_REQUIRE_SHARED(shared);
    const fs::path corpus = shared / "corpus";
    const auto features = corpus::ReadFeatures(corpus / "MANIFEST.tsv");
    testsupport::ScopedTempDir temp;

    const std::vector<fs::path> files = corpus::FilesIn(corpus / "xls");
    ASSERT_EQ(files.size(), corpus::kXlsFiles);

    std::size_t tagged = 0, withNames = 0, names = 0, builtIn = 0, dated1904 = 0;
    for (const fs::path& file : files) {
        const std::string fileName = file.filename().string();
        SCOPED_TRACE(fileName);
        const auto at = features.find(fileName);
        const std::set<std::string> tags =
            at == features.end() ? std::set<std::string>{} : at->second;
        std::unique_ptr<CExcelData> data =
            corpus::ScanWorkbook(file, corpus::ExtractWorkbook(file, temp.Path()));
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
    EXPECT_EQ(tagged, 150u);
    EXPECT_EQ(dated1904, 16u);
}
