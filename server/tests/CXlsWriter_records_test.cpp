// What the writer puts in the Workbook stream, record by record, read with
// our own strict test reader: substream layout and positions, the style
// table, cell records, formulas and their results, arrays, merges, rows,
// the shared-string table across CONTINUE records, and the failure cases.
#include <gtest/gtest.h>

#include <fstream>

#include "server/CMemoryByteSink.h"
#include "server/CXlsWriter.h"
#include "server/tests/support/FormulaBytes.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlsStructureReader.h"

using namespace servertest;

namespace {

constexpr std::uint16_t kBOF = 0x0809, kEOF = 0x000A, kBOUNDSHEET = 0x0085, kFONT = 0x0031,
                        kFORMAT = 0x041E, kXF = 0x00E0, kSTYLE = 0x0293, kSST = 0x00FC,
                        kEXTSST = 0x00FF, kCONTINUE = 0x003C, kFORMULA = 0x0006, kSTRING = 0x0207,
                        kARRAY = 0x0221, kNUMBER = 0x0203, kRK = 0x027E, kLABELSST = 0x00FD,
                        kBOOLERR = 0x0205, kBLANK = 0x0201, kROW = 0x0208, kMERGEDCELLS = 0x00E5,
                        kDIMENSIONS = 0x0200, kWINDOW2 = 0x023E, kCODEPAGE = 0x0042,
                        kDATEMODE = 0x0022, kSUPBOOK = 0x01AE, kEXTERNSHEET = 0x0017,
                        kCOLINFO = 0x007D, kMULBLANK = 0x00BE;

const CXlsFormulaTokens kOnePlusTwo({0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00, 0x03});

struct Written {
    Bytes stream;
    std::vector<Record> globals;
    std::vector<std::vector<Record>> sheets;
};

Written WriteBook(const CXlsWorkbook& book) {
    Written w;
    CMemoryByteSink sink;
    CXlsWriter writer(book);
    EXPECT_TRUE(writer.Write(sink));
    const CompoundFile cf = ReadCompound(sink.Bytes());
    EXPECT_TRUE(cf.problems.empty()) << (cf.problems.empty() ? "" : cf.problems.front());
    w.stream = cf.workbook;
    w.globals = ReadRecords(w.stream);
    for (const Record& r : w.globals) {
        if (r.type == kBOUNDSHEET) w.sheets.push_back(ReadRecords(w.stream, U32(r.body, 0)));
    }
    return w;
}

std::vector<const Record*> OfType(const std::vector<Record>& records, std::uint16_t type) {
    std::vector<const Record*> found;
    for (const Record& r : records) {
        if (r.type == type) found.push_back(&r);
    }
    return found;
}

// The cell record at (row, col), and the records that follow it.
std::vector<const Record*> CellAndAfter(const std::vector<Record>& records, std::uint16_t row,
                                        std::uint16_t col) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        const bool cell = r.type == kFORMULA || r.type == kNUMBER || r.type == kRK ||
                          r.type == kLABELSST || r.type == kBOOLERR || r.type == kBLANK;
        if (cell && U16(r.body, 0) == row && U16(r.body, 2) == col) {
            std::vector<const Record*> found;
            for (std::size_t j = i; j < records.size(); ++j) found.push_back(&records[j]);
            return found;
        }
    }
    return {};
}

// The XF index of the cell at (row, col): from its own cell record or from
// the MULBLANK record whose columns hold it; 0xFFFF when there is none.
std::uint16_t CellXf(const std::vector<Record>& records, std::uint16_t row, std::uint16_t col) {
    if (const auto cell = CellAndAfter(records, row, col); !cell.empty())
        return U16(cell[0]->body, 4);
    for (const Record& r : records) {
        if (r.type != kMULBLANK || r.body.size() < 10 || U16(r.body, 0) != row) continue;
        const std::uint16_t first = U16(r.body, 2);
        const std::uint16_t last = U16(r.body, r.body.size() - 2);
        if (col >= first && col <= last) return U16(r.body, 4 + 2 * (col - first));
    }
    return 0xFFFF;
}

}  // namespace

