// The conditional-format phase against the recording server: the calls of
// one condition (named arguments recorded last-first, as pushed), and which
// CONDFMT records go in as which conditions: one format per rectangle, each
// formula decoded for its own rectangle, all conditions or none.
#include "save/CSaveConditionalFormatWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordCONDFMT.h"
#include "save/CSaveProgress.h"
#include "save/CXLEzAutomation.h"
#include "save/tests/support/RecordingSession.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;

namespace {

// A CF payload whose formatting block is a bold font, or a fill colour
// (file colour 45), or nothing.
enum class EFormat { kNone, kBold, kFill };

Bytes Cf(std::uint8_t kind, std::uint8_t op, EFormat format, const Bytes& f1, const Bytes& f2) {
    Bytes b = {kind, op};
    b = Concat(b, BiffWriter::U16(static_cast<std::uint16_t>(f1.size())));
    b = Concat(b, BiffWriter::U16(static_cast<std::uint16_t>(f2.size())));
    if (format == EFormat::kNone) {
        b = Concat(b, Bytes(6, 0));
    } else if (format == EFormat::kBold) {
        b = Concat(Concat(b, BiffWriter::U32(0x843FFFFF)), BiffWriter::U16(0x8002));
        Bytes font(118, 0);
        testsupport::SetU32(font, 64, 0xFFFFFFFF);
        testsupport::SetU16(font, 72, 700);
        testsupport::SetU32(font, 80, 0xFFFFFFFF);
        testsupport::SetU32(font, 88, 0x9A);
        testsupport::SetU32(font, 92, 1);
        testsupport::SetU32(font, 96, 1);
        b = Concat(b, font);
    } else {
        b = Concat(Concat(b, BiffWriter::U32(0xA03BFFFF)), BiffWriter::U16(0x8002));
        b = Concat(Concat(b, BiffWriter::U16(0)), BiffWriter::U16(64 | (45 << 7)));
    }
    return Concat(Concat(b, f1), f2);
}

void AddFormat(CExcelWorkSheet& sheet, const std::vector<std::vector<std::uint16_t>>& rects,
               const std::vector<Bytes>& conditions) {
    Bytes head =
        Concat(BiffWriter::U16(static_cast<std::uint16_t>(conditions.size())), Bytes(10, 0));
    head = Concat(head, BiffWriter::U16(static_cast<std::uint16_t>(rects.size())));
    for (const auto& rect : rects) {
        for (std::uint16_t v : rect) head = Concat(head, BiffWriter::U16(v));
    }
    auto format = CExcelRecordCONDFMT::Decode(head.data(), static_cast<std::uint32_t>(head.size()));
    ASSERT_NE(format, nullptr);
    for (const Bytes& payload : conditions) {
        CExcelRecordCF cf;
        ASSERT_TRUE(
            CExcelRecordCF::Decode(payload.data(), static_cast<std::uint32_t>(payload.size()), cf));
        format->AddCondition(std::move(cf));
    }
    sheet.GetConditionalFormats().Add(format.release());
}

const Bytes kInt1 = {0x1E, 1, 0};
const Bytes kInt9 = {0x1E, 9, 0};
const Bytes kAbove = {0x4C, 0xFF, 0xFF, 0x00, 0xC0};  // the cell above, as ptgRefN

}  // namespace

TEST(SaveConditionalFormats, AddFormatConditionPutsOnlyThePartsWithAValue) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) {
        CXLConditionRule rule;
        rule.op = 5;
        rule.formula1 = u"=5";
        rule.bold = true;
        rule.fillColorIndex = 6;
        rule.lines[2] = CXLConditionRule::Line{2, 5};
        return a.AddFormatCondition(2, 3, 2, 4, rule);
    };
    check.expected =
        Then(SelectRangeCalls("Worksheet[1]", 2, 3, 2, 4),
             {{"Range[R3C2:R4C2].FormatConditions get()", 2},
              {"FormatConditions.Add method(Formula1='=5', Operator=i2:5, Type=i2:1)", 2},
              {"FormatCondition.Font get()", 2},
              {"Font.Bold put(true)", 0},
              {"FormatCondition.Interior get()", 2},
              {"Interior.ColorIndex put(i2:6)", 0},
              {"FormatCondition.Borders get(i2:-4160)", 2},
              {"Border[-4160].LineStyle put(i2:2)", 0},
              {"Border[-4160].ColorIndex put(i2:5)", 0}});
    check.failuresThatFail = 12;  // a refused part leaves the condition standing
    check.goesOnAfterFailure = true;
    CheckOperation(check);
}

TEST(SaveConditionalFormats, EachRectangleGetsAllItsConditionsOrNone) {
    CExcelWorkBook workbook;
    CExcelWorkSheet sheet;
    // Between 1 and 9 in bold, then the cell above true with a fill: over
    // B2:B3, D5 and past IV.
    AddFormat(sheet, {{1, 2, 1, 1}, {4, 4, 3, 3}, {0, 0, 300, 300}},
              {Cf(1, 1, EFormat::kBold, kInt1, kInt9), Cf(2, 0, EFormat::kFill, kAbove, {})});
    // Left out: a second condition the decoder cannot read.
    AddFormat(sheet, {{6, 6, 0, 0}},
              {Cf(1, 5, EFormat::kNone, kInt1, {}), Cf(2, 0, EFormat::kNone, {0xFF}, {})});
    // Left out: the server refuses the second condition (below), so the
    // first is deleted again.
    AddFormat(sheet, {{7, 7, 0, 0}},
              {Cf(1, 5, EFormat::kNone, kInt1, {}), Cf(1, 6, EFormat::kNone, kInt9, {})});

    RecordingSession session;
    session.server->m_refuse = [](const std::string& line) {
        return line.find("Operator=i2:6") != std::string::npos;
    };
    CXLEzAutomation ez(false, kRecordingProgramId);
    ASSERT_TRUE(ez.NewWorkbook());
    ASSERT_TRUE(ez.SelectWorksheetFromEnd(1));
    session.server->ClearCalls();
    CSaveProgress progress(nullptr);
    CSaveConditionalFormatWriter writer(ez, workbook, sheet, progress);
    EXPECT_TRUE(writer.Write());
    std::vector<std::string> calls;
    for (const std::string& call : session.server->Calls()) {
        if (call.rfind("FormatConditions.", 0) == 0 || call.rfind("Font.", 0) == 0 ||
            call.rfind("Interior.", 0) == 0)
            calls.push_back(call);
    }
    const auto both = [](const std::string& above) {
        return std::vector<std::string>{
            "FormatConditions.Add method(Formula2='=9', Formula1='=1', Operator=i2:1, Type=i2:1)",
            "Font.Bold put(true)",
            "FormatConditions.Add method(Formula1='=" + above + "', Type=i2:2)",
            "Interior.ColorIndex put(i2:38)"};
    };
    std::vector<std::string> expected = both("B1");
    const std::vector<std::string> d5 = both("D4");
    expected.insert(expected.end(), d5.begin(), d5.end());
    expected.push_back("FormatConditions.Add method(Formula1='=1', Operator=i2:5, Type=i2:1)");
    expected.push_back("FormatConditions.Add method(Formula1='=9', Operator=i2:6, Type=i2:1)");
    expected.push_back("FormatConditions.Delete method()");
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(writer.Kept(), 2u);
    EXPECT_EQ(writer.LeftOut(), 2u);
}
