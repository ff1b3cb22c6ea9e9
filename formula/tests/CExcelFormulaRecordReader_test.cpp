// The FORMULA and TABLE readers as the worksheet parser drives them: the
// companions of a FORMULA record are taken from the records directly after
// it and from nowhere else.
#include "formula/CExcelFormulaRecordReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/IExcelStreamReader.h"
#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/CExcelRecordMulOpTable.h"
#include "formula/tests/support/FormulaRecordBuilder.h"
#include "model/CExcelWorkSheet.h"
#include "platform/RunState.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::ArrayBody;
using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::FormulaBody;
using testsupport::MemoryStreamReader;
using testsupport::NumberResult;
using testsupport::SharedFormulaBody;
using testsupport::StringBody;
using testsupport::TableBody;
using testsupport::TaggedResult;

namespace {

const Bytes kIntSeven = {0x1E, 0x07, 0x00};
// ptgExp pointing at row 0, column 0.
const Bytes kExp = {0x01, 0x00, 0x00, 0x00, 0x00};
const Bytes kLabelSst = {0, 0, 1, 0, 0, 0, 3, 0, 0, 0};

// Walks every record of stream as the worksheet parser does, handing
// FORMULA and TABLE records to their readers and stepping over the others
// by their declared size. Returns how many reads reported success.
std::uint32_t ReadAll(const Bytes& stream, CExcelWorkSheet& sheet, std::uint32_t end = UINT32_MAX) {
    MemoryStreamReader reader(stream, end);
    std::uint32_t succeeded = 0;
    for (std::uint32_t at = 0; at + 4 <= stream.size();) {
        const std::uint16_t type = CDataReader::GetU16(&stream[at]);
        const std::uint16_t size = CDataReader::GetU16(&stream[at + 2]);
        if (type == biff::kFORMULA)
            succeeded += CExcelFormulaRecordReader::ReadFormula(reader, sheet, size, at);
        else if (type == biff::kTABLE)
            succeeded += CExcelFormulaRecordReader::ReadTable(reader, sheet, size, at);
        at += 4 + size;
    }
    return succeeded;
}

const CExcelRecordFormula& Only(const CExcelWorkSheet& sheet) {
    EXPECT_EQ(sheet.GetFormulas().GetCount(), 1u);
    return *sheet.GetFormulas().GetHead();
}

}  // namespace

// ---- Size of the FORMULA record ---------------------------------------------------

TEST(FormulaReader, TwentyBytesAreEnough) {
    Bytes body = FormulaBody(4, 5, 0, NumberResult(2), {});
    body.resize(20);
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(BiffWriter().Record(biff::kFORMULA, body).Eof().GetBytes(), sheet), 1u);
    const CExcelRecordFormula& record = Only(sheet);
    EXPECT_EQ(record.GetRow(), 4u);
    EXPECT_EQ(record.GetFormulaDataLength(), 0u);
    EXPECT_EQ(record.GetFormulaText(nullptr, &sheet), u"");
}

TEST(FormulaReader, NineteenBytesAreRefusedAndNotCounted) {
    Bytes body = FormulaBody(4, 5, 0, NumberResult(2), {});
    body.resize(19);
    CExcelWorkSheet sheet;
    const std::uint32_t before = RepairCounters[CounterFormulaCells].load();
    EXPECT_EQ(ReadAll(BiffWriter().Record(biff::kFORMULA, body).Eof().GetBytes(), sheet), 0u);
    EXPECT_TRUE(sheet.GetFormulas().IsEmpty());
    EXPECT_EQ(RepairCounters[CounterFormulaCells].load(), before);
}

TEST(FormulaReader, ASizeNoHeaderCanDeclareIsRefused) {
    const Bytes body = FormulaBody(0, 0, 0, NumberResult(2), kIntSeven);
    Bytes stream = BiffWriter().Record(biff::kFORMULA, body).Eof().GetBytes();
    stream.resize(0x20000);
    MemoryStreamReader reader(stream);
    CExcelWorkSheet sheet;
    EXPECT_FALSE(CExcelFormulaRecordReader::ReadFormula(reader, sheet, 0x10000, 0));
    EXPECT_TRUE(sheet.GetFormulas().IsEmpty());
}