// ---- Substreams -------------------------------------------------------------------------

TEST(XlsWriterRecords, BoundSheetsPointAtTheirWorksheetSubstreams) {
    CXlsWorkbook book;
    for (const char16_t* name : {u"One", u"Two \u00e9t\u00e9", u"\u4e09"}) {
        book.AddSheet(book.SheetCount(), name)->SetNumber(0, 0, 1);
    }
    const Written w = WriteBook(book);
    ASSERT_FALSE(w.globals.empty());
    EXPECT_EQ(w.globals.front().type, kBOF);
    EXPECT_EQ(U16(w.globals.front().body, 0), 0x0600);
    EXPECT_EQ(U16(w.globals.front().body, 2), 0x0005);
    EXPECT_EQ(w.globals.back().type, kEOF);
    ASSERT_EQ(OfType(w.globals, kCODEPAGE).size(), 1u);
    EXPECT_EQ(U16(OfType(w.globals, kCODEPAGE)[0]->body, 0), 1200);

    const auto bound = OfType(w.globals, kBOUNDSHEET);
    ASSERT_EQ(bound.size(), 3u);
    ASSERT_EQ(w.sheets.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        std::size_t body = 0, offset = 6;
        std::vector<const Bytes*> bodies{&bound[i]->body};
        EXPECT_EQ(ReadContinuedString(bodies, body, offset, 1), book.Sheet(i)->Name());
        ASSERT_FALSE(w.sheets[i].empty());
        EXPECT_EQ(w.sheets[i].front().type, kBOF);
        EXPECT_EQ(U16(w.sheets[i].front().body, 2), 0x0010) << "worksheet";
        EXPECT_EQ(w.sheets[i].back().type, kEOF);
    }
}

TEST(XlsWriterRecords, DateModeAndSelectedSheet) {
    CXlsWorkbook book;
    book.AddSheet(0);
    book.AddSheet(1);
    book.SetDate1904(true);
    const Written w = WriteBook(book);
    EXPECT_EQ(U16(OfType(w.globals, kDATEMODE)[0]->body, 0), 1);
    const std::uint16_t first = U16(OfType(w.sheets[0], kWINDOW2)[0]->body, 0);
    const std::uint16_t second = U16(OfType(w.sheets[1], kWINDOW2)[0]->body, 0);
    EXPECT_EQ(first & 0x0600, 0x0600) << "selected and shown";
    EXPECT_EQ(second & 0x0600, 0);
}

TEST(XlsWriterRecords, WorkbookWithoutSheetsIsRefused) {
    CXlsWorkbook book;
    CMemoryByteSink sink;
    EXPECT_FALSE(CXlsWriter(book).Write(sink));
    EXPECT_EQ(sink.Bytes().size(), 0u);
}

// ---- Style table --------------------------------------------------------------------------------

TEST(XlsWriterRecords, FontsSkipIndexFourAndXfsReferToThem) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    s.ModifyFormat(CXlsCellRange::Cell(0, 0),
                   [](CXlsCellFormat& f) { return f.Font().SetName(u"Courier New"); });
    s.ModifyFormat(CXlsCellRange::Cell(0, 1),
                   [](CXlsCellFormat& f) { return f.Font().SetSize(14); });
    s.ModifyFormat(CXlsCellRange::Cell(0, 2),
                   [](CXlsCellFormat& f) { return f.Font().SetName(u"Courier New"); });
    const Written w = WriteBook(book);
    const auto fonts = OfType(w.globals, kFONT);
    ASSERT_EQ(fonts.size(), 6u) << "four default copies and two fonts of our own";
    const auto xfs = OfType(w.globals, kXF);
    ASSERT_EQ(xfs.size(), 21u + 2) << "two distinct cell formats";
    const auto blank = [&](std::uint16_t col) {
        const std::uint16_t xf = CellXf(w.sheets[0], 0, col);
        return xf < xfs.size() ? U16(xfs[xf]->body, 0) : -1;  // font index
    };
    EXPECT_EQ(blank(0), 5);
    EXPECT_EQ(blank(1), 6);
    EXPECT_EQ(blank(2), 5);
    EXPECT_EQ(fonts[4]->body[15], 0) << "8-bit name";
    EXPECT_EQ(std::string(fonts[4]->body.begin() + 16, fonts[4]->body.end()), "Courier New");
    EXPECT_EQ(U16(fonts[5]->body, 0), 280) << "14 points in twips";
    EXPECT_EQ(OfType(w.globals, kSTYLE).size(), 6u);
}

