// Real files written by spreadsheet programs, and files found damaged in the
// wild, through the shared library.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "compound/CInterfaceOle.h"
#include "compound/tests/support/ScratchFolder.h"
#include "platform/tests/support/SharedData.h"

namespace {

namespace fs = std::filesystem;

// Files of a corpus folder, in name order.
std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Names of the files whose MANIFEST.tsv features carry `tag`.
std::set<std::string> FilesTagged(const fs::path& manifest, const std::string& tag) {
    std::set<std::string> names;
    std::ifstream in(manifest);
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::vector<std::string> columns;
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) columns.push_back(field);
        // file, set, ..., features is column 11
        if (columns.size() > 10 &&
            ("," + columns[10] + ",").find("," + tag + ",") != std::string::npos) {
            names.insert(columns[0]);
        }
    }
    return names;
}

// True when bytes begin with a BIFF8 workbook-globals BOF record: id 0x0809,
// body length 16 (09 08 10 00), or the short 8-byte body two writers in the
// corpus use (09 08 08 00), then version 0x0600 and type 0x0005.
bool StartsWithBiff8Bof(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 8 && bytes[0] == 0x09 && bytes[1] == 0x08 &&
           (bytes[2] == 0x10 || bytes[2] == 0x08) && bytes[3] == 0x00 && bytes[4] == 0x00 &&
           bytes[5] == 0x06 && bytes[6] == 0x05 && bytes[7] == 0x00;
}

}  // namespace

TEST(CorpusXls, EveryWorkbookParsesCleanlyAndExtractsABiff8Stream) {
    MENDWELL_REQUIRE_SHARED(shared);
    const std::set<std::string> capitalised =
        FilesTagged(shared / "corpus" / "MANIFEST.tsv", "stream-name-WORKBOOK");
    ASSERT_EQ(capitalised.size(), 3u);

    ScratchFolder folder;
    const fs::path out = folder / "Workbook.bin";
    std::size_t extracted = 0;
    std::size_t capitalisedCopied = 0;
    for (const fs::path& file : FilesIn(shared / "corpus" / "xls")) {
        SCOPED_TRACE(file.filename().string());
        fs::remove(out);
        CInterfaceOle ole;
        ole.SetFileNameSrc(file);
        EXPECT_EQ(ole.ParseFile(), ErrNone);
        EXPECT_EQ(ole.GetParseError(), 0u);
        EXPECT_EQ(ole.AnalizeFileStructureOle(), 1);
        const int copied = ole.CopyWorkbook(out);
        // Three files spell the stream "WORKBOOK"; names compare ignoring case.
        if (capitalised.count(file.filename().string())) ++capitalisedCopied;
        EXPECT_EQ(copied, 0);
        EXPECT_EQ(ole.GetParseError(), 0u);
        const std::vector<std::uint8_t> stream = ScratchFolder::Read(out);
        EXPECT_TRUE(StartsWithBiff8Bof(stream));
        EXPECT_LT(stream.size(), fs::file_size(file));
        ++extracted;
    }
    EXPECT_EQ(capitalisedCopied, 3u);
    EXPECT_EQ(extracted, 511u);
}

TEST(CorpusWild, DamagedFilesEndWithoutCrashOrRunawayOutput) {
    MENDWELL_REQUIRE_SHARED(shared);
    ScratchFolder folder;
    const fs::path out = folder / "Workbook.bin";
    std::size_t files = 0;
    for (const fs::path& file : FilesIn(shared / "corpus" / "wild")) {
        SCOPED_TRACE(file.filename().string());
        fs::remove(out);
        CInterfaceOle ole;
        ole.SetFileNameSrc(file);
        ole.ParseFile();
        EXPECT_EQ(ole.AnalizeFileStructureOle(), 1);
        const int copied = ole.CopyWorkbook(out);
        // Whatever the damage, a copy never holds more than the file does,
        // and success always leaves a file behind.
        if (fs::exists(out)) {
            EXPECT_LE(fs::file_size(out), fs::file_size(file));
        }
        if (copied == 0) {
            EXPECT_TRUE(fs::exists(out));
        }
        EXPECT_EQ(ole.GetParseError() & static_cast<unsigned long>(copied),
                  static_cast<unsigned long>(copied));
        ++files;
    }
    EXPECT_EQ(files, 34u);
}
