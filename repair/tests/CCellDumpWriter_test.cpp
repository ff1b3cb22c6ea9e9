// The dump's text: numbers written as Python's repr() writes floats (the
// reference dumps' form) and reading back to the same double, the escapes of
// the name and value columns, type and error names, and sheet positions
// that count chart sheets.
#include "repair/CCellDumpWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordNUMBER.h"
#include "repair/CRecoveredCells.h"

using testsupport::BiffWriter;

namespace {

CRecoveredCell NumberCell(double value, bool date = false) {
    CRecoveredCell cell;
    cell.m_kind = ERecoveredValue::Number;
    cell.m_number = value;
    cell.m_date = date;
    return cell;
}

}  // namespace

// --- Numbers -------------------------------------------------------------------------

TEST(CellDumpNumbers, WrittenAsReprWritesThem) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1.0, "1.0"},
        {0.1, "0.1"},
        {0.5, "0.5"},
        {-2.5, "-2.5"},
        {0.0, "0.0"},
        {-0.0, "-0.0"},
        {40000.5, "40000.5"},
        {123456789.0, "123456789.0"},
        {1.0 / 3.0, "0.3333333333333333"},
        // Fixed notation up to 16 digits before the point...
        {1e15, "1000000000000000.0"},
        {9999999999999998.0, "9999999999999998.0"},
        // ...an exponent of at least two digits beyond.
        {1e16, "1e+16"},
        {1e20, "1e+20"},
        {12345678901234567890.0, "1.2345678901234567e+19"},
        {1.7976931348623157e308, "1.7976931348623157e+308"},
        // Down to four zeros after the point, then an exponent.
        {0.0001, "0.0001"},
        {0.00001, "1e-05"},
        {-1e-7, "-1e-07"},
        {1.5e-300, "1.5e-300"},
        {5e-324, "5e-324"},
    };
    for (const auto& c : cases) EXPECT_EQ(CCellDumpWriter::FormatNumber(c.value), c.text);
}

