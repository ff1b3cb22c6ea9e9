// A small repaired model saved through our own "Excel.Application" server
// and read back by our repair: the values (Booleans and errors as such),
// formula texts with their cached results, shared-formula blocks, references
// to another sheet, merged ranges and the 1904 date system survive; values
// written in blocks keep the last value given and lose only a refused cell.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>

#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/tests/support/FormulaRecordBuilder.h"
#include "formula/tests/support/TokenStream.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkSheet.h"
#include "platform/PauseGate.h"
#include "platform/RunState.h"
#include "platform/ScopedMessageCapture.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordMERGEDCELLS.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "repair/CRecoveredCells.h"
#include "repair/RepairFile.h"
#include "save/CSaveProcessManagerExcel.h"
#include "server/automation/CXlsApplicationServer.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::TokenStream;

namespace {

Bytes Head(std::uint16_t row, std::uint16_t column) {
    Bytes bytes = BiffWriter::U16(row);
    for (const std::uint16_t v : {column, std::uint16_t{0}}) {
        const Bytes part = BiffWriter::U16(v);
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

Bytes Tokens(const TokenStream& stream) {
    Bytes built = stream.Build();
    return Bytes(built.begin() + 2, built.end());
}

void AddFormula(CExcelWorkSheet& sheet, std::uint16_t row, std::uint16_t column, double cached,
                const Bytes& tokens, const Bytes* shared = nullptr) {
    const Bytes body =
        testsupport::FormulaBody(row, column, 0, testsupport::NumberResult(cached), tokens);
    auto* record = new CExcelRecordFormula(body.data(), static_cast<std::uint32_t>(body.size()));
    sheet.GetFormulas().Add(record);
    if (shared) {
        // The record a SHRFMLA follows holds the range's tokens, as the
        // record reader makes it.
        record->SetSharedFormulaRecord(shared->data(), static_cast<std::uint32_t>(shared->size()));
        sheet.AddFormulaHost(*record, row, column);
    }
}

void AddBoolErr(CExcelWorkSheet& sheet, std::uint16_t row, std::uint8_t value, bool error) {
    Bytes payload = Head(row, 0);
    payload.push_back(value);
    payload.push_back(error ? 1 : 0);
    sheet.GetBoolErrs().Add(new CExcelRecordBOOLERR(payload.data(), 8));
}

class SaveRealServerTest : public ::testing::Test {
protected:
    SaveRealServerTest() {
        CXlsApplicationServer::Register();
        while (SaveWorkerGate.IsSuspended()) SaveWorkerGate.Resume();
        SaveStopRequested.store(0);
        StopRequested.store(0);
    }

    // Repairs the saved file into `back`; true when it repaired.
    bool ReadBack(const std::filesystem::path& file, CExcelData& back) {
        back.SetSourcePath(file);
        return RepairFile(&back);
    }

    testsupport::ScopedTempDir temp;
    ScopedMessageCapture messages;
};

TEST_F(SaveRealServerTest, ARepairedModelSavesAndReadsBackCellForCell) {
    CExcelData data;
    auto* workbook = new CExcelWorkBook();
    data.GetWorkbooks().Add(workbook);
    workbook->SetDate1904(true);
    testsupport::AddSheet(*workbook, u"Data");
    testsupport::AddSheet(*workbook, u"Other");
    testsupport::AddSupBook(*workbook, testsupport::SelfSupBook(2));
    testsupport::AddExternSheet(*workbook, {{0, 1, 1}});
    CExcelWorkSheet& sheet = *workbook->GetWorksheets().GetHead();
    CExcelWorkSheet& other = *workbook->GetWorksheets().GetTail();

    sheet.GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, 1.5));
    AddBoolErr(sheet, 1, 1, false);
    AddBoolErr(sheet, 2, 0x07, true);
    sheet.GetLabels().Add(new CExcelRecordLABEL(3, 0, 0, u"text"));
    // B1 = A1*2, cached 3.
    AddFormula(sheet, 0, 1, 3,
               Tokens(TokenStream().Ref(0x24, 0, testsupport::Rel(0)).Int(2).Op(0x05)));
    // C1 = Other!A1, cached 5.
    AddFormula(sheet, 0, 2, 5, Tokens(TokenStream().Ref3d(0x3A, 0, 0, testsupport::Rel(0))));
    other.GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, 5));
    // A6:B7 share "=<five rows up>+1"; each cell keeps its own cached result.
    const Bytes shared = testsupport::SharedFormulaBody(
        5, 6, 0, 1,
        Tokens(TokenStream().Ref(0x2C, 0xFFFB, testsupport::Col(0, true, true)).Int(1).Op(0x03)));
    const Bytes exp = Tokens(TokenStream().Byte(0x01).U16(5).U16(0));
    AddFormula(sheet, 5, 0, 2.5, exp, &shared);
    AddFormula(sheet, 5, 1, 4, exp);
    AddFormula(sheet, 6, 0, 2, exp);
    AddFormula(sheet, 6, 1, 1, exp);
    // Numbers go in blocks: row 10 has a gap at C10 and gives B10 twice (the
    // later value stays); the NaN in A11 makes its block refused, and B11 is
    // still written, cell by cell.
    for (const auto& [row, column, value] : {std::tuple{9, 0, 1.0},
                                             {9, 1, 2.0},
                                             {9, 3, 4.0},
                                             {9, 1, 20.0},
                                             {10, 0, std::nan("")},
                                             {10, 1, 7.0}}) {
        sheet.GetNumbers().Add(new CExcelRecordNUMBER(
            static_cast<std::uint16_t>(row), static_cast<std::uint16_t>(column), 0, value));
    }
    // A9:B9 merged.
    Bytes merged = BiffWriter::U16(1);
    for (const std::uint16_t v : {8, 8, 0, 1}) {
        const Bytes part = BiffWriter::U16(v);
        merged.insert(merged.end(), part.begin(), part.end());
    }
    sheet.GetMergedCells().Add(new CExcelRecordMERGEDCELLS(merged.data(), 10));

    const std::filesystem::path destination = temp.Path() / "saved.xls";
    data.SetDestinationPath(destination);
    CSaveProcessManagerExcel manager;
    ASSERT_EQ(manager.Save(&data), 0);
    EXPECT_EQ(messages.Count(), 0u);

    CExcelData back;
    ASSERT_TRUE(ReadBack(destination, back));
    const CExcelWorkBook* book = back.GetWorkbooks().GetHead();
    ASSERT_NE(book, nullptr);
    EXPECT_TRUE(book->IsDate1904());
    ASSERT_EQ(book->GetWorksheets().GetCount(), 2u);
    EXPECT_EQ(book->GetWorksheets().GetSheetName(0), u"Data");
    EXPECT_EQ(book->GetWorksheets().GetSheetName(1), u"Other");
    const CExcelWorkSheet& data0 = *book->GetWorksheets().GetHead();
    const CRecoveredCells cells(*book, data0);

    const CRecoveredCell* a1 = cells.Find(0, 0);
    ASSERT_NE(a1, nullptr);
    EXPECT_EQ(a1->m_kind, ERecoveredValue::Number);
    EXPECT_EQ(a1->m_number, 1.5);
    const CRecoveredCell* a2 = cells.Find(1, 0);
    ASSERT_NE(a2, nullptr);
    EXPECT_EQ(a2->m_kind, ERecoveredValue::Boolean);
    EXPECT_EQ(a2->m_code, 1);
    const CRecoveredCell* a3 = cells.Find(2, 0);
    ASSERT_NE(a3, nullptr);
    EXPECT_EQ(a3->m_kind, ERecoveredValue::Error);
    EXPECT_EQ(a3->m_code, 0x07);
    const CRecoveredCell* a4 = cells.Find(3, 0);
    ASSERT_NE(a4, nullptr);
    EXPECT_EQ(a4->m_text, u"text");

    const struct {
        std::uint16_t row, column;
        double cached;
        const char16_t* text;
    } formulas[] = {
        {0, 1, 3, u"A1*2"}, {0, 2, 5, u"Other!A1"}, {5, 0, 2.5, u"A1+1"},
        {5, 1, 4, u"B1+1"}, {6, 0, 2, u"A2+1"},     {6, 1, 1, u"B2+1"},
    };
    for (const auto& f : formulas) {
        const CRecoveredCell* cell = cells.Find(f.row, f.column);
        ASSERT_NE(cell, nullptr) << f.row << "," << f.column;
        ASSERT_TRUE(cell->IsFormula()) << f.row << "," << f.column;
        EXPECT_EQ(cell->m_kind, ERecoveredValue::Number);
        EXPECT_EQ(cell->m_number, f.cached) << f.row << "," << f.column;
        // Each cell of the shared range is written with its own tokens.
        EXPECT_EQ(cell->m_formula->GetFormulaText(book, &data0), f.text)
            << f.row << "," << f.column;
    }
    const struct {
        std::uint16_t row, column;
        double number;  // NaN: no cell
    } numbers[] = {{9, 0, 1}, {9, 1, 20}, {9, 2, std::nan("")}, {9, 3, 4}, {10, 0, std::nan("")},
                   {10, 1, 7}};
    for (const auto& n : numbers) {
        const CRecoveredCell* cell = cells.Find(n.row, n.column);
        if (std::isnan(n.number)) {
            EXPECT_EQ(cell, nullptr) << n.row << "," << n.column;
            continue;
        }
        ASSERT_NE(cell, nullptr) << n.row << "," << n.column;
        EXPECT_EQ(cell->m_number, n.number) << n.row << "," << n.column;
    }
    // The NaN is the save's one refusal, reported once.
    EXPECT_EQ(data.GetSaveRefusals().GetCount(), 1u);
    ASSERT_EQ(data0.GetMergedCells().GetCount(), 1u);
    EXPECT_EQ(data0.GetMergedCells().GetHead()->GetCount(), 1u);
}