TEST(FormulaReader, DataPastTheSheetsEndKeepsNothing) {
    const Bytes stream =
        BiffWriter()
            .Record(biff::kFORMULA, FormulaBody(0, 0, 0, NumberResult(2), kIntSeven))
            .GetBytes();
    CExcelWorkSheet sheet;
    // The sheet's stretch ends one byte short of the record.
    EXPECT_EQ(ReadAll(stream, sheet, static_cast<std::uint32_t>(stream.size() - 1)), 0u);
    EXPECT_TRUE(sheet.GetFormulas().IsEmpty());
}

TEST(FormulaReader, ARecordAtTheEndOfTheOffsetRangeNeverWrapsToTheStart) {
    // A reader that serves any offset, so that a wrapped offset would be
    // read from the file's first bytes.
    struct EveryOffset : IExcelStreamReader {
        std::vector<std::uint32_t> offsets;
        bool Read(std::uint32_t count, std::uint32_t offset, std::uint8_t* out) override {
            offsets.push_back(offset);
            std::fill(out, out + count, 0);
            return true;
        }
    } reader;
    CExcelWorkSheet sheet;
    // The record's data is served; the header after it would lie at 2^32 + 8.
    EXPECT_FALSE(CExcelFormulaRecordReader::ReadFormula(reader, sheet, 24, 0xFFFFFFF0u));
    EXPECT_EQ(sheet.GetFormulas().GetCount(), 1u);
    EXPECT_EQ(reader.offsets, std::vector<std::uint32_t>{0xFFFFFFF4u});
}

// ---- Companions --------------------------------------------------------------------

TEST(FormulaReader, FormulaThenSharedThenStringTakesBoth) {
    const Bytes shared = SharedFormulaBody(2, 9, 1, 1, kIntSeven);
    const Bytes stream = BiffWriter()
                             .Record(biff::kFORMULA, FormulaBody(2, 1, 0, TaggedResult(0), kExp))
                             .Record(biff::kSHRFMLA, shared)
                             .Record(biff::kSTRING, StringBody(u"total", false))
                             .Eof()
                             .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 1u);
    const CExcelRecordFormula& record = Only(sheet);
    ASSERT_NE(record.GetSharedFormulaRecord(), nullptr);
    EXPECT_EQ(record.GetSharedFormulaRecord()->DataLength(), shared.size());
    EXPECT_EQ(record.GetSharedLastRow(), 9u);
    EXPECT_EQ(record.GetArrayRecord(), nullptr);
    EXPECT_EQ(record.GetValueText(nullptr), u"total");
}

TEST(FormulaReader, FormulaThenArrayThenStringTakesBoth) {
    const Bytes stream = BiffWriter()
                             .Record(biff::kFORMULA, FormulaBody(0, 0, 0, TaggedResult(0), kExp))
                             .Record(biff::kARRAY, ArrayBody(0, 1, 0, 1, kIntSeven))
                             .Record(biff::kSTRING, StringBody(u"\u0100x", true))
                             .Eof()
                             .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 1u);
    const CExcelRecordFormula& record = Only(sheet);
    EXPECT_EQ(record.GetSharedFormulaRecord(), nullptr);
    ASSERT_NE(record.GetArrayRecord(), nullptr);
    EXPECT_EQ(record.GetArrayLastColumn(), 1u);
    EXPECT_EQ(record.GetValueText(nullptr), u"\u0100x");
}

TEST(FormulaReader, StringRightAfterTheFormulaGivesTheText) {
    const Bytes stream =
        BiffWriter()
            .Record(biff::kFORMULA, FormulaBody(0, 0, 0, TaggedResult(0), kIntSeven))
            .Record(biff::kSTRING, StringBody(u"seven", false))
            .Eof()
            .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 1u);
    EXPECT_EQ(Only(sheet).GetValueText(nullptr), u"seven");
    EXPECT_EQ(Only(sheet).GetSharedFormulaRecord(), nullptr);
}

