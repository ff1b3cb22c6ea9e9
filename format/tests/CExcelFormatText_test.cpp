// The format text of a cell by its format index: which source wins (built
// in, FORMAT record, nothing), and that every built-in code is a whole,
// valid code.
#include "format/CExcelFormatText.h"

#include <gtest/gtest.h>

#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "format/CExcelNumberFormatManager.h"
#include "format/CFormatNumberApiFormating.h"
#include "model/CExcelWorkBook.h"
#include "platform/TextConversion.h"
#include "records/CExcelRecordWBFORMAT.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;

namespace {

// A FORMAT record as the globals scan appends it: index, long-form string.
void AddFormat(CTList<CExcelRecordWBFORMAT>& formats, std::uint16_t index,
               const std::u16string& code) {
    const Bytes payload = Concat(BiffWriter::U16(index), BiffWriter::UnicodeString(code, true));
    formats.Add(
        new CExcelRecordWBFORMAT(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

std::string Text(const CTList<CExcelRecordWBFORMAT>& formats, std::uint32_t index) {
    return ToUtf8(CExcelFormatText::Lookup(formats, index));
}

}  // namespace

// --- Which source gives the text --------------------------------------------

TEST(ExcelFormatTextLookup, IndicesZeroToFiveAreAlwaysBuiltIn) {
    CTList<CExcelRecordWBFORMAT> formats;
    AddFormat(formats, 0, u"0.000");
    AddFormat(formats, 5, u"0.0");
    EXPECT_EQ(Text(formats, 0), "General");
    EXPECT_EQ(Text(formats, 5), R"("$"#,##0_);("$"#,##0))");
}

TEST(ExcelFormatTextLookup, AFormatRecordRedefinesSixAndAbove) {
    CTList<CExcelRecordWBFORMAT> formats;
    AddFormat(formats, 6, u"0.0");
    AddFormat(formats, 14, u"dd/mm/yyyy");
    AddFormat(formats, 164, u"[$€-2] #,##0.00");
    EXPECT_EQ(Text(formats, 6), "0.0");
    EXPECT_EQ(Text(formats, 14), "dd/mm/yyyy");
    EXPECT_EQ(Text(formats, 164), "[$€-2] #,##0.00");
}

TEST(ExcelFormatTextLookup, TheFirstRecordOfAnIndexWins) {
    CTList<CExcelRecordWBFORMAT> formats;
    AddFormat(formats, 164, u"0.0");
    AddFormat(formats, 164, u"0.000");
    EXPECT_EQ(Text(formats, 164), "0.0");
}

// A record that lost its string still answers for its index: the cell's
// format is known to be a user format, and nothing else is guessed.
TEST(ExcelFormatTextLookup, ARecordWithoutItsStringGivesEmptyText) {
    CTList<CExcelRecordWBFORMAT> formats;
    const Bytes indexOnly = BiffWriter::U16(7);
    formats.Add(new CExcelRecordWBFORMAT(indexOnly.data(), 2));
    EXPECT_EQ(Text(formats, 7), "");
}

TEST(ExcelFormatTextLookup, WithoutARecordTheBuiltInCodeOrNothing) {
    CTList<CExcelRecordWBFORMAT> formats;
    AddFormat(formats, 164, u"0.0");
    EXPECT_EQ(Text(formats, 13), R"(# ??/??)");
    EXPECT_EQ(Text(formats, 22), "M/D/YYYY h:mm");
    EXPECT_EQ(Text(formats, 30), "");  // a locale's own index
    EXPECT_EQ(Text(formats, 49), "@");
    EXPECT_EQ(Text(formats, 60), "");   // past the built-in codes
    EXPECT_EQ(Text(formats, 165), "");  // a user index nobody defined
    EXPECT_EQ(Text(formats, 0xFFFF), "");
}

TEST(ExcelFormatTextLookup, ReadsTheWorkbooksFormatList) {
    CExcelWorkBook book;
    AddFormat(book.GetFormats(), 6, u"0.0");
    EXPECT_EQ(ToUtf8(CExcelFormatText::Lookup(book, 6)), "0.0");
    EXPECT_EQ(ToUtf8(CExcelFormatText::Lookup(book, 7)), R"("$"#,##0.00_);("$"#,##0.00))");
}

// --- The built-in codes are whole codes -------------------------------------

// A built-in code is written to saved workbooks as a cell's number format:
// one cut in the middle of a section (an open parenthesis, "#,##" without
// its digit) is refused by the spreadsheet.
TEST(ExcelFormatTextBuiltIns, EveryCodeClosesItsQuotesAndParentheses) {
    for (std::uint32_t index = 0; index < CExcelFormatText::kBuiltInCount; ++index) {
        const std::u16string_view code = CExcelFormatText::BuiltIn(index);
        bool quoted = false;
        int open = 0;
        for (std::size_t i = 0; i < code.size(); ++i) {
            const char16_t c = code[i];
            if (c == u'"') quoted = !quoted;
            if (quoted) continue;
            // The character after _ (a width), * (a fill) or \ is no bracket.
            if (c == u'_' || c == u'*' || c == u'\\') {
                ++i;
                continue;
            }
            if (c == u'(') ++open;
            if (c == u')') --open;
            ASSERT_GE(open, 0) << "index " << index;
        }
        EXPECT_FALSE(quoted) << "index " << index;
        EXPECT_EQ(open, 0) << "index " << index;
        if (!code.empty()) {
            EXPECT_NE(code.back(), u'#') << "index " << index;
        }
    }
}

TEST(ExcelFormatTextBuiltIns, TheCompletedCodesShowTheirNegativeSections) {
    const CFormatNumberApiFormating format;
    auto show = [&](std::uint32_t index, double value) {
        return ToUtf8(format.Format(CExcelFormatText::BuiltIn(index), value));
    };
    EXPECT_EQ(show(6, -1234.4), "($1,234)");
    EXPECT_EQ(show(7, -1234.5), "($1,234.50)");
    EXPECT_EQ(show(38, -1234.4), "(1,234)");
    EXPECT_EQ(show(39, -1234.5), "(1,234.50)");
    EXPECT_EQ(show(41, -1234.4), "$(1,234)");
    EXPECT_EQ(show(42, -1234.4), "(1,234)");
    EXPECT_EQ(show(43, -1234.5), "$(1,234.50)");
    EXPECT_EQ(show(44, -1234.5), "(1,234.50)");
}

TEST(ExcelFormatTextBuiltIns, TheAccountingCodesShowZeroAsADash) {
    const CFormatNumberApiFormating format;
    EXPECT_EQ(ToUtf8(format.Format(CExcelFormatText::BuiltIn(41), 0)), "$-");
    EXPECT_EQ(ToUtf8(format.Format(CExcelFormatText::BuiltIn(42), 0)), "-");
    EXPECT_EQ(ToUtf8(format.Format(CExcelFormatText::BuiltIn(43), 0)), "$-");
    EXPECT_EQ(ToUtf8(format.Format(CExcelFormatText::BuiltIn(44), 0)), "-");
}

// The renderings by index put a dollar sign where the code has one; a
// swapped pair of accounting codes would show "$" for one and not the other.
TEST(ExcelFormatTextBuiltIns, CodesAndRenderingsAgreeOnTheDollarSign) {
    const CExcelNumberFormatManager manager;
    for (std::uint32_t index = 5; index <= 44; ++index) {
        if (index >= 9 && index <= 36) continue;
        const bool codeHasDollar =
            CExcelFormatText::BuiltIn(index).find(u'$') != std::u16string::npos;
        const bool renderingHasDollar =
            manager.Render(1234, static_cast<std::uint16_t>(index)).front() == u'$';
        EXPECT_EQ(codeHasDollar, renderingHasDollar) << "index " << index;
    }
}
