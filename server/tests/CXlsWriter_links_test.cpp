// What the writer puts in the globals for defined names and formula links,
// read with our own strict test reader: the SUPBOOKs in their order with
// their EXTERNNAMEs, the EXTERNSHEET entries with present sheet positions,
// and the NAME records.
#include <gtest/gtest.h>

#include "server/CMemoryByteSink.h"
#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsWriter.h"
#include "server/tests/support/DefinedNames.h"
#include "server/tests/support/XlsStructureReader.h"

using namespace servertest;

namespace {

constexpr std::uint16_t kBOUNDSHEET = 0x0085, kCOUNTRY = 0x008C, kSUPBOOK = 0x01AE,
                        kEXTERNNAME = 0x0023, kEXTERNSHEET = 0x0017, kNAME = 0x0018, kSST = 0x00FC;

std::vector<Record> Globals(const CXlsWorkbook& book) {
    CMemoryByteSink sink;
    EXPECT_TRUE(CXlsWriter(book).Write(sink));
    return ReadRecords(ReadCompound(sink.Bytes()).workbook);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A long form string of 8-bit characters.
Bytes Long(const std::string& text) {
    Bytes bytes{static_cast<std::uint8_t>(text.size()), 0, 0};
    for (char c : text) bytes.push_back(static_cast<std::uint8_t>(c));
    return bytes;
}

}  // namespace

TEST(XlsWriterLinks, SupBooksExternNamesExternSheetAndNamesInTheirOrder) {
    CXlsWorkbook book;
    CXlsWorksheet& a = *book.AddSheet(0, u"A");
    CXlsWorksheet& b = *book.AddSheet(1, u"B");
    auto name = [&](const char16_t* text, const CXlsWorksheet* scope, const char16_t* refersTo,
                    bool hidden, EXlsNameMacro macro) {
        EXPECT_TRUE(testsupport::AddDefinedName(book, text, scope, refersTo, hidden, macro));
    };
    name(u"Total", nullptr, u"=B!$A$1:$A$3", true, EXlsNameMacro::kNone);
    name(u"Print_Area", &b, u"=$A$1:$C$3", false, EXlsNameMacro::kNone);
    name(u"_xlfn.IFERROR", nullptr, nullptr, true, EXlsNameMacro::kFunction);
    name(u"\u03a9", nullptr, u"=1", false, EXlsNameMacro::kCommand);
    CXlsFormulaCompiler compiler(book, &a);
    CXlsFormulaTokens cell;
    ASSERT_TRUE(compiler.Compile(u"=NETWORKDAYS(A1,A2)+'[x.xls]S1'!A1+'[x.xls]'!N+#REF!A1",
                                 EXlsFormulaKind::kCell, cell));
    ASSERT_TRUE(a.SetFormula(0, 1, cell));
    book.MoveSheet(1, 0);  // B A: entries and NAME sheet indexes follow B

    const std::vector<Record> globals = Globals(book);
    std::vector<std::uint16_t> order;
    for (const Record& r : globals) {
        if (r.type == kBOUNDSHEET || r.type == kCOUNTRY || r.type == kSUPBOOK ||
            r.type == kEXTERNNAME || r.type == kEXTERNSHEET || r.type == kNAME || r.type == kSST) {
            order.push_back(r.type);
        }
    }
    EXPECT_EQ(order, (std::vector<std::uint16_t>{kBOUNDSHEET, kBOUNDSHEET, kCOUNTRY, kSUPBOOK,
                                                 kSUPBOOK, kEXTERNNAME, kSUPBOOK, kEXTERNNAME,
                                                 kEXTERNSHEET, kNAME, kNAME, kNAME, kNAME, kSST}));
    std::vector<const Record*> links;
    for (const Record& r : globals) {
        if (r.type == kSUPBOOK || r.type == kEXTERNNAME || r.type == kEXTERNSHEET) {
            links.push_back(&r);
        }
    }
    ASSERT_EQ(links.size(), 6u);
    EXPECT_EQ(links[0]->body, (Bytes{2, 0, 1, 4}));
    EXPECT_EQ(links[1]->body, (Bytes{1, 0, 1, 0x3A}));
    EXPECT_EQ(links[2]->body, Concat({{0, 0, 0, 0, 0, 0, 11, 0},
                                      Bytes{'N', 'E', 'T', 'W', 'O', 'R', 'K', 'D', 'A', 'Y', 'S'},
                                      {2, 0, 0x1C, 0x17}}));
    EXPECT_EQ(links[3]->body, Concat({{1, 0}, Long("\x01x.xls"), Long("S1")}));
    EXPECT_EQ(links[4]->body, (Bytes{0, 0, 0, 0, 0, 0, 1, 0, 'N', 0, 0}));
    // Self B:B, add-ins, x.xls S1, x.xls as a whole, a deleted sheet.
    EXPECT_EQ(links[5]->body,
              (Bytes{5, 0, 0, 0, 0, 0,    0,    0,    1,    0, 0xFE, 0xFF, 0xFE, 0xFF, 2,   0, 0,
                     0, 0, 0, 2, 0, 0xFE, 0xFF, 0xFE, 0xFF, 0, 0,    0xFF, 0xFF, 0xFF, 0xFF}));

    std::vector<const Record*> names;
    for (const Record& r : globals) {
        if (r.type == kNAME) names.push_back(&r);
    }
    ASSERT_EQ(names.size(), 4u);
    // Flags, shortcut, length, formula size, sheet index; then the name.
    auto head = [](const Record& r) {
        return std::vector<unsigned>{U16(r.body, 0), r.body[2], r.body[3], U16(r.body, 4),
                                     U16(r.body, 8)};
    };
    EXPECT_EQ(head(*names[0]), (std::vector<unsigned>{0x0001, 0, 5, 11, 0}));
    EXPECT_EQ(Bytes(names[0]->body.begin() + 14, names[0]->body.end()),
              Concat({{0, 'T', 'o', 't', 'a', 'l'}, {0x3B, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(head(*names[1]), (std::vector<unsigned>{0x0020, 0, 1, 11, 1}))
        << "built-in, on B, now the first sheet";
    EXPECT_EQ(Bytes(names[1]->body.begin() + 14, names[1]->body.begin() + 16), (Bytes{0, 0x06}));
    EXPECT_EQ(head(*names[2]), (std::vector<unsigned>{0x000F, 0, 13, 0, 0}))
        << "a hidden function name without a formula";
    EXPECT_EQ(head(*names[3]), (std::vector<unsigned>{0x000C, 0, 1, 3, 0}));
    EXPECT_EQ(Bytes(names[3]->body.begin() + 14, names[3]->body.end()),
              (Bytes{1, 0xA9, 0x03, 0x1E, 0x01, 0x00}))
        << "UTF-16 where 8 bits do not do";
}

TEST(XlsWriterLinks, LinkValuesFollowTheirWorkbooksSupBookAsXctAndCrnRuns) {
    constexpr std::uint16_t kXCT = 0x0059, kCRN = 0x005A;
    CXlsWorkbook book;
    CXlsWorksheet& a = *book.AddSheet(0, u"A");
    CXlsFormulaCompiler compiler(book, &a);
    CXlsFormulaTokens cell;
    ASSERT_TRUE(
        compiler.Compile(u"=SUM('[x.xls]S1'!A1:D1)+'[x.xls]S2'!B2", EXlsFormulaKind::kCell, cell));
    ASSERT_TRUE(a.SetFormula(0, 0, cell));
    CXlsLinkCache& cache = book.LinkCache();
    EXPECT_TRUE(cache.Set(u"X.XLS", u"s1", 0, 0, CXlsCellValue::Number(1.5)));
    EXPECT_TRUE(cache.Set(u"x.xls", u"S1", 0, 1, CXlsCellValue::Text(u"ab")));
    EXPECT_TRUE(cache.Set(u"x.xls", u"S1", 0, 3, CXlsCellValue::Boolean(true)));
    EXPECT_TRUE(cache.Set(u"x.xls", u"S2", 1, 1, CXlsCellValue::Error(0x07)));
    EXPECT_TRUE(cache.Set(u"x.xls", u"S9", 0, 0, CXlsCellValue::Number(2))) << "kept, not written";
    EXPECT_FALSE(cache.Set(u"x.xls", u"S1", 65536, 0, CXlsCellValue::Number(2)));
    EXPECT_FALSE(cache.Set(u"x.xls", u"S1", 0, 0, CXlsCellValue()));

    std::vector<Record> links;
    for (const Record& r : Globals(book)) {
        if (r.type == kSUPBOOK || r.type == kXCT || r.type == kCRN || r.type == kEXTERNSHEET)
            links.push_back(r);
    }
    ASSERT_EQ(links.size(), 8u);
    EXPECT_EQ(links[1].type, kSUPBOOK);
    EXPECT_EQ(links[2].body, (Bytes{2, 0, 0, 0})) << "S1: two CRN records";
    EXPECT_EQ(links[3].body,
              (Bytes{1, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0x02, 2, 0, 0, 'a', 'b'}))
        << "columns A and B of row 1 in one run";
    EXPECT_EQ(links[4].body, (Bytes{3, 3, 0, 0, 0x04, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(links[5].body, (Bytes{1, 0, 1, 0}));
    EXPECT_EQ(links[6].body, (Bytes{1, 1, 1, 0, 0x10, 0x07, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(links[7].type, kEXTERNSHEET);
}