TEST(FormulaReader, StringResultFollowedByAnotherRecordStaysEmpty) {
    const Bytes stream =
        BiffWriter()
            .Record(biff::kFORMULA, FormulaBody(0, 0, 0, TaggedResult(0), kIntSeven))
            .Record(biff::kLABELSST, kLabelSst)
            .Record(biff::kSTRING, StringBody(u"far", false))
            .Eof()
            .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 1u);
    const CExcelRecordFormula& record = Only(sheet);
    EXPECT_EQ(record.GetValueText(nullptr), u"");
    EXPECT_FALSE(record.HasStringResult());
    EXPECT_EQ(record.GetSharedFormulaRecord(), nullptr);
    EXPECT_EQ(record.GetArrayRecord(), nullptr);
}

TEST(FormulaReader, NothingIsAttachedAcrossAnotherRecord) {
    const Bytes stream = BiffWriter()
                             .Record(biff::kFORMULA, FormulaBody(0, 0, 0, NumberResult(1), kExp))
                             .Record(biff::kLABELSST, kLabelSst)
                             .Record(biff::kSHRFMLA, SharedFormulaBody(0, 5, 0, 0, kIntSeven))
                             .Eof()
                             .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 1u);
    EXPECT_EQ(Only(sheet).GetSharedFormulaRecord(), nullptr);
    EXPECT_EQ(Only(sheet).GetArrayRecord(), nullptr);
}

TEST(FormulaReader, AStringAfterANumberResultIsNotTaken) {
    const Bytes stream =
        BiffWriter()
            .Record(biff::kFORMULA, FormulaBody(0, 0, 0, NumberResult(3), kIntSeven))
            .Record(biff::kSTRING, StringBody(u"stray", false))
            .Eof()
            .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 1u);
    EXPECT_FALSE(Only(sheet).HasStringResult());
    EXPECT_EQ(Only(sheet).GetValueText(nullptr), u"3");
}

TEST(FormulaReader, AStringAfterTwoCompanionsIsNotTaken) {
    // Only one SHRFMLA or ARRAY record is looked at; the STRING must follow it.
    const Bytes stream = BiffWriter()
                             .Record(biff::kFORMULA, FormulaBody(0, 0, 0, TaggedResult(0), kExp))
                             .Record(biff::kSHRFMLA, SharedFormulaBody(0, 5, 0, 0, kIntSeven))
                             .Record(biff::kARRAY, ArrayBody(0, 5, 0, 0, kIntSeven))
                             .Record(biff::kSTRING, StringBody(u"late", false))
                             .Eof()
                             .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 1u);
    EXPECT_NE(Only(sheet).GetSharedFormulaRecord(), nullptr);
    EXPECT_EQ(Only(sheet).GetArrayRecord(), nullptr);
    EXPECT_EQ(Only(sheet).GetValueText(nullptr), u"");
}

// ---- Failures after the FORMULA record is kept -----------------------------------------

TEST(FormulaReader, NoHeaderAfterTheRecordIsAFailureButTheFormulaStays) {
    const Bytes stream =
        BiffWriter()
            .Record(biff::kFORMULA, FormulaBody(7, 0, 0, NumberResult(1), kIntSeven))
            .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 0u);
    EXPECT_EQ(Only(sheet).GetRow(), 7u);
}

TEST(FormulaReader, CompanionCutShortIsAFailureAndNotAttached) {
    Bytes stream = BiffWriter()
                       .Record(biff::kFORMULA, FormulaBody(0, 0, 0, NumberResult(1), kExp))
                       .Record(biff::kSHRFMLA, SharedFormulaBody(0, 5, 0, 0, kIntSeven))
                       .GetBytes();
    stream.pop_back();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 0u);
    EXPECT_EQ(Only(sheet).GetSharedFormulaRecord(), nullptr);
}

TEST(FormulaReader, NoHeaderAfterTheCompanionOfAStringResultKeepsTheCompanion) {
    const Bytes stream = BiffWriter()
                             .Record(biff::kFORMULA, FormulaBody(0, 0, 0, TaggedResult(0), kExp))
                             .Record(biff::kSHRFMLA, SharedFormulaBody(0, 5, 0, 0, kIntSeven))
                             .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 0u);
    EXPECT_NE(Only(sheet).GetSharedFormulaRecord(), nullptr);
    EXPECT_EQ(Only(sheet).GetValueText(nullptr), u"");
}