TEST(XlsWriterRecords, NumberFormatsBuiltInByIndexOthersFrom164) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    const std::u16string formats[] = {u"0.00", u"#,##0.000 \"kg\"", u"@", u"yyyy-mm-dd"};
    for (std::uint32_t i = 0; i < 4; ++i) {
        s.SetNumber(i, 0, i);
        s.ModifyFormat(CXlsCellRange::Cell(i, 0),
                       [&](CXlsCellFormat& f) { return f.SetNumberFormat(formats[i]); });
    }
    const Written w = WriteBook(book);
    const auto xfs = OfType(w.globals, kXF);
    const auto formatOf = [&](std::uint16_t row) {
        return U16(xfs[U16(CellAndAfter(w.sheets[0], row, 0)[0]->body, 4)]->body, 2);
    };
    EXPECT_EQ(formatOf(0), 2);
    EXPECT_EQ(formatOf(1), 164);
    EXPECT_EQ(formatOf(2), 49);
    EXPECT_EQ(formatOf(3), 165);
    std::vector<std::uint16_t> indices;
    for (const Record* r : OfType(w.globals, kFORMAT)) indices.push_back(U16(r->body, 0));
    EXPECT_EQ(indices, (std::vector<std::uint16_t>{5, 6, 7, 8, 41, 42, 43, 44, 164, 165}));
}

TEST(XlsWriterRecords, XfPacksBordersAndFillIntoTheirBits) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    s.ModifyFormat(CXlsCellRange::Cell(0, 0), [](CXlsCellFormat& f) {
        CXlsBorders& b = f.Borders();
        return b.SetLineStyle(CXlsBorders::kLeft, 1) && b.SetColorIndex(CXlsBorders::kLeft, 3) &&
               b.SetLineStyle(CXlsBorders::kRight, 2) && b.SetColorIndex(CXlsBorders::kRight, 4) &&
               b.SetLineStyle(CXlsBorders::kTop, 5) && b.SetColorIndex(CXlsBorders::kTop, 5) &&
               b.SetLineStyle(CXlsBorders::kBottom, 6) &&
               b.SetColorIndex(CXlsBorders::kBottom, 6) &&
               b.SetLineStyle(CXlsBorders::kDiagonalUp, 7) &&
               b.SetColorIndex(CXlsBorders::kDiagonalUp, 10) && f.Interior().SetColorIndex(6);
    });
    s.ModifyFormat(CXlsCellRange::Cell(0, 1), [](CXlsCellFormat& f) {
        return f.Interior().SetPattern(3) && f.Interior().SetColorIndex(1) &&
               f.Interior().SetPatternColorIndex(2);
    });
    const Written w = WriteBook(book);
    const auto xfs = OfType(w.globals, kXF);
    const Bytes& xf = xfs.at(CellXf(w.sheets[0], 0, 0))->body;
    EXPECT_EQ(xf[9], 0x20 | 0x40) << "borders and fill used";
    const std::uint32_t lines = U32(xf, 10);
    EXPECT_EQ(lines & 0xF, 1u);
    EXPECT_EQ((lines >> 4) & 0xF, 2u);
    EXPECT_EQ((lines >> 8) & 0xF, 5u);
    EXPECT_EQ((lines >> 12) & 0xF, 6u);
    EXPECT_EQ((lines >> 16) & 0x7F, 10u) << "left colour 3 + 7";
    EXPECT_EQ((lines >> 23) & 0x7F, 11u);
    EXPECT_EQ(lines >> 30, 2u) << "diagonal up only";
    const std::uint32_t more = U32(xf, 14);
    EXPECT_EQ(more & 0x7F, 12u);
    EXPECT_EQ((more >> 7) & 0x7F, 13u);
    EXPECT_EQ((more >> 14) & 0x7F, 17u);
    EXPECT_EQ((more >> 21) & 0xF, 7u);
    EXPECT_EQ(more >> 26, 1u) << "solid";
    EXPECT_EQ(U16(xf, 18) & 0x7F, 13u) << "solid fill in the cell colour 6 + 7";

    const Bytes& hatch = xfs.at(CellXf(w.sheets[0], 0, 1))->body;
    EXPECT_EQ(U32(hatch, 14) >> 26, 3u);
    EXPECT_EQ(U16(hatch, 18) & 0x7F, 9u) << "pattern drawn in the pattern colour";
    EXPECT_EQ((U16(hatch, 18) >> 7) & 0x7F, 8u) << "over the cell colour";
}

