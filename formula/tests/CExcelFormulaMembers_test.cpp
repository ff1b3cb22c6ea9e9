// Members of shared and array formulas: each FORMULA record whose tokens
// are a lone ptgExp decodes the tokens of the range that holds it, relative
// to its own cell, whichever cell its ptgExp names and whichever record the
// SHRFMLA followed, as different writers lay them out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelFormulaFill.h"
#include "formula/CExcelFormulaRecordReader.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/tests/support/FormulaRecordBuilder.h"
#include "model/CExcelWorkSheet.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::ArrayBody;
using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::FormulaBody;
using testsupport::MemoryStreamReader;
using testsupport::NumberResult;
using testsupport::SharedFormulaBody;

namespace {

// A formula record to lay down: its cell and the cell its ptgExp names; a
// companion SHRFMLA or ARRAY record follows it when one is given.
struct Cell {
    std::uint16_t row, column;
    std::uint16_t namedRow, namedColumn;
    std::uint16_t companion = 0;
    Bytes companionBody = {};
};

Bytes Exp(std::uint16_t row, std::uint16_t column) {
    return {0x01, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(row >> 8),
            static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(column >> 8)};
}

// ptgRefN one row up, same column, then +1: "the cell above + 1".
const Bytes kAbovePlusOne = {0x4C, 0xFF, 0xFF, 0x00, 0xC0, 0x1E, 0x01, 0x00, 0x03};
// ptgInt 9 (the other range of the overlap case).
const Bytes kNine = {0x1E, 0x09, 0x00};

void Read(const std::vector<Cell>& cells, CExcelWorkSheet& sheet) {
    BiffWriter writer;
    for (const Cell& c : cells) {
        writer.Record(biff::kFORMULA, FormulaBody(c.row, c.column, 0, NumberResult(0),
                                                  Exp(c.namedRow, c.namedColumn)));
        if (c.companion) writer.Record(c.companion, c.companionBody);
    }
    const Bytes stream = writer.Eof().GetBytes();
    MemoryStreamReader reader(stream, UINT32_MAX);
    for (std::uint32_t at = 0; at + 4 <= stream.size();) {
        const std::uint16_t type = CDataReader::GetU16(&stream[at]);
        const std::uint16_t size = CDataReader::GetU16(&stream[at + 2]);
        if (type == biff::kFORMULA) CExcelFormulaRecordReader::ReadFormula(reader, sheet, size, at);
        at += 4 + size;
    }
}

}  // namespace