TEST(FormulaReader, NoHeaderAfterTheCompanionOfANumberResultIsNoFailure) {
    const Bytes stream = BiffWriter()
                             .Record(biff::kFORMULA, FormulaBody(0, 0, 0, NumberResult(1), kExp))
                             .Record(biff::kSHRFMLA, SharedFormulaBody(0, 5, 0, 0, kIntSeven))
                             .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 1u);
    EXPECT_NE(Only(sheet).GetSharedFormulaRecord(), nullptr);
}

TEST(FormulaReader, StringCutShortIsAFailureAndLeavesTheTextEmpty) {
    Bytes stream = BiffWriter()
                       .Record(biff::kFORMULA, FormulaBody(0, 0, 0, TaggedResult(0), kIntSeven))
                       .Record(biff::kSTRING, StringBody(u"cut", false))
                       .GetBytes();
    stream.pop_back();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 0u);
    EXPECT_EQ(Only(sheet).GetValueText(nullptr), u"");
}

// ---- TABLE records ------------------------------------------------------------------

TEST(TableReader, OnlySixteenBytesAreKept) {
    const Bytes table = TableBody(1, 4, 1, 3, 0x0C, 0, 1, 0, 2);
    Bytes longer = table;
    longer.push_back(0);
    const Bytes shorter(table.begin(), table.end() - 1);
    const Bytes stream = BiffWriter()
                             .Record(biff::kTABLE, shorter)
                             .Record(biff::kTABLE, table)
                             .Record(biff::kTABLE, longer)
                             .Eof()
                             .GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet), 1u);
    ASSERT_EQ(sheet.GetTables().GetCount(), 1u);
    const CExcelRecordMulOpTable& kept = *sheet.GetTables().GetHead();
    EXPECT_EQ(kept.GetFirstRow(), 1u);
    EXPECT_EQ(kept.GetTableFlags(), 0x0C);
    EXPECT_EQ(kept.GetInput1Text(), u"B1");
    EXPECT_EQ(kept.GetInput2Text(), u"C1");
}

TEST(TableReader, DataPastTheSheetsEndKeepsNothing) {
    const Bytes stream =
        BiffWriter().Record(biff::kTABLE, TableBody(1, 4, 1, 3, 0x04, 0, 1, 0, 0)).GetBytes();
    CExcelWorkSheet sheet;
    EXPECT_EQ(ReadAll(stream, sheet, static_cast<std::uint32_t>(stream.size() - 1)), 0u);
    EXPECT_TRUE(sheet.GetTables().IsEmpty());
}

// ---- A string result continued in CONTINUE records -------------------------------------

TEST(FormulaReader, StringContinuedInContinueRecordsIsReadWhole) {
    // Each CONTINUE piece starts with its own flags byte: 8-bit or UTF-16.
    const Bytes head = {7, 0, 0, 'a', 'b', 'c'};  // 7 characters owed, 3 here
    const Bytes narrow = {0, 'd', 'e'};
    const Bytes wide = {1, 0x00, 0x01, 'g', 0};  // U+0100, then g
    struct Case {
        const char* what;
        std::vector<Bytes> continues;
        Bytes after;  // a record after the pieces, or none
        std::u16string text;
    };
    const Case cases[] = {
        {"narrow then wide pieces", {narrow, wide}, {}, u"abcde\u0100g"},
        {"the text ends with the count", {narrow, wide, narrow}, {}, u"abcde\u0100g"},
        {"pieces run out", {narrow}, {}, u"abcde"},
        {"another record ends the pieces", {narrow}, kLabelSst, u"abcde"},
        {"an empty piece ends the text", {Bytes{}, narrow}, {}, u"abc"},
    };
    for (const Case& c : cases) {
        BiffWriter writer;
        writer.Record(biff::kFORMULA, FormulaBody(0, 0, 0, TaggedResult(0), kIntSeven))
            .Record(biff::kSTRING, head);
        for (const Bytes& piece : c.continues) writer.Record(biff::kCONTINUE, piece);
        if (!c.after.empty()) writer.Record(biff::kLABELSST, c.after);
        CExcelWorkSheet sheet;
        ReadAll(writer.Eof().GetBytes(), sheet);
        EXPECT_EQ(Only(sheet).GetValueText(nullptr), c.text) << c.what;
    }
}