TEST(XlsWriterRecords, FormatsBeyondTheXfLimitFallBackToTheDefault) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    for (std::uint32_t i = 0; i < 4100; ++i) {
        const std::u16string text = u"0." + std::u16string(1 + i % 30, u'0') + u"\"" +
                                    std::u16string(1 + i / 30, u'x') + u"\"";
        ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(i, 0),
                                   [&](CXlsCellFormat& f) { return f.SetNumberFormat(text); }));
    }
    CMemoryByteSink sink;
    CXlsWriter writer(book);
    ASSERT_TRUE(writer.Write(sink));
    EXPECT_EQ(writer.DroppedFormats(), 4100u - (4000 - 21));
    const Written w = WriteBook(book);
    EXPECT_EQ(OfType(w.globals, kXF).size(), 4000u);
    EXPECT_EQ(U16(CellAndAfter(w.sheets[0], 4099, 0)[0]->body, 4), 15) << "default cell XF";
}

// ---- Cells
// -------------------------------------------------------------------------------------------

TEST(XlsWriterRecords, CellRecordsByKind) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    s.SetNumber(0, 0, 1.0);
    s.SetNumber(0, 1, 0.1 + 0.2);
    s.SetText(0, 2, u"x");
    s.SetBoolean(0, 3, true);
    s.SetError(0, 4, 0x17);
    s.ModifyFormat(CXlsCellRange::Cell(0, 5),
                   [](CXlsCellFormat& f) { return f.Interior().SetColorIndex(4); });
    const Written w = WriteBook(book);
    const auto& r = w.sheets[0];
    EXPECT_EQ(CellAndAfter(r, 0, 0)[0]->type, kRK);
    EXPECT_EQ(U32(CellAndAfter(r, 0, 0)[0]->body, 6), 6u);
    EXPECT_EQ(CellAndAfter(r, 0, 1)[0]->type, kNUMBER);
    EXPECT_EQ(F64(CellAndAfter(r, 0, 1)[0]->body, 6), 0.1 + 0.2);
    EXPECT_EQ(CellAndAfter(r, 0, 2)[0]->type, kLABELSST);
    EXPECT_EQ(U32(CellAndAfter(r, 0, 2)[0]->body, 6), 0u);
    EXPECT_EQ(CellAndAfter(r, 0, 3)[0]->body, (Bytes{0, 0, 3, 0, 15, 0, 1, 0}));
    EXPECT_EQ(CellAndAfter(r, 0, 4)[0]->body, (Bytes{0, 0, 4, 0, 15, 0, 0x17, 1}));
    EXPECT_EQ(CellAndAfter(r, 0, 5)[0]->type, kBLANK);
    const Bytes& dims = OfType(r, kDIMENSIONS)[0]->body;
    EXPECT_EQ(dims, (Bytes{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 6, 0, 0, 0}));
}