TEST_F(SaveRealServerTest, ASheetWhoseNameIsRefusedIsSavedUnderTheServersNameAndReported) {
    // Names a damaged BOUNDSHEET can leave: taken by another sheet in
    // another case, starting with an apostrophe, a forbidden character,
    // past 31 characters.
    const std::u16string names[] = {u"Data", u"DATA", u"'quoted", u"a/b", std::u16string(32, u'x'),
                                    u"Ok"};
    CExcelData data;
    auto* workbook = new CExcelWorkBook();
    data.GetWorkbooks().Add(workbook);
    for (const std::u16string& name : names) testsupport::AddSheet(*workbook, name);
    double value = 0;
    for (CExcelWorkSheet& sheet : workbook->GetWorksheets()) {
        sheet.GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, ++value));
    }
    const std::filesystem::path destination = temp.Path() / "saved.xls";
    data.SetDestinationPath(destination);
    CSaveProcessManagerExcel manager;
    ASSERT_EQ(manager.Save(&data), 0);
    ASSERT_EQ(messages.Count(), 1u);
    const std::u16string report = messages.Texts()[0];

    CExcelData back;
    ASSERT_TRUE(ReadBack(destination, back));
    const CExcelWorkBook* book = back.GetWorkbooks().GetHead();
    ASSERT_NE(book, nullptr);
    ASSERT_EQ(book->GetWorksheets().GetCount(), 6u);
    value = 0;
    for (std::uint16_t i = 0; i < 6; ++i) {
        const std::u16string saved = book->GetWorksheets().GetSheetName(i);
        const bool kept = i == 0 || i == 5;
        EXPECT_EQ(saved == names[i], kept) << i;
        EXPECT_EQ(report.find(u"'" + names[i] + u"' as '" + saved + u"'") != std::u16string::npos,
                  !kept)
            << i;
        const CRecoveredCells cells(*book, *book->GetWorksheets().GetAt(i));
        const CRecoveredCell* a1 = cells.Find(0, 0);
        ASSERT_NE(a1, nullptr) << i;
        EXPECT_EQ(a1->m_number, ++value);
    }
}