TEST(FormulaMembers, EachMemberDecodesItsOwnRangeRelativeToItself) {
    const Bytes downB2B4 = SharedFormulaBody(1, 3, 1, 1, kAbovePlusOne);  // B2:B4
    struct Expect {
        std::uint16_t row, column;
        const char16_t* text;
        EFormulaRole role;
    };
    struct Case {
        const char* layout;
        std::vector<Cell> cells;
        std::vector<Expect> expect;
    };
    const Case cases[] = {
        {"SHRFMLA after the first cell, members name it",
         {{1, 1, 1, 1, biff::kSHRFMLA, downB2B4}, {2, 1, 1, 1}, {3, 1, 1, 1}},
         {{1, 1, u"B1+1", EFormulaRole::kSharedHost},
          {2, 1, u"B2+1", EFormulaRole::kSharedMember},
          {3, 1, u"B3+1", EFormulaRole::kSharedMember}}},
        {"SHRFMLA after a later cell, members name the first cell",
         {{1, 1, 1, 1}, {2, 1, 1, 1}, {3, 1, 3, 1, biff::kSHRFMLA, downB2B4}},
         {{1, 1, u"B1+1", EFormulaRole::kSharedMember},
          {2, 1, u"B2+1", EFormulaRole::kSharedMember},
          {3, 1, u"B3+1", EFormulaRole::kSharedHost}}},
        {"members name the host inside the range, not its first cell",
         {{2, 1, 2, 1, biff::kSHRFMLA, downB2B4}, {3, 1, 2, 1}},
         {{2, 1, u"B2+1", EFormulaRole::kSharedHost},
          {3, 1, u"B3+1", EFormulaRole::kSharedMember}}},
        {"overlapping ranges: the named host decides",
         {{1, 1, 1, 1, biff::kSHRFMLA, downB2B4},
          {2, 1, 2, 1, biff::kSHRFMLA, SharedFormulaBody(2, 2, 1, 1, kNine)},
          {3, 1, 1, 1}},
         {{2, 1, u"9", EFormulaRole::kSharedHost}, {3, 1, u"B3+1", EFormulaRole::kSharedMember}}},
        {"a member outside every range has no tokens",
         {{1, 1, 1, 1, biff::kSHRFMLA, downB2B4}, {7, 1, 1, 1}},
         {{7, 1, u"", EFormulaRole::kOrphan}}},
        {"array cells decode the array's tokens",
         {{0, 0, 0, 0, biff::kARRAY, ArrayBody(0, 1, 0, 0, kNine)}, {1, 0, 0, 0}},
         {{0, 0, u"9", EFormulaRole::kArrayHost}, {1, 0, u"9", EFormulaRole::kArrayMember}}},
    };
    for (const Case& c : cases) {
        CExcelWorkSheet sheet;
        Read(c.cells, sheet);
        for (const Expect& e : c.expect) {
            const CExcelRecordFormula* found = nullptr;
            for (const CExcelRecordFormula& record : sheet.GetFormulas())
                if (record.GetRow() == e.row && record.GetColumn() == e.column) found = &record;
            ASSERT_NE(found, nullptr) << c.layout;
            EXPECT_EQ(found->GetFormulaText(nullptr, &sheet), e.text)
                << c.layout << " R" << e.row << "C" << e.column;
            EXPECT_EQ(found->GetRole(nullptr, &sheet), e.role) << c.layout;
            EXPECT_EQ(found->IsFormulaSound(nullptr, &sheet), *e.text != u'\0') << c.layout;
            // A decode let go is made again, the same, from the same models.
            const CExcelRecordFormula* host = found->GetHost(nullptr, &sheet);
            found->ReleaseDecoded();
            EXPECT_EQ(found->GetHost(nullptr, &sheet), host) << c.layout;
            EXPECT_EQ(found->GetFormulaText(nullptr, &sheet), e.text) << c.layout;
            EXPECT_EQ(found->GetRole(nullptr, &sheet), e.role) << c.layout;
            EXPECT_EQ(found->IsFormulaSound(nullptr, &sheet), *e.text != u'\0') << c.layout;
        }
    }
}

// A shared range's members hold one formula filled down, unless a relative
// part wraps round the grid between two rows: the fill would make it #REF!.
TEST(FormulaMembers, MembersDownARangeContinueEachOtherUnlessAPartWraps) {
    struct Case {
        const char* layout;
        std::vector<Cell> cells;
        bool continues;  // the second cell continues the first
    };
    const Case cases[] = {
        {"B2:B4, second and third",
         {{1, 1, 1, 1, biff::kSHRFMLA, SharedFormulaBody(1, 3, 1, 1, kAbovePlusOne)},
          {2, 1, 1, 1},
          {3, 1, 1, 1}},
         true},
        {"B1:B3, the first row's cell above wraps",
         {{0, 1, 0, 1, biff::kSHRFMLA, SharedFormulaBody(0, 2, 1, 1, kAbovePlusOne)},
          {1, 1, 0, 1},
          {2, 1, 0, 1}},
         false},
        {"array cells",
         {{0, 0, 0, 0, biff::kARRAY, ArrayBody(0, 2, 0, 0, kNine)}, {1, 0, 0, 0}, {2, 0, 0, 0}},
         false},
    };
    for (const Case& c : cases) {
        CExcelWorkSheet sheet;
        Read(c.cells, sheet);
        std::vector<const CExcelRecordFormula*> records;
        for (const CExcelRecordFormula& record : sheet.GetFormulas()) records.push_back(&record);
        ASSERT_EQ(records.size(), 3u) << c.layout;
        // The first pair starts at the range's first row: only the wrap case
        // differs between the pairs.
        EXPECT_EQ(CExcelFormulaFill::ContinuesDown(*records[0], *records[1], nullptr, &sheet),
                  c.continues)
            << c.layout;
    }
}