TEST(CellDumpNumbers, NonFiniteValues) {
    EXPECT_EQ(CCellDumpWriter::FormatNumber(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(CCellDumpWriter::FormatNumber(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(CCellDumpWriter::FormatNumber(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(CellDumpNumbers, EveryFiniteDoubleReadsBackExactly) {
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) continue;
        const std::string text = CCellDumpWriter::FormatNumber(value);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(std::strtod(text.c_str(), nullptr)),
                  std::bit_cast<std::uint64_t>(value))
            << text;
    }
}

// --- Text columns ----------------------------------------------------------------------

TEST(CellDumpText, BackslashTabAndLineBreaksAreEscaped) {
    EXPECT_EQ(CCellDumpWriter::Escape(u"a\\b\tc\nd\re"), "a\\\\b\\tc\\nd\\re");
}

TEST(CellDumpText, OtherCharactersStayAsTheyAre) {
    EXPECT_EQ(CCellDumpWriter::Escape(u"\u0007bell"), "\abell");
    EXPECT_EQ(CCellDumpWriter::Escape(u"Übersicht €"), "Übersicht €");
    EXPECT_EQ(CCellDumpWriter::Escape(u"\"quoted\" 'x'"), "\"quoted\" 'x'");
    // A surrogate that is not half of a pair has no UTF-8 form: U+FFFD.
    const std::u16string unpaired = {u'a', 0xD800, u'b', 0xDC00};
    EXPECT_EQ(CCellDumpWriter::Escape(unpaired),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
}

// --- Types and values ------------------------------------------------------------------

TEST(CellDumpValues, ErrorNamesAreTheSpreadsheetsOwn) {
    // #N/A without the "!" that the preview's error texts carry, and codes
    // outside the error table by their number.
    EXPECT_EQ(CCellDumpWriter::ErrorText(0x2A), "#N/A");
    EXPECT_EQ(CCellDumpWriter::ErrorText(0x07), "#DIV/0!");
    EXPECT_EQ(CCellDumpWriter::ErrorText(0x2B), "#ERR43");
}

TEST(CellDumpValues, LinesHaveSixColumns) {
    std::ostringstream out;
    const CCellDumpWriter writer(out);
    CRecoveredCell cell = NumberCell(44197.0, true);
    cell.m_row = 9;
    cell.m_column = 2;
    EXPECT_EQ(writer.Line(3, u"Q1\t2024", cell, nullptr, nullptr),
              "3\tQ1\\t2024\t9\t2\tdate\t44197.0");
    CRecoveredCell boolean;
    boolean.m_kind = ERecoveredValue::Boolean;
    boolean.m_code = 1;
    EXPECT_EQ(writer.Line(0, u"S", boolean, nullptr, nullptr), "0\tS\t0\t0\tbool\tTRUE");
    CRecoveredCell lost;
    lost.m_kind = ERecoveredValue::Lost;
    EXPECT_EQ(writer.Line(0, u"S", lost, nullptr, nullptr), "0\tS\t0\t0\tlost\t");
}

TEST(CellDumpValues, FormulaTextsReplaceCachedValuesOnlyWhenAsked) {
    // 1+2: ptgInt 1, ptgInt 2, ptgAdd; cached result 3.0 (bytes 6-13:
    // 00 00 00 00 00 00 08 40).
    std::uint8_t data[20 + 2 + 7] = {};
    data[12] = 0x08;
    data[13] = 0x40;
    data[20] = 7;
    const std::uint8_t tokens[] = {0x1E, 1, 0, 0x1E, 2, 0, 0x03};
    std::copy(std::begin(tokens), std::end(tokens), data + 22);
    const CExcelRecordFormula formula(data, sizeof data);
    CRecoveredCell cell = NumberCell(3.0);
    cell.m_formula = &formula;

    std::ostringstream out;
    CCellDumpWriter writer(out);
    EXPECT_EQ(writer.Line(0, u"S", cell, nullptr, nullptr), "0\tS\t0\t0\tformula-number\t3.0");
    writer.SetFormulaTexts(true);
    EXPECT_EQ(writer.Line(0, u"S", cell, nullptr, nullptr), "0\tS\t0\t0\tformula-number\t=1+2");
    // A member of a shared range has no tokens of its own to show.
    const std::uint8_t member[20] = {};
    const CExcelRecordFormula memberFormula(member, 20);
    CRecoveredCell memberCell = NumberCell(0.0);
    memberCell.m_formula = &memberFormula;
    EXPECT_EQ(writer.Line(0, u"S", memberCell, nullptr, nullptr),
              "0\tS\t0\t0\tformula-number\t0.0");
}

// --- Whole workbooks -------------------------------------------------------------------

namespace {

// A scan file whose globals list a chart sheet, then "Data", then a VBA
// module, then "More"; the model holds the two worksheets (and the cells
// given), placed as the scan places them.
class CellDumpWorkbookTest : public ::testing::Test {
protected:
    void SetUp() override {
        BiffWriter globals;
        globals.Bof(0x0005)
            .BoundSheet(0, u"Chart1", 2)
            .BoundSheet(0, u"Data", 0)
            .BoundSheet(0, u"Module1", 6)
            .BoundSheet(0, u"More", 0)
            .Eof();
        path = temp.Path() / "stream.bin";
        ASSERT_TRUE(globals.WriteTo(path));
        data.SetSourcePath(path);
        auto* workbook = new CExcelWorkBook(0, static_cast<std::uint32_t>(globals.Size()));
        data.GetWorkbooks().Add(workbook);
        for (const char16_t* name : {u"Data", u"More"}) {
            CExcelWorkSheet sheet;
            sheet.SetName(name);
            workbook->GetWorksheets().Add(sheet);
        }
    }

    CExcelWorkSheet& Sheet(std::uint32_t i) {
        return *data.GetWorkbooks().GetHead()->GetWorksheets().GetAt(i);
    }

    testsupport::ScopedTempDir temp;
    std::filesystem::path path;
    CExcelData data;
};

}  // namespace

TEST_F(CellDumpWorkbookTest, SheetsAreNumberedAmongAllTheWorkbooksSheets) {
    Sheet(0).GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, 1.0));
    Sheet(1).GetLabels().Add(new CExcelRecordLABEL(4, 1, 0, u"x"));
    std::ostringstream out;
    CCellDumpWriter writer(out);
    EXPECT_EQ(writer.Write(data), 2u);
    EXPECT_EQ(out.str(), "1\tData\t0\t0\tnumber\t1.0\n3\tMore\t4\t1\ttext\tx\n");
}

TEST_F(CellDumpWorkbookTest, TheSheetFilterKeepsOneSheet) {
    Sheet(0).GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, 1.0));
    Sheet(1).GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, 2.0));
    std::ostringstream out;
    CCellDumpWriter writer(out);
    writer.SetSheetFilter(u"More");
    EXPECT_EQ(writer.Write(data), 1u);
    EXPECT_EQ(writer.GetSheetsWritten(), 1u);
    EXPECT_EQ(out.str(), "3\tMore\t0\t0\tnumber\t2.0\n");
    writer.SetSheetFilter(u"Chart1");
    EXPECT_EQ(writer.Write(data), 0u);
    EXPECT_EQ(writer.GetSheetsWritten(), 0u);
}

TEST_F(CellDumpWorkbookTest, WithoutTheScanFileSheetsKeepTheModelsOrder) {
    Sheet(1).GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, 2.0));
    std::filesystem::remove(path);
    std::ostringstream out;
    CCellDumpWriter writer(out);
    writer.Write(data);
    EXPECT_EQ(out.str(), "1\tMore\t0\t0\tnumber\t2.0\n");
}