// Formatting whole columns goes to rows 1 to 65535 of them; this measures
// what that costs the server and the file.
TEST_F(SaveRealServerTest, ColumnFormatsOverThreeColumns) {
    CExcelData data;
    auto* workbook = new CExcelWorkBook();
    data.GetWorkbooks().Add(workbook);
    testsupport::AddSheet(*workbook, u"Data");
    Bytes font = {200, 0, 1, 0, 8, 0, 0x90, 1, 0, 0, 0, 0, 0, 0, 5, 0};
    for (const char c : std::string("Arial")) font.push_back(static_cast<std::uint8_t>(c));
    workbook->GetFonts().Add(
        new CExcelRecordWBFONT(font.data(), static_cast<std::uint32_t>(font.size())));
    Bytes xf(20, 0);
    xf[9] = 0xFC;  // every attribute group of its own
    workbook->GetXFs().Add(new CExcelRecordWBXF(xf.data(), 20));
    Bytes colinfo(12, 0);
    testsupport::SetU16(colinfo, 0, 0);
    testsupport::SetU16(colinfo, 2, 2);
    testsupport::SetU16(colinfo, 4, 2560);
    testsupport::SetU16(colinfo, 6, 0);
    workbook->GetWorksheets().GetHead()->GetColInfos().Add(
        new CExcelRecordCOLINFO(colinfo.data(), 12));
    const std::filesystem::path destination = temp.Path() / "columns.xls";
    data.SetDestinationPath(destination);
    const auto start = std::chrono::steady_clock::now();
    CSaveProcessManagerExcel manager;
    ASSERT_EQ(manager.Save(&data), 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("column formats over 3 columns: %.2f s, file %llu bytes\n", seconds,
                static_cast<unsigned long long>(std::filesystem::file_size(destination)));
}

}  // namespace
