// Telling what a file is from its bytes, for the message of a repair that
// recovered nothing: the variants beyond the plain case of each kind, which
// the repair's own tests cover.
#include "repair/CSourceFileKind.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "repair/tests/support/ForeignFiles.h"
#include "repair/tests/support/RepairFixtures.h"

using namespace repairtest;
using testsupport::ScopedTempDir;

namespace {

class CSourceFileKindTest : public ::testing::Test {
protected:
    ESourceKind KindOf(const Bytes& bytes) {
        const auto path = m_temp.Path() / ("file" + std::to_string(++m_serial) + ".xls");
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        return CSourceFileKind::Detect(path);
    }

    ScopedTempDir m_temp;
    int m_serial = 0;
};

Bytes Utf16(std::u16string_view text, bool bigEndian) {
    Bytes bytes = bigEndian ? Bytes{0xFE, 0xFF} : Bytes{0xFF, 0xFE};
    for (const char16_t unit : text) {
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        const auto low = static_cast<std::uint8_t>(unit);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

}  // namespace

TEST(CSourceFileKindTable, EveryKindHasItsOwnNameAndAMessage) {
    std::set<std::string> names;
    for (int k = 0; k <= static_cast<int>(ESourceKind::NoSheets); ++k) {
        const auto kind = static_cast<ESourceKind>(k);
        EXPECT_FALSE(CSourceFileKind::Message(kind).empty()) << k;
        EXPECT_TRUE(names.insert(CSourceFileKind::Name(kind)).second) << k;
    }
}

// ---- Text and markup

TEST_F(CSourceFileKindTest, TellsWebPagesFromOtherMarkupAndText) {
    EXPECT_EQ(KindOf(TextBytes("\r\n  <!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">")),
              ESourceKind::Html);
    // A "Single File Web Page" save.
    EXPECT_EQ(KindOf(TextBytes("MIME-Version: 1.0\r\nContent-Type: multipart/related; "
                               "boundary=\"----=_NextPart\"\r\n\r\n------=_NextPart\r\n"
                               "Content-Type: text/html; charset=\"us-ascii\"\r\n")),
              ESourceKind::Html);
    EXPECT_EQ(KindOf(Utf16(u"<html><body><table></table></body></html>", false)),
              ESourceKind::Html);
    EXPECT_EQ(KindOf(Utf16(u"<?xml version=\"1.0\"?><Workbook/>", true)), ESourceKind::Xml);
    EXPECT_EQ(KindOf(TextBytes("\xEF\xBB\xBFR\xC3\xA9gion\tQ1\r\nNord\t12,5\r\n")),
              ESourceKind::PlainText);
    // Unicode text as spreadsheet programs export it.
    EXPECT_EQ(KindOf(Utf16(u"Region\tQ1\r\nNorth\t1250.5\r\n", false)), ESourceKind::PlainText);
}

TEST_F(CSourceFileKindTest, ControlBytesMakeTextBinaryOnlyPastAFew) {
    std::string text(4000, 'a');
    text[100] = '\x03';  // one stray control byte in a long text
    EXPECT_EQ(KindOf(TextBytes(text)), ESourceKind::PlainText);
    for (std::size_t i = 0; i < text.size(); i += 50) text[i] = '\x02';
    EXPECT_EQ(KindOf(TextBytes(text)), ESourceKind::Unrecognised);
    // A single NUL is never text.
    Bytes withNul = CsvText();
    withNul[10] = 0;
    EXPECT_EQ(KindOf(withNul), ESourceKind::Unrecognised);
}

// ---- Zip packages

TEST_F(CSourceFileKindTest, FindsTheWorkbookPartOfAPackageAtItsStartOrItsEnd) {
    EXPECT_EQ(KindOf(ZipArchive({"word/document.xml", "[Content_Types].xml"})),
              ESourceKind::ZipPackage);
    // A large first member pushes every local header of the xl/ parts past
    // the bytes read at the start; the central directory at the end names
    // them again.
    Bytes package = ZipArchive({"[Content_Types].xml"});
    package.resize(package.size() + 3 * CSourceFileKind::kSampleSize, 0x33);
    const Bytes rest = ZipArchive({"xl/workbook.xml"});
    package.insert(package.end(), rest.begin(), rest.end());
    EXPECT_EQ(KindOf(package), ESourceKind::OfficeOpenXml);
}

// ---- Compound files and old workbooks

TEST_F(CSourceFileKindTest, NamesCompoundFilesByTheirStreams) {
    // A dual-format file has a BIFF8 "Workbook" beside the old "Book": it
    // is a workbook of ours that gave nothing.
    CompoundFileBuilder dual;
    dual.AddStream(u"Book", Bytes(5000, 1));
    dual.AddStream(u"Workbook", Bytes(5000, 2));
    EXPECT_EQ(KindOf(dual.Build()), ESourceKind::Unrecognised);
    // Entry names are matched without their case; the damaged name length
    // field does not hide them.
    CompoundFileBuilder damaged;
    damaged.AddStream(u"BOOK", Bytes(5000, 1));
    Bytes file = damaged.Build();
    const auto* book = damaged.GetLayout().Find(u"BOOK");
    ASSERT_NE(book, nullptr);
    testsupport::SetU16(file, damaged.GetLayout().DirectoryEntryOffset(book->directoryId) + 64,
                        0xFFFF);
    EXPECT_EQ(KindOf(file), ESourceKind::OlderWorkbook);
}

TEST_F(CSourceFileKindTest, TellsTheBofsOfOlderExcelVersionsInABareStream) {
    EXPECT_EQ(KindOf({0x09, 0x00, 0x04, 0x00, 0x02, 0x00, 0x10, 0x00}), ESourceKind::OlderWorkbook);
    EXPECT_EQ(KindOf({0x09, 0x04, 0x06, 0x00, 0x00, 0x00, 0x10, 0x00, 0, 0}),
              ESourceKind::OlderWorkbook);
    EXPECT_EQ(KindOf({0x09, 0x08, 0x08, 0x00, 0x00, 0x05, 0x05, 0x00, 0, 0, 0, 0}),
              ESourceKind::OlderWorkbook);
    // A BIFF8 BOF is ours: nothing to tell from the bytes, also when a
    // writer gave it the short 8-byte body of older versions.
    EXPECT_EQ(KindOf(NumberWorkbook(0)), ESourceKind::Unrecognised);
    EXPECT_EQ(KindOf({0x09, 0x08, 0x08, 0x00, 0x00, 0x06, 0x05, 0x00, 0, 0, 0, 0}),
              ESourceKind::Unrecognised);
}

// ---- Files with nothing in them

TEST_F(CSourceFileKindTest, ZerosFollowedBySomethingOrNoFileTellNothing) {
    EXPECT_EQ(KindOf(Bytes(3 << 20, 0)), ESourceKind::ZeroFilled);
    // One byte after more than a block of zeros is something.
    Bytes almost(3 << 20, 0);
    almost.back() = 1;
    EXPECT_EQ(KindOf(almost), ESourceKind::Unrecognised);
    EXPECT_EQ(CSourceFileKind::Detect(m_temp.Path() / "missing.xls"), ESourceKind::Unrecognised);
    EXPECT_EQ(KindOf(Noise(5000)), ESourceKind::Unrecognised);
}