TEST(XlsWriterRecords, BlankCellsOfAdjacentColumnsShareAMulBlank) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    const auto fill = [&s](std::uint32_t row, std::uint32_t col, std::int32_t color) {
        ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(row, col), [color](CXlsCellFormat& f) {
            return f.Interior().SetColorIndex(color);
        }));
    };
    // Row 0: blanks in B:D (two formats), a number in E, blanks in F:G, one in I.
    fill(0, 1, 4);
    fill(0, 2, 4);
    fill(0, 3, 5);
    s.SetNumber(0, 4, 2.0);
    fill(0, 5, 6);
    fill(0, 6, 6);
    fill(0, 8, 7);
    const Written w = WriteBook(book);
    const auto runs = OfType(w.sheets[0], kMULBLANK);
    ASSERT_EQ(runs.size(), 2u);
    const Bytes& bd = runs[0]->body;
    ASSERT_EQ(bd.size(), 12u);
    EXPECT_EQ(U16(bd, 0), 0u);
    EXPECT_EQ(U16(bd, 2), 1u);   // first column B
    EXPECT_EQ(U16(bd, 10), 3u);  // last column D
    EXPECT_EQ(U16(bd, 4), U16(bd, 6));
    EXPECT_NE(U16(bd, 6), U16(bd, 8));
    const Bytes& fg = runs[1]->body;
    ASSERT_EQ(fg.size(), 10u);
    EXPECT_EQ(U16(fg, 2), 5u);
    EXPECT_EQ(U16(fg, 8), 6u);
    // The lone blank of I keeps its BLANK record, the number its own.
    const auto blanks = OfType(w.sheets[0], kBLANK);
    ASSERT_EQ(blanks.size(), 1u);
    EXPECT_EQ(U16(blanks[0]->body, 2), 8u);
    EXPECT_EQ(CellAndAfter(w.sheets[0], 0, 4)[0]->type, kRK);
}

