// The recovered-cell view: which record a cell's value comes from when
// several records claim it (later save phases win, later records win inside
// a phase), what a missing shared string leaves, and how cached formula
// results and date formats come through.
#include "repair/CRecoveredCells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <memory>
#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordBLANK.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/CExcelRecordWBXF.h"
#include "records/CExcelSSTDataList.h"

using testsupport::Bytes;

namespace {

constexpr std::uint16_t kDateXF = 1;  // an XF whose format index is 14 (a date)

class RecoveredCellsTest : public ::testing::Test {
protected:
    RecoveredCellsTest() {
        for (const std::uint16_t format : {0, 14}) {
            Bytes xf(20, 0);
            testsupport::SetU16(xf, 2, format);
            workbook.GetXFs().Add(new CExcelRecordWBXF(xf.data(), 20));
        }
        for (const char16_t* text : {u"alpha", u"beta"}) {
            CExcelSSTData entry;
            entry.SetText(text);
            workbook.GetSharedStrings().Add(entry);
        }
    }

    void Number(std::uint16_t row, std::uint16_t column, double value, std::uint16_t xf = 0) {
        sheet.GetNumbers().Add(new CExcelRecordNUMBER(row, column, xf, value));
    }
    void RK(std::uint16_t row, std::uint16_t column, std::uint32_t rk) {
        sheet.GetRKValues().Add(new CExcelRecordRKVALUE(row, column, 0, rk));
    }
    void BoolErr(std::uint16_t row, std::uint16_t column, std::uint8_t value, bool error) {
        Bytes payload = Head(row, column);
        payload.push_back(value);
        payload.push_back(error ? 1 : 0);
        sheet.GetBoolErrs().Add(new CExcelRecordBOOLERR(payload.data(), 8));
    }
    void LabelSST(std::uint16_t row, std::uint16_t column, std::uint32_t index) {
        Bytes payload = Head(row, column);
        const Bytes sst = testsupport::BiffWriter::U32(index);
        payload.insert(payload.end(), sst.begin(), sst.end());
        sheet.GetLabelSSTs().Add(new CExcelRecordLABELSST(payload.data(), 10));
    }
    void Label(std::uint16_t row, std::uint16_t column, std::u16string text) {
        sheet.GetLabels().Add(new CExcelRecordLABEL(row, column, 0, std::move(text)));
    }
    // A FORMULA record of 20 bytes (no tokens) with the given result bytes.
    CExcelRecordFormula& Formula(std::uint16_t row, std::uint16_t column, const Bytes& result,
                                 std::uint16_t xf = 0) {
        Bytes data = Head(row, column, xf);
        data.insert(data.end(), result.begin(), result.end());
        data.resize(20, 0);
        sheet.GetFormulas().Add(new CExcelRecordFormula(data.data(), 20));
        return *sheet.GetFormulas().GetTail();
    }
    static Bytes Tagged(std::uint8_t kind, std::uint8_t value) {
        return {kind, 0, value, 0, 0, 0, 0xFF, 0xFF};
    }
    static Bytes Double(double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        Bytes bytes;
        for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        return bytes;
    }

    CRecoveredCell At(std::uint16_t row, std::uint16_t column) {
        const CRecoveredCells cells(workbook, sheet);
        const CRecoveredCell* cell = cells.Find(row, column);
        EXPECT_NE(cell, nullptr) << "no cell at " << row << "," << column;
        // The counting view settles every cell the same way, text or not.
        const CRecoveredCells kinds(workbook, sheet, ERecoveredDetail::Kinds);
        EXPECT_EQ(kinds.GetCount(), cells.GetCount());
        EXPECT_EQ(CRecoveredCells::CountCells(sheet), cells.GetCount());
        EXPECT_EQ(CRecoveredCells::CountCells(sheet, &workbook.GetSharedStrings()),
                  static_cast<std::size_t>(std::count_if(
                      cells.GetCells().begin(), cells.GetCells().end(),
                      [](const CRecoveredCell& c) { return c.m_kind != ERecoveredValue::Lost; })));
        std::size_t visited = 0;
        CRecoveredCells::ForEachCell(workbook, sheet, [&](const CRecoveredCell& seen) {
            ASSERT_LT(visited, kinds.GetCount());
            const CRecoveredCell& kept = kinds.GetCells()[visited++];
            EXPECT_EQ(seen.m_row, kept.m_row);
            EXPECT_EQ(seen.m_column, kept.m_column);
            EXPECT_EQ(seen.m_kind, kept.m_kind);
        });
        EXPECT_EQ(visited, kinds.GetCount());
        if (const CRecoveredCell* same = kinds.Find(row, column); cell && same) {
            EXPECT_EQ(same->m_kind, cell->m_kind);
            EXPECT_EQ(same->m_xfIndex, cell->m_xfIndex);
            EXPECT_EQ(same->m_formula, cell->m_formula);
        }
        return cell ? *cell : CRecoveredCell{};
    }

