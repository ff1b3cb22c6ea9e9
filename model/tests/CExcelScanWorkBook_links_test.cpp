// The globals scan and the link records continued in CONTINUE records:
// EXTERNSHEET's entries run on byte for byte; SUPBOOK's strings take a
// CONTINUE's first byte as a fresh option byte only inside their characters.
#include <gtest/gtest.h>

#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelScanWorkBook.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::ContinueCut;
using testsupport::ScopedTempDir;

TEST(ScanGlobalsLinks, ContinuedExternSheetAndSupBookKeepEveryByte) {
    // SUPBOOK of "book.xls" with sheets "Jan" and two 16-bit characters:
    // offset 5 the file name, 13 the first sheet name's count, 19 the
    // second's, 22 its characters. `widened` has the file name's last four
    // characters 16-bit, as after a split with a wide option byte.
    const Bytes plain = {2, 0, 8, 0,   0,   'b', 'o', 'o', 'k', '.',  'x',  'l',  's',
                         3, 0, 0, 'J', 'a', 'n', 2,   0,   1,   0xE5, 0x65, 0x2C, 0x67};
    Bytes widened(plain.begin(), plain.begin() + 9);
    for (char c : std::string(".xls"))
        widened.insert(widened.end(), {static_cast<std::uint8_t>(c), 0});
    widened.insert(widened.end(), plain.begin() + 13, plain.end());
    // EXTERNSHEET: entry k is SUPBOOK k, sheets k+1 to k+1.
    const Bytes xti = {3, 0, 0, 0, 1, 0, 1, 0, 1, 0, 2, 0, 2, 0, 2, 0, 3, 0, 3, 0};
    struct Case {
        const char* what;
        const Bytes& body;
        std::vector<ContinueCut> cuts;
        std::uint32_t xtiCut;
    };
    const Case cases[] = {
        {"file name split, 8-bit on", plain, {{9, 0x00}}, 1},
        {"file name split, 16-bit on", widened, {{9, 0x01}}, 2},
        {"between strings: the count is data", plain, {{13, std::nullopt}}, 7},
        {"16-bit sheet name split", plain, {{24, 0x01}}, 8},
        {"several", plain, {{9, 0x00}, {19, std::nullopt}, {24, 0x01}}, 13},
    };
    for (const Case& c : cases) {
        BiffWriter w;
        w.Bof(0x0005)
            .RecordWithContinues(0x01AE, c.body, c.cuts)
            .RecordWithContinues(0x0017, xti, {{c.xtiCut, std::nullopt}})
            .Eof();
        ScopedTempDir dir;
        ASSERT_TRUE(w.WriteTo(dir.Path() / "globals"));
        CExcelWorkBook workbook;
        CExcelScanWorkBook scan(dir.Path() / "globals");
        ASSERT_TRUE(scan.ScanGlobals(0, static_cast<std::uint32_t>(w.Size()), nullptr, &workbook));

        ASSERT_EQ(workbook.GetSupBooks().GetCount(), 1u) << c.what;
        const CExcelRecordGWBSUPBOOK& book = *workbook.GetSupBooks().GetHead();
        EXPECT_EQ(book.GetFileName(), u"book.xls") << c.what;
        EXPECT_EQ(book.GetSheetName(0), u"Jan") << c.what;
        EXPECT_EQ(book.GetSheetName(1), u"\u65e5\u672c") << c.what;
        ASSERT_EQ(workbook.GetExternSheets().GetCount(), 1u) << c.what;
        const CExcelRecordGWBEXTERNSHEET& refs = *workbook.GetExternSheets().GetHead();
        ASSERT_EQ(refs.GetEntries().GetCount(), 3u) << c.what;
        for (std::uint16_t k = 0; k < 3; ++k) {
            EXPECT_EQ(refs.GetEntry(k)->GetSupBookIndex(), k) << c.what;
            EXPECT_EQ(refs.GetEntry(k)->GetFirstSheet(), k + 1) << c.what;
            EXPECT_EQ(refs.GetEntry(k)->GetLastSheet(), k + 1) << c.what;
        }
    }
}