TEST(XlsWriterRecords, FormulaResultsByKind) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    s.SetNumber(0, 0, 3);
    s.SetText(1, 0, u"three");
    s.SetBoolean(2, 0, true);
    s.SetError(3, 0, 0x07);
    for (std::uint32_t r = 0; r < 5; ++r) ASSERT_TRUE(s.SetFormula(r, 0, kOnePlusTwo));
    const Written w = WriteBook(book);
    const auto& rec = w.sheets[0];

    const auto number = CellAndAfter(rec, 0, 0);
    ASSERT_EQ(number[0]->type, kFORMULA);
    EXPECT_EQ(F64(number[0]->body, 6), 3.0);
    EXPECT_EQ(U16(number[0]->body, 14) & 1, 1) << "calculated on open";
    EXPECT_EQ(U16(number[0]->body, 20), 7);
    EXPECT_EQ(Hex(Bytes(number[0]->body.begin() + 22, number[0]->body.end())),
              Hex(kOnePlusTwo.Tokens()));

    const auto text = CellAndAfter(rec, 1, 0);
    EXPECT_EQ(Bytes(text[0]->body.begin() + 6, text[0]->body.begin() + 14),
              (Bytes{0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
    ASSERT_EQ(text[1]->type, kSTRING);
    EXPECT_EQ(text[1]->body, (Bytes{5, 0, 0, 't', 'h', 'r', 'e', 'e'}));

    EXPECT_EQ(Bytes(CellAndAfter(rec, 2, 0)[0]->body.begin() + 6,
                    CellAndAfter(rec, 2, 0)[0]->body.begin() + 14),
              (Bytes{1, 0, 1, 0, 0, 0, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(CellAndAfter(rec, 3, 0)[0]->body.begin() + 6,
                    CellAndAfter(rec, 3, 0)[0]->body.begin() + 14),
              (Bytes{2, 0, 7, 0, 0, 0, 0xFF, 0xFF}));
    const auto none = CellAndAfter(rec, 4, 0);
    EXPECT_EQ(Bytes(none[0]->body.begin() + 6, none[0]->body.begin() + 14),
              (Bytes{3, 0, 0, 0, 0, 0, 0xFF, 0xFF}))
        << "no value: an empty-string result";
    EXPECT_NE(none[1]->type, kSTRING);
}

TEST(XlsWriterRecords, LongTextResultContinuesItsStringRecord) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    const std::u16string text(30000, u'\u00e9');
    s.SetText(0, 0, text);
    s.SetFormula(0, 0, kOnePlusTwo);
    const Written w = WriteBook(book);
    const auto after = CellAndAfter(w.sheets[0], 0, 0);
    ASSERT_EQ(after[1]->type, kSTRING);
    std::vector<const Bytes*> bodies{&after[1]->body};
    for (std::size_t i = 2; i < after.size() && after[i]->type == kCONTINUE; ++i) {
        bodies.push_back(&after[i]->body);
    }
    EXPECT_EQ(bodies.size(), 4u);
    std::size_t body = 0, offset = 0;
    EXPECT_EQ(ReadContinuedString(bodies, body, offset), text);
}

TEST(XlsWriterRecords, ArrayFormulaTopLeftCarriesTheArrayRecord) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    s.SetText(2, 1, u"r");
    ASSERT_TRUE(s.SetArrayFormula(CXlsCellRange(2, 1, 3, 2), kOnePlusTwo));
    const Written w = WriteBook(book);
    const auto anchor = CellAndAfter(w.sheets[0], 2, 1);
    ASSERT_EQ(anchor[0]->type, kFORMULA);
    EXPECT_EQ(Bytes(anchor[0]->body.begin() + 20, anchor[0]->body.end()),
              (Bytes{5, 0, 0x01, 2, 0, 1, 0}))
        << "ptgExp to its own cell";
    ASSERT_EQ(anchor[1]->type, kARRAY);
    EXPECT_EQ(Bytes(anchor[1]->body.begin(), anchor[1]->body.begin() + 6),
              (Bytes{2, 0, 3, 0, 1, 2}));
    EXPECT_EQ(U16(anchor[1]->body, 6) & 1, 1);
    EXPECT_EQ(Hex(Bytes(anchor[1]->body.begin() + 14, anchor[1]->body.end())),
              Hex(kOnePlusTwo.Tokens()));
    EXPECT_EQ(anchor[2]->type, kSTRING) << "the text result follows the ARRAY record";

    const auto other = CellAndAfter(w.sheets[0], 3, 2);
    ASSERT_EQ(other[0]->type, kFORMULA);
    EXPECT_EQ(Bytes(other[0]->body.begin() + 20, other[0]->body.end()),
              (Bytes{5, 0, 0x01, 2, 0, 1, 0}));
    EXPECT_EQ(OfType(w.sheets[0], kARRAY).size(), 1u);
}

TEST(XlsWriterRecords, RowRecordsComeInBlocksOf32BeforeTheirCells) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    for (std::uint32_t r = 0; r < 70; r += 2) s.SetNumber(r, 1, r);
    s.SetRowHeight(5, 20);
    s.SetRowHeight(6, 0);
    const Written w = WriteBook(book);
    std::vector<std::pair<std::uint16_t, std::uint16_t>> order;  // (type, row)
    for (const Record& r : w.sheets[0]) {
        if (r.type == kROW || r.type == kRK) order.emplace_back(r.type, U16(r.body, 0));
    }
    std::uint32_t lastBlock = 0;
    bool inCells = false;
    for (const auto& [type, row] : order) {
        const std::uint32_t block = row / 32;
        if (type == kROW) {
            EXPECT_TRUE(!inCells || block > lastBlock) << "ROW " << row << " after cells";
            if (block > lastBlock) inCells = false;
            lastBlock = block;
        } else {
            EXPECT_EQ(block, lastBlock) << "cell of row " << row;
            inCells = true;
        }
    }
    for (const Record* r : OfType(w.sheets[0], kROW)) {
        const std::uint16_t row = U16(r->body, 0);
        const std::uint32_t flags = U32(r->body, 12);
        if (row == 5) {
            EXPECT_EQ(U16(r->body, 6), 400);
            EXPECT_EQ(flags & 0x60, 0x40u);
        } else if (row == 6) {
            EXPECT_EQ(U16(r->body, 6), 0);
            EXPECT_EQ(flags & 0x60, 0x60u) << "hidden";
        } else {
            EXPECT_EQ(U16(r->body, 6), 255);
            EXPECT_EQ(U16(r->body, 2), 1);
            EXPECT_EQ(U16(r->body, 4), 2);
        }
        EXPECT_EQ(flags >> 16, 15u);
        EXPECT_EQ(flags & 0x100, 0x100u);
    }
}

TEST(XlsWriterRecords, ColumnsWithEqualSettingsShareAColinfo) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    for (std::uint32_t c = 2; c <= 4; ++c) s.SetColumnWidth(c, 12);
    s.SetColumnWidth(5, 0);
    s.SetColumnWidth(255, 255);
    const Written w = WriteBook(book);
    const auto cols = OfType(w.sheets[0], kCOLINFO);
    ASSERT_EQ(cols.size(), 3u);
    EXPECT_EQ(cols[0]->body, (Bytes{2, 0, 4, 0, 0xB6, 0x0C, 15, 0, 2, 0, 0, 0}))
        << "12 characters: (12 * 7 + 5) / 7 * 256 = 3254";
    EXPECT_EQ(U16(cols[1]->body, 4), 0);
    EXPECT_EQ(U16(cols[1]->body, 8), 3) << "hidden";
    EXPECT_EQ(U16(cols[2]->body, 4), 65462);
}