    CExcelWorkBook workbook;
    CExcelWorkSheet sheet;

private:
    static Bytes Head(std::uint16_t row, std::uint16_t column, std::uint16_t xf = 0) {
        Bytes head = testsupport::BiffWriter::U16(row);
        for (const std::uint16_t field : {column, xf}) {
            const Bytes bytes = testsupport::BiffWriter::U16(field);
            head.insert(head.end(), bytes.begin(), bytes.end());
        }
        return head;
    }
};

}  // namespace

// --- Several records claiming one cell -------------------------------------------

TEST_F(RecoveredCellsTest, RKCellsOverwriteNumberCells) {
    RK(0, 0, 0x00000192);  // 100, met before the NUMBER in the stream
    Number(0, 0, 5.5);
    const CRecoveredCell cell = At(0, 0);
    EXPECT_EQ(cell.m_kind, ERecoveredValue::Number);
    EXPECT_EQ(cell.m_number, 100.0);
}

TEST_F(RecoveredCellsTest, FormulasOverwriteNumbers) {
    Formula(2, 3, Double(7.0));
    Number(2, 3, 1.0);
    const CRecoveredCell cell = At(2, 3);
    EXPECT_TRUE(cell.IsFormula());
    EXPECT_EQ(cell.m_number, 7.0);
}

TEST_F(RecoveredCellsTest, BooleansAndErrorsOverwriteFormulas) {
    BoolErr(1, 1, 0x07, true);
    Formula(1, 1, Double(3.0));
    const CRecoveredCell cell = At(1, 1);
    EXPECT_FALSE(cell.IsFormula());
    EXPECT_EQ(cell.m_kind, ERecoveredValue::Error);
    EXPECT_EQ(cell.m_code, 0x07);
}

TEST_F(RecoveredCellsTest, TextsOverwriteEverythingAndInlineTextsComeLast) {
    Label(0, 0, u"inline");
    LabelSST(0, 0, 1);
    BoolErr(0, 0, 1, false);
    Number(0, 0, 2.0);
    LabelSST(0, 1, 0);
    BoolErr(0, 1, 1, false);
    EXPECT_EQ(At(0, 0).m_text, u"inline");
    EXPECT_EQ(At(0, 1).m_kind, ERecoveredValue::Text);
    EXPECT_EQ(At(0, 1).m_text, u"alpha");
}

TEST_F(RecoveredCellsTest, InsideAPhaseTheLaterRecordWins) {
    Number(4, 4, 1.0);
    Number(4, 4, 2.0);
    LabelSST(5, 5, 0);
    LabelSST(5, 5, 1);
    EXPECT_EQ(At(4, 4).m_number, 2.0);
    EXPECT_EQ(At(5, 5).m_text, u"beta");
}

TEST_F(RecoveredCellsTest, APhaseOutOfCellOrderStillLetsItsLaterRecordWin) {
    // Records of one phase in no cell order are put in order before the
    // phases are merged; two claims on one cell keep their record order.
    Number(5, 5, 1.0);
    Number(0, 0, 3.0);
    Number(5, 5, 2.0);
    RK(0, 0, 0x3FF00000);
    LabelSST(9, 1, 1);
    LabelSST(2, 2, 0);
    LabelSST(9, 1, 0);
    EXPECT_EQ(At(5, 5).m_number, 2.0);
    EXPECT_EQ(At(0, 0).m_number, 1.0);
    EXPECT_EQ(At(9, 1).m_text, u"alpha");
    EXPECT_EQ(At(2, 2).m_text, u"alpha");
}

