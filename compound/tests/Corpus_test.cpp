// Real files written by spreadsheet programs, and files found damaged in the
// wild, through the shared library.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "biff/tests/support/CorpusFiles.h"
#include "compound/CInterfaceOle.h"
#include "compound/tests/support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

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
        corpus::FilesTagged(shared / "corpus" / "MANIFEST.tsv", "stream-name-WORKBOOK");
    ASSERT_EQ(capitalised.size(), 3u);

    ScratchFolder folder;
    const fs::path out = folder / "Workbook.bin";
    std::size_t extracted = 0;
    std::size_t capitalisedCopied = 0;
    for (const fs::path& file : corpus::FilesIn(shared / "corpus" / "xls")) {
        SCOPED_TRACE(file.filename().string());
        fs::remove(out);
        CInterfaceOle ole;
        ole.SetFileNameSrc(file);
        EXPECT_EQ(ole.ParseFile(), ErrNone);
        EXPECT_EQ(ole.GetParseError(), 0u);
        // Every header of a sound file meets all eleven conditions.
        ole.AnalizeFileStructureOle();
        EXPECT_EQ(ole.GetStructureFlags(), 0u);
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
    EXPECT_EQ(extracted, corpus::kXlsFiles);
}

TEST(CorpusWild, DamagedFilesEndWithoutCrashOrRunawayOutput) {
    MENDWELL_REQUIRE_SHARED(shared);
    ScratchFolder folder;
    const fs::path out = folder / "Workbook.bin";
    std::size_t files = 0;
    std::map<unsigned long, std::size_t> byFlags;
    for (const fs::path& file : corpus::FilesIn(shared / "corpus" / "wild")) {
        SCOPED_TRACE(file.filename().string());
        fs::remove(out);
        CInterfaceOle ole;
        ole.SetFileNameSrc(file);
        ole.ParseFile();
        ole.AnalizeFileStructureOle();
        ++byFlags[ole.GetStructureFlags()];
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
    // Header conditions failed -> files. Fuzzed and cut headers: sector
    // counts and ids past the file's end, a mini sector shift other than 6,
    // a mini stream cutoff of 0.
    const std::map<unsigned long, std::size_t> expected = {
        {0, 26},
        {StructFatSectorCount, 2},
        {StructFirstDirectory, 1},
        {StructFatSectorCount | StructFirstDirectory | StructMiniStreamCutoff, 1},
        {StructFirstMiniFat, 1},
        {StructMiniFatSectorCount, 2},
        {StructMiniFatSectorCount | StructMiniSectorShift, 1},
    };
    EXPECT_EQ(byFlags, expected);
    EXPECT_EQ(files, corpus::kWildFiles);
}