TEST(XlsWriterRecords, MergedRangesSplitAt1026PerRecord) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    for (std::uint32_t i = 0; i < 2000; ++i) ASSERT_TRUE(s.Merge(CXlsCellRange(i, 0, i, 1)));
    const Written w = WriteBook(book);
    const auto merged = OfType(w.sheets[0], kMERGEDCELLS);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(U16(merged[0]->body, 0), 1026);
    EXPECT_EQ(merged[0]->body.size(), 2u + 1026 * 8);
    EXPECT_EQ(U16(merged[1]->body, 0), 974);
    EXPECT_EQ(Bytes(merged[1]->body.end() - 8, merged[1]->body.end()),
              (Bytes{0xCF, 0x07, 0xCF, 0x07, 0, 0, 1, 0}));
}

// ---- Shared strings
// -----------------------------------------------------------------------------------

TEST(XlsWriterRecords, SharedStringsCrossContinueRecordsAndExtSstFindThem) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    std::vector<std::u16string> texts;
    for (std::uint32_t i = 0; i < 3000; ++i) {
        std::u16string t = u"String number " + std::u16string(i % 17, u'x');
        for (char c : std::to_string(i)) t.push_back(static_cast<char16_t>(c));
        if (i % 5 == 0) t += u" \u4e16\u754c";  // some wide
        texts.push_back(t);
        ASSERT_TRUE(s.SetText(i, 0, t));
        ASSERT_TRUE(s.SetText(i, 1, t));  // every string used twice
    }
    const Written w = WriteBook(book);
    std::vector<const Bytes*> bodies;
    std::vector<std::uint64_t> starts;
    bool in = false;
    for (const Record& r : w.globals) {
        if (r.type == kSST)
            in = true;
        else if (r.type != kCONTINUE)
            in = false;
        if (in) {
            bodies.push_back(&r.body);
            starts.push_back(r.position);
        }
    }
    ASSERT_GT(bodies.size(), 3u) << "the table outgrows one record";
    EXPECT_EQ(U32(*bodies[0], 0), 6000u) << "references";
    EXPECT_EQ(U32(*bodies[0], 4), 3000u) << "distinct strings";
    std::size_t body = 0, offset = 8;
    std::vector<std::pair<std::uint64_t, std::size_t>> headerAt;  // stream position -> index
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (offset >= bodies[body]->size()) {
            ++body;  // a string that starts a CONTINUE has no option byte before it
            offset = 0;
        }
        headerAt.emplace_back(starts[body] + 4 + offset, i);
        ASSERT_EQ(ReadContinuedString(bodies, body, offset), texts[i]) << i;
    }
    const auto extsst = OfType(w.globals, kEXTSST);
    ASSERT_EQ(extsst.size(), 1u);
    const std::uint16_t perBucket = U16(extsst[0]->body, 0);
    EXPECT_GE(perBucket, 8);
    const std::size_t buckets = (extsst[0]->body.size() - 2) / 8;
    EXPECT_EQ(buckets, (texts.size() + perBucket - 1) / perBucket);
    for (std::size_t b = 0; b < buckets; ++b) {
        const std::uint32_t position = U32(extsst[0]->body, 2 + 8 * b);
        EXPECT_EQ(headerAt[b * perBucket].first, position) << "bucket " << b;
        const std::uint16_t inRecord = U16(extsst[0]->body, 6 + 8 * b);
        std::uint64_t recordStart = 0;
        for (std::uint64_t start : starts) {
            if (start <= position) recordStart = start;
        }
        EXPECT_EQ(position - recordStart, inRecord) << "bucket " << b;
    }
}