TEST_F(RecoveredCellsTest, ATextIsBrokenOnlyByASurrogateWithoutItsPartner) {
    const struct {
        std::u16string text;
        bool broken;
    } cases[] = {
        {u"plain", false},
        {{u'a', char16_t(0xD83D), char16_t(0xDE00)}, false},  // a pair
        {{char16_t(0xD7FF), char16_t(0xE000)}, false},        // just outside the block
        {{u'a', char16_t(0xD83D)}, true},                     // high at the end
        {{char16_t(0xDE00), u'a'}, true},                     // low at the start
        {{char16_t(0xDE00), char16_t(0xD83D)}, true},         // a pair reversed
    };
    std::uint16_t row = 0;
    for (const auto& c : cases) Label(row++, 0, c.text);
    row = 0;
    for (const auto& c : cases) EXPECT_EQ(At(row++, 0).m_brokenText, c.broken) << row;
}

// --- Missing shared strings ------------------------------------------------------

TEST_F(RecoveredCellsTest, AMissingSharedStringIsALostCell) {
    LabelSST(3, 0, 2);  // the table has entries 0 and 1
    EXPECT_EQ(At(3, 0).m_kind, ERecoveredValue::Lost);
}

TEST_F(RecoveredCellsTest, AMissingSharedStringLeavesAnEarlierValue) {
    Number(3, 0, 9.0);
    LabelSST(3, 0, 99);
    const CRecoveredCell cell = At(3, 0);
    EXPECT_EQ(cell.m_kind, ERecoveredValue::Number);
    EXPECT_EQ(cell.m_number, 9.0);
}

TEST_F(RecoveredCellsTest, AFoundStringReplacesALostOne) {
    LabelSST(3, 0, 99);
    LabelSST(3, 0, 0);
    EXPECT_EQ(At(3, 0).m_text, u"alpha");
}

// --- Cached formula results ---------------------------------------------------------

TEST_F(RecoveredCellsTest, FormulaResultsOfEveryKind) {
    Formula(0, 0, Tagged(1, 1));
    Formula(0, 1, Tagged(2, 0x2A));
    Formula(0, 2, Tagged(3, 0));
    Formula(0, 3, Double(0.25), kDateXF);
    const Bytes string = {3, 0, 0, 'a', 'b', 'c'};
    Formula(0, 4, Tagged(0, 0)).SetStringResult(string.data(), 6);

    EXPECT_EQ(At(0, 0).m_kind, ERecoveredValue::Boolean);
    EXPECT_EQ(At(0, 0).m_code, 1);
    EXPECT_EQ(At(0, 1).m_kind, ERecoveredValue::Error);
    EXPECT_EQ(At(0, 1).m_code, 0x2A);
    EXPECT_EQ(At(0, 2).m_kind, ERecoveredValue::Empty);
    EXPECT_EQ(At(0, 3).m_kind, ERecoveredValue::Number);
    EXPECT_TRUE(At(0, 3).m_date);
    EXPECT_EQ(At(0, 4).m_kind, ERecoveredValue::Text);
    EXPECT_EQ(At(0, 4).m_text, u"abc");
}

TEST_F(RecoveredCellsTest, NumbersTakeTheirDateFormatFromTheirXF) {
    Number(0, 0, 40000.0, kDateXF);
    Number(0, 1, 40000.0, 0);
    Number(0, 2, 40000.0, 77);  // no such XF: General
    EXPECT_TRUE(At(0, 0).m_date);
    EXPECT_FALSE(At(0, 1).m_date);
    EXPECT_FALSE(At(0, 2).m_date);
}

// --- Order and lookup ------------------------------------------------------------

TEST_F(RecoveredCellsTest, CellsComeByRowThenColumn) {
    Number(2, 0, 1.0);
    LabelSST(0, 5, 0);
    Number(0, 300, 1.0);
    RK(1, 1, 0x3FF00000);
    Number(0, 0, 1.0);
    const CRecoveredCells cells(workbook, sheet);
    ASSERT_EQ(cells.GetCount(), 5u);
    const std::pair<int, int> expected[] = {{0, 0}, {0, 5}, {0, 300}, {1, 1}, {2, 0}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(cells.GetCells()[i].m_row, expected[i].first);
        EXPECT_EQ(cells.GetCells()[i].m_column, expected[i].second);
    }
    EXPECT_EQ(cells.Find(1, 0), nullptr);
    EXPECT_EQ(cells.Find(65535, 65535), nullptr);
}

TEST_F(RecoveredCellsTest, BlanksAreNoCells) {
    const Bytes blank = {0, 0, 0, 0, 0, 0};
    sheet.GetBlanks().Add(new CExcelRecordBLANK(blank.data(), 6));
    EXPECT_EQ(CRecoveredCells(workbook, sheet).GetCount(), 0u);
}