// ---- 3-D reference table
// ------------------------------------------------------------------------------

TEST(XlsWriterRecords, ExternSheetOnlyWhenRegisteredWithPresentPositions) {
    CXlsWorkbook book;
    for (const char16_t* name : {u"A", u"B", u"C"}) book.AddSheet(book.SheetCount(), name);
    EXPECT_TRUE(OfType(WriteBook(book).globals, kSUPBOOK).empty());
    ASSERT_EQ(book.RegisterExternSheet(2, 2), 0);
    ASSERT_EQ(book.RegisterExternSheet(0, 1), 1);
    book.MoveSheet(2, 0);  // C A B
    const Written w = WriteBook(book);
    ASSERT_EQ(OfType(w.globals, kSUPBOOK).size(), 1u);
    EXPECT_EQ(OfType(w.globals, kSUPBOOK)[0]->body, (Bytes{3, 0, 1, 4}));
    EXPECT_EQ(OfType(w.globals, kEXTERNSHEET)[0]->body,
              (Bytes{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0}));
}

// ---- Files
// ----------------------------------------------------------------------------------------------

TEST(XlsWriterFiles, SaveAsReplacesAnExistingFileAndLeavesNoPartialFile) {
    TempFolder folder;
    const auto path = folder / "out.xls";
    { std::ofstream(path) << "old"; }
    CXlsWorkbook book;
    book.AddSheet(0)->SetText(0, 0, u"new");
    CXlsWriter writer(book);
    ASSERT_TRUE(writer.SaveAs(path));
    EXPECT_GT(std::filesystem::file_size(path), 4096u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(XlsWriterFiles, FailedSaveLeavesNothingBehind) {
    TempFolder folder;
    CXlsWorkbook book;
    book.AddSheet(0);
    CXlsWriter writer(book);
    EXPECT_FALSE(writer.SaveAs(folder / "missing" / "out.xls"));
    // A folder in the way: the file is written but cannot take the name.
    std::filesystem::create_directory(folder / "taken.xls");
    std::filesystem::create_directory(folder / "taken.xls" / "inside");
    EXPECT_FALSE(writer.SaveAs(folder / "taken.xls"));
    EXPECT_FALSE(std::filesystem::exists(folder / "taken.xls.partial"));
    CXlsWorkbook empty;
    EXPECT_FALSE(CXlsWriter(empty).SaveAs(folder / "empty.xls"));
    EXPECT_FALSE(std::filesystem::exists(folder / "empty.xls"));
}
