// The save pipeline against the recording server standing in for
// "Excel.Application": which calls a model turns into, in which order, what
// the option bits leave out, where a stop ends the writing, the result
// codes, and the repairs to what a plain rebuild would lose (cached results,
// Booleans and errors, the 1904 date system, references to other sheets,
// refused formulas, shared-formula blocks).
#include "save/CSaveProcessManagerExcel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/tests/support/FormulaRecordBuilder.h"
#include "formula/tests/support/TokenStream.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkSheet.h"
#include "platform/PauseGate.h"
#include "platform/ProgressTarget.h"
#include "platform/RunState.h"
#include "platform/ScopedMessageCapture.h"
#include "platform/TextConversion.h"
#include "platform/automation/CScopedServerRegistration.h"
#include "records/CExcelRecordBLANK.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordMERGEDCELLS.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/CExcelRecordROW.h"
#include "records/CExcelSSTDataList.h"
#include "save/CXLAutomation.h"
#include "save/tests/support/RecordingSession.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::TokenStream;

namespace {

Bytes Head(std::uint16_t row, std::uint16_t column, std::uint16_t xf = 0) {
    Bytes bytes = BiffWriter::U16(row);
    for (const std::uint16_t v : {column, xf}) {
        const Bytes part = BiffWriter::U16(v);
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

// The tokens of a TokenStream without its length field.
Bytes Tokens(const TokenStream& stream) {
    Bytes built = stream.Build();
    return Bytes(built.begin() + 2, built.end());
}

// The recording server registered as "Excel.Application" for one test, a
// temporary folder for the save's temporary file, a model with one sheet,
// and a fresh save run state.
class SavePipelineTest : public ::testing::Test {
protected:
    SavePipelineTest() {
        while (SaveWorkerGate.IsSuspended()) SaveWorkerGate.Resume();
        SaveStopRequested.store(0);
        SaveProgress.store(0);
        SaveProgressText.Set(u"");
        workbook = new CExcelWorkBook();
        data.GetWorkbooks().Add(workbook);
        data.SetDestinationPath(temp.Path() / "out.xls");
    }
    ~SavePipelineTest() override { SaveStopRequested.store(0); }

    CExcelWorkSheet& AddSheet(const std::u16string& name) {
        CExcelWorkSheet sheet;
        sheet.SetName(name);
        return *workbook->GetWorksheets().Add(sheet);
    }
    CExcelWorkSheet& Sheet() {
        if (workbook->GetWorksheets().GetCount() == 0) AddSheet(u"Data");
        return *workbook->GetWorksheets().GetHead();
    }

    void Number(std::uint16_t row, std::uint16_t column, double value) {
        Sheet().GetNumbers().Add(new CExcelRecordNUMBER(row, column, 0, value));
    }
    void BoolErr(std::uint16_t row, std::uint16_t column, std::uint8_t value, bool error) {
        Bytes payload = Head(row, column);
        payload.push_back(value);
        payload.push_back(error ? 1 : 0);
        Sheet().GetBoolErrs().Add(new CExcelRecordBOOLERR(payload.data(), 8));
    }
    void Label(std::uint16_t row, std::uint16_t column, std::u16string text) {
        Sheet().GetLabels().Add(new CExcelRecordLABEL(row, column, 0, std::move(text)));
    }
    void LabelSST(std::uint16_t row, std::uint16_t column, std::uint32_t index) {
        Bytes payload = Head(row, column);
        const Bytes sst = BiffWriter::U32(index);
        payload.insert(payload.end(), sst.begin(), sst.end());
        Sheet().GetLabelSSTs().Add(new CExcelRecordLABELSST(payload.data(), 10));
    }
    CExcelRecordFormula& Formula(std::uint16_t row, std::uint16_t column, const Bytes& result,
                                 const Bytes& tokens) {
        const Bytes body = testsupport::FormulaBody(row, column, 0, result, tokens);
        Sheet().GetFormulas().Add(
            new CExcelRecordFormula(body.data(), static_cast<std::uint32_t>(body.size())));
        return *Sheet().GetFormulas().GetTail();
    }
    // A cell of a shared range: its tokens are a ptgExp to the first cell.
    CExcelRecordFormula& SharedCell(std::uint16_t row, std::uint16_t column, double cached,
                                    std::uint16_t firstRow, std::uint16_t firstColumn) {
        return Formula(row, column, testsupport::NumberResult(cached),
                       Tokens(TokenStream().Byte(0x01).U16(firstRow).U16(firstColumn)));
    }

    std::int32_t Save() {
        CSaveProcessManagerExcel manager;
        return manager.Save(&data);
    }

    // The recorded calls that put something (values, formulas, formats,
    // names, sizes) or fill; selections and lookups left out.
    std::vector<std::string> Puts() const {
        std::vector<std::string> kept;
        for (const std::string& call : server->Calls()) {
            if (call.find(" put(") != std::string::npos ||
                call.find(".AutoFill ") != std::string::npos) {
                if (call.find(".Visible put") != std::string::npos) continue;
                kept.push_back(call);
            }
        }
        return kept;
    }
    std::vector<std::string> PutsContaining(const std::string& part) const {
        std::vector<std::string> kept;
        for (const std::string& call : Puts()) {
            if (call.find(part) != std::string::npos) kept.push_back(call);
        }
        return kept;
    }
    std::ptrdiff_t IndexOf(const std::string& call) const {
        const auto puts = Puts();
        const auto at = std::find(puts.begin(), puts.end(), call);
        return at == puts.end() ? -1 : at - puts.begin();
    }

    // Makes the recording server write a file where SaveAs points.
    void WriteFileOnSaveAs() {
        server->m_onCall = [](const std::string& line) {
            const std::string key = "FileName='";
            const auto at = line.find(key);
            if (line.rfind("Workbook.SaveAs", 0) != 0 || at == std::string::npos) return;
            const auto end = line.find('\'', at + key.size());
            std::ofstream(line.substr(at + key.size(), end - at - key.size())) << "xls";
        };
    }

    testsupport::ScopedTempDir temp;
    std::shared_ptr<CRecordingServer> server = CRecordingServer::Create();
    CScopedServerRegistration registration{CXLAutomation::kExcelProgramId, RecordingClassId(),
                                           server->Factory()};
    ScopedMessageCapture messages;
    CExcelData data;
    CExcelWorkBook* workbook = nullptr;
};

const std::u16string kFailure = u". Please try to save the file with different name.";

// ---- Result codes and the finish ------------------------------------------------

class OtherContainer : public CDataContainer {};

TEST_F(SavePipelineTest, AContainerThatIsNotAParsedWorkbookGivesTwoWithoutStartingTheServer) {
    OtherContainer other;
    CSaveProcessManagerExcel manager;
    EXPECT_EQ(manager.Save(&other), 2);
    EXPECT_EQ(manager.Save(nullptr), 2);
    EXPECT_TRUE(server->Calls().empty());
}

TEST_F(SavePipelineTest, AWrittenFileIsMovedOntoTheDestination) {
    Number(0, 0, 1.5);
    WriteFileOnSaveAs();
    EXPECT_EQ(Save(), 0);
    EXPECT_TRUE(std::filesystem::exists(data.GetDestinationPath()));
    EXPECT_EQ(messages.Count(), 0u);
    // Only the destination is left: the temporary file was moved.
    EXPECT_EQ(temp.Entries(), std::vector<std::string>{"out.xls"});
    EXPECT_EQ(server->LiveObjects(), 0);
}

TEST_F(SavePipelineTest, WithoutAWrittenFileTheDestinationIsKeptAndTheFailureReported) {
    Number(0, 0, 1.5);
    testsupport::WriteFileBytes(data.GetDestinationPath(), {'o', 'l', 'd'});
    EXPECT_EQ(Save(), 1);
    EXPECT_EQ(testsupport::ReadFileBytes(data.GetDestinationPath()), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(messages.Texts(),
              std::vector<std::u16string>{u"Failed to save the file " +
                                          TextFromPath(data.GetDestinationPath()) + kFailure});
}

TEST_F(SavePipelineTest, AWorkbookThatCannotBeMovedIsNotLeftInTheTemporaryFolder) {
    Number(0, 0, 1.5);
    WriteFileOnSaveAs();
    data.SetDestinationPath(temp.Path() / "no such folder" / "out.xls");
    EXPECT_EQ(Save(), 1);
    EXPECT_TRUE(temp.Entries().empty());
    EXPECT_EQ(messages.Count(), 1u);
}

TEST_F(SavePipelineTest, AModelWithoutSheetsSavesOneSheetNamedUnnamed1) {
    WriteFileOnSaveAs();
    EXPECT_EQ(Save(), 0);
    EXPECT_EQ(Puts(), std::vector<std::string>{"Worksheet[1].Name put('Unnamed1')"});
    const auto& calls = server->Calls();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& c) { return c.rfind("Workbooks.Add", 0) == 0; }),
              1);
}

// ---- Sheets, progress and order -------------------------------------------------

TEST_F(SavePipelineTest, SheetsAreCreatedInOrderAndWrittenIntoTheirOwnSheet) {
    AddSheet(u"First");
    CExcelWorkSheet& second = AddSheet(u"Second");
    second.GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, 2.0));
    Save();
    const auto names = PutsContaining(".Name put");
    EXPECT_EQ(names, (std::vector<std::string>{"Worksheet[1].Name put('First')",
                                               "Worksheet[2].Name put('Second')"}));
    // Sheet 2 of 2 is selected from the end as 1: Worksheets(2).
    const auto& calls = server->Calls();
    const auto value = std::find(calls.begin(), calls.end(), "Range[R1C1].Value put(r8:2)");
    ASSERT_NE(value, calls.end());
    const auto cells =
        std::find_if(std::make_reverse_iterator(value), calls.rend(),
                     [](const std::string& c) { return c.find(".Cells get") != c.npos; });
    ASSERT_NE(cells, calls.rend());
    EXPECT_EQ(cells->rfind("Worksheet[2].Cells", 0), 0u) << *cells;
}

TEST_F(SavePipelineTest, NamesAreAddedOnceTheSheetsExistAndBeforeAnyCell) {
    Number(0, 0, 1.5);
    testsupport::AddName(*workbook, u"Rate", 0, false,
                         testsupport::TokensOf(TokenStream().Num(0.5)));
    // A second workbook's first sheet is the output's second sheet.
    auto* other = new CExcelWorkBook();
    data.GetWorkbooks().Add(other);
    testsupport::AddSheet(*other, u"Two");
    testsupport::AddName(*other, u"Local", 1, false, testsupport::TokensOf(TokenStream().Int(2)));
    Save();
    const auto& calls = server->Calls();
    const auto at = [&calls](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    };
    const auto rate = at("Names.Add method(Visible=true, RefersTo='=0.5', Name='Rate')");
    const auto local = at("Names[2].Add method(Visible=true, RefersTo='=2', Name='Local')");
    ASSERT_LT(local, static_cast<std::ptrdiff_t>(calls.size()));
    EXPECT_LT(at("Worksheet[2].Name put('Two')"), rate);
    EXPECT_LT(rate, local);
    EXPECT_LT(local, at("Range[R1C1].Value put(r8:1.5)"));
}

TEST_F(SavePipelineTest, ProgressTextsAndTheBarFollowTheSheets) {
    AddSheet(u"A");
    CExcelWorkSheet& b = AddSheet(u"B");
    for (std::uint16_t r = 0; r < 3; ++r) b.GetNumbers().Add(new CExcelRecordNUMBER(r, 0, 0, r));
    ProgressTarget bar;
    data.SetSaveProgressWindow(&bar);
    Save();
    EXPECT_EQ(SaveProgressText.Get(),
              u"Saving recovered file\r\nAdding worksheets\r\n  Adding A\r\n  Adding B"
              u"\r\nWriting data to worksheet\r\n  Writing data to A\r\n  Writing data to B");
    EXPECT_EQ(bar.GetUpper(), 4u);  // one workbook, three numbers
    // Position 2 after creating two sheets, then one step per number.
    EXPECT_EQ(SaveProgress.load(), 5u);
    EXPECT_EQ(bar.GetPosition(), 5u);
}

TEST_F(SavePipelineTest, PhasesRunInTheirFixedOrderLaterOnesWritingOverEarlierOnes) {
    Label(0, 0, u"text");
    BoolErr(0, 0, 1, false);
    Formula(0, 0, testsupport::NumberResult(3), Tokens(TokenStream().Int(3)));
    Number(0, 0, 1);
    Save();
    const std::vector<std::string> order = {
        "Range[R1C1].Value put(r8:1)",   "Range[R1C1].Value put(r8:3)",
        "Range[R1C1].Formula put('=3')", "Range[R1C1].Value put(true)",
        "Range[R1C1].Value put('text')",
    };
    std::ptrdiff_t last = -1;
    for (const std::string& call : order) {
        const std::ptrdiff_t at = IndexOf(call);
        EXPECT_GT(at, last) << call;
        last = at;
    }
}

// A save that lets each kind of cell go once written makes the same calls,
// on every sheet and over cells of one position, and leaves no cell record
// and no shared string behind; the rows stay.
TEST_F(SavePipelineTest, LettingCellsGoWhileSavingMakesTheSameCalls) {
    std::vector<std::string> calls[2];
    for (const bool release : {false, true}) {
        workbook->GetWorksheets().RemoveAll();
        workbook->GetSharedStrings().RemoveAll();
        CExcelSSTData entry;
        entry.SetText(u"shared");
        workbook->GetSharedStrings().Add(entry);
        for (const char16_t* name : {u"One", u"Two"}) AddSheet(name);
        // The first sheet holds one cell of every kind at A1, the second at A2.
        std::uint16_t row = 0;
        for (CExcelWorkSheet& sheet : workbook->GetWorksheets()) {
            sheet.GetNumbers().Add(new CExcelRecordNUMBER(row, 1, 0, 2));
            sheet.GetLabels().Add(new CExcelRecordLABEL(row, 2, 0, u"label"));
            Bytes sst = Head(row, 3);
            const Bytes index = BiffWriter::U32(0);
            sst.insert(sst.end(), index.begin(), index.end());
            sheet.GetLabelSSTs().Add(new CExcelRecordLABELSST(sst.data(), 10));
            Bytes boolerr = Head(row, 4);
            boolerr.push_back(1);
            boolerr.push_back(0);
            sheet.GetBoolErrs().Add(new CExcelRecordBOOLERR(boolerr.data(), 8));
            const Bytes body = testsupport::FormulaBody(row, 5, 0, testsupport::NumberResult(3),
                                                        Tokens(TokenStream().Int(3)));
            sheet.GetFormulas().Add(
                new CExcelRecordFormula(body.data(), static_cast<std::uint32_t>(body.size())));
            Bytes rowRecord = Head(row, 0);
            rowRecord.resize(16, 0);
            sheet.GetRows().Add(new CExcelRecordROW(rowRecord.data(), 16));
            ++row;
        }
        server->ClearCalls();
        data.SetReleaseWhileSaving(release);
        ASSERT_EQ(Save(), 1);  // nothing written where SaveAs points
        // The recording server numbers its sheets on from the first save.
        calls[release] = PutsContaining("Range[");
        for (const CExcelWorkSheet& sheet : workbook->GetWorksheets()) {
            const std::uint32_t cells =
                sheet.GetNumbers().GetCount() + sheet.GetLabels().GetCount() +
                sheet.GetLabelSSTs().GetCount() + sheet.GetBoolErrs().GetCount() +
                sheet.GetFormulas().GetCount();
            EXPECT_EQ(cells, release ? 0u : 5u) << "release " << release;
            EXPECT_EQ(sheet.GetRows().GetCount(), 1u);
        }
        EXPECT_EQ(workbook->GetSharedStrings().GetCount(), release ? 0u : 1u);
    }
    EXPECT_EQ(calls[true], calls[false]);
    EXPECT_EQ(PutsContaining("'shared'").size(), 2u);
}

// ---- Option bits ------------------------------------------------------------------

TEST_F(SavePipelineTest, WithOnlyTheBlankBitLeftNoValueFormulaOrSizeIsWritten) {
    Number(0, 0, 1);
    Formula(1, 0, testsupport::NumberResult(3), Tokens(TokenStream().Int(3)));
    BoolErr(2, 0, 1, false);
    Label(3, 0, u"x");
    Bytes row = Head(4, 0);
    row.resize(16, 0);
    testsupport::SetU16(row, 6, 0x0118);
    Sheet().GetRows().Add(new CExcelRecordROW(row.data(), 16));
    Bytes merged = BiffWriter::U16(1);
    for (const std::uint16_t v : {0, 1, 0, 1}) {
        const Bytes part = BiffWriter::U16(v);
        merged.insert(merged.end(), part.begin(), part.end());
    }
    Sheet().GetMergedCells().Add(new CExcelRecordMERGEDCELLS(merged.data(), 10));
    data.GetSaveOptions() = CSaveOption(CSaveOption::BlankCellFormats);
    Save();
    EXPECT_EQ(Puts(), std::vector<std::string>{"Worksheet[1].Name put('Data')"});
}

TEST_F(SavePipelineTest, EachBitWritesOnlyItsOwnKind) {
    Number(0, 0, 1);
    Label(1, 0, u"x");
    data.GetSaveOptions() = CSaveOption(CSaveOption::Texts | CSaveOption::BlankCellFormats);
    Save();
    EXPECT_TRUE(PutsContaining("Value put(r8:1)").empty());
    EXPECT_EQ(PutsContaining(".Value put"), std::vector<std::string>{"Range[R2C1].Value put('x')"});
}

// ---- Rows, columns, merges and the sheet's edge ---------------------------------------

// The custom-height flag is bit 6 of the options (bit 15 of the height word
// means nothing in BIFF8); the height goes over exactly, 281 twips as 14.05
// points, on the whole row.
TEST_F(SavePipelineTest, RowHeightsGoOverExactlyOnlyForCustomHeights) {
    for (const std::uint16_t height : {0x0119, 0x8118}) {
        Bytes row = Head(height == 0x0119 ? 2 : 3, 0);
        row.resize(16, 0);
        testsupport::SetU16(row, 6, height);
        if (height == 0x0119) row[12] = 0x40;
        Sheet().GetRows().Add(new CExcelRecordROW(row.data(), 16));
    }
    Save();
    EXPECT_EQ(PutsContaining("RowHeight"),
              std::vector<std::string>{"Rows[R3C1:R3C1].RowHeight put(r8:14.05)"});
}

TEST_F(SavePipelineTest, ColumnWidthsGoToEachColumnOfTheRunOneBased) {
    Bytes colinfo(12, 0);
    testsupport::SetU16(colinfo, 0, 2);
    testsupport::SetU16(colinfo, 2, 4);
    testsupport::SetU16(colinfo, 4, 2560);
    testsupport::SetU16(colinfo, 6, 15);
    Sheet().GetColInfos().Add(new CExcelRecordCOLINFO(colinfo.data(), 12));
    Save();
    // One call for the run, its width exactly as stored (2560 units are
    // 65 / 7 characters without the cell padding).
    EXPECT_EQ(PutsContaining("ColumnWidth"),
              (std::vector<std::string>{"Columns[R1C3:R1C5].ColumnWidth put(r8:9.28571)"}));
}

TEST_F(SavePipelineTest, CellsAndColumnsPastIVAreSkipped) {
    Number(0, 256, 1);
    Label(0, 300, u"x");
    LabelSST(0, 256, 0);
    BoolErr(0, 256, 1, false);
    Sheet().GetBlanks().Add(new CExcelRecordBLANK(Head(0, 256).data(), 6));
    Bytes colinfo(12, 0);
    testsupport::SetU16(colinfo, 0, 255);
    testsupport::SetU16(colinfo, 2, 0xFFFF);
    testsupport::SetU16(colinfo, 4, 2560);
    Sheet().GetColInfos().Add(new CExcelRecordCOLINFO(colinfo.data(), 12));
    CExcelSSTData entry;
    entry.SetText(u"shared");
    workbook->GetSharedStrings().Add(entry);
    Save();
    EXPECT_EQ(PutsContaining(".Value put"), std::vector<std::string>{});
    // The run from IV to the far edge keeps only IV.
    EXPECT_EQ(PutsContaining("ColumnWidth"),
              std::vector<std::string>{"Columns[R1C256:R1C256].ColumnWidth put(r8:9.28571)"});
}

TEST_F(SavePipelineTest, MergedRangesAreMergedOneBasedUpToWhatTheRecordHolds) {
    Bytes merged = BiffWriter::U16(3);  // says three, holds two
    for (const std::uint16_t v : {0, 1, 0, 2, 4, 4, 1, 3}) {
        const Bytes part = BiffWriter::U16(v);
        merged.insert(merged.end(), part.begin(), part.end());
    }
    Sheet().GetMergedCells().Add(
        new CExcelRecordMERGEDCELLS(merged.data(), static_cast<std::uint32_t>(merged.size())));
    Save();
    EXPECT_EQ(PutsContaining("MergeCells"),
              (std::vector<std::string>{"Range[R1C1:R2C3].MergeCells put(true)",
                                        "Range[R5C2:R5C4].MergeCells put(true)"}));
}

// ---- Stop -----------------------------------------------------------------------------

TEST_F(SavePipelineTest, AStopBetweenRecordsEndsTheWritingAndLeavesNoFile) {
    // Every other row: no two cells make a block, each is its own put.
    for (std::uint16_t r = 0; r < 5; ++r) Number(static_cast<std::uint16_t>(r * 2), 0, r);
    testsupport::WriteFileBytes(data.GetDestinationPath(), {'o', 'l', 'd'});
    server->m_onCall = [](const std::string& line) {
        if (line.find("R3C1].Value put") != std::string::npos) SaveStopRequested.store(1);
        const std::string key = "FileName='";
        const auto at = line.find(key);
        if (line.rfind("Workbook.SaveAs", 0) != 0 || at == std::string::npos) return;
        const auto end = line.find('\'', at + key.size());
        std::ofstream(line.substr(at + key.size(), end - at - key.size())) << "xls";
    };
    EXPECT_EQ(Save(), 1);
    EXPECT_EQ(PutsContaining(".Value put").size(), 2u);
    // The workbook was still saved and the server quit; the temporary
    // file is gone and the destination untouched.
    const auto& calls = server->Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Application.Quit method()"), calls.end());
    EXPECT_EQ(temp.Entries(), std::vector<std::string>{"out.xls"});
    EXPECT_EQ(testsupport::ReadFileBytes(data.GetDestinationPath()), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(SavePipelineTest, AStopBeforeTheSaveCreatesOneSheetAndWritesNothing) {
    AddSheet(u"One");
    AddSheet(u"Two");
    Number(0, 0, 1);
    SaveStopRequested.store(1);
    EXPECT_EQ(Save(), 1);
    EXPECT_EQ(Puts(), std::vector<std::string>{"Worksheet[1].Name put('One')"});
}

// ---- Cell values: Booleans, errors, cached results ------------------------------------

TEST_F(SavePipelineTest, BooleansAndErrorsAreWrittenAsValuesNotTexts) {
    BoolErr(0, 0, 1, false);
    BoolErr(1, 0, 0, false);
    BoolErr(2, 0, 0x07, true);
    BoolErr(3, 0, 0x2B, true);  // no such error: nothing
    Save();
    // One block of three cells.
    EXPECT_EQ(PutsContaining(".Value put"),
              (std::vector<std::string>{"Range[R1C1:R3C1].Value put({true; false; err:7})"}));
    EXPECT_TRUE(PutsContaining("NumberFormat put('@')").empty());
}

TEST_F(SavePipelineTest, EveryFormulaCellGetsItsCachedResultBeforeAnyFormula) {
    Formula(0, 0, testsupport::NumberResult(7), Tokens(TokenStream().Int(7)));
    Formula(1, 0, testsupport::TaggedResult(1, 1), Tokens(TokenStream().Bool(true)));
    Formula(2, 0, testsupport::TaggedResult(2, 0x2A), Tokens(TokenStream().Err(0x2A)));
    CExcelRecordFormula& text =
        Formula(3, 0, testsupport::TaggedResult(0), Tokens(TokenStream().Str(u"s")));
    const Bytes string = testsupport::StringBody(u"s", false);
    text.SetStringResult(string.data(), static_cast<std::uint32_t>(string.size()));
    Save();
    const std::vector<std::string> values = {
        "Range[R1C1].Value put(r8:7)",
        "Range[R2C1].Value put(true)",
        "Range[R3C1].Value put(err:42)",
        "Range[R4C1].Value put('s')",
    };
    const std::ptrdiff_t firstFormula = IndexOf("Range[R1C1].Formula put('=7')");
    ASSERT_GE(firstFormula, 0);
    for (const std::string& value : values) {
        const std::ptrdiff_t at = IndexOf(value);
        EXPECT_GE(at, 0) << value;
        EXPECT_LT(at, firstFormula) << value;
    }
    // A text result is no reason for "@": the cell keeps its XF's format.
    EXPECT_TRUE(PutsContaining("NumberFormat put").empty());
}

TEST_F(SavePipelineTest, FormulasNamingOtherSheetsAreWritten) {
    testsupport::AddSupBook(*workbook, testsupport::SelfSupBook(2));
    testsupport::AddExternSheet(*workbook, {{0, 1, 1}});
    AddSheet(u"Data");
    AddSheet(u"Other");
    Formula(0, 0, testsupport::NumberResult(5),
            Tokens(TokenStream().Ref3d(0x3A, 0, 2, testsupport::Rel(1))));
    Save();
    EXPECT_EQ(PutsContaining(".Formula put"),
              std::vector<std::string>{"Range[R1C1].Formula put('=Other!B3')"});
}

TEST_F(SavePipelineTest, AFormulaThatCannotBeWrittenKeepsItsCachedResultAndFormat) {
    // Refused by the server, unsound (a function index past the table),
    // and without tokens: each keeps its value.
    Formula(0, 0, testsupport::NumberResult(1), Tokens(TokenStream().Int(1)));
    Formula(1, 0, testsupport::NumberResult(2), Tokens(TokenStream().Func(0x41, 0x7FFF)));
    Formula(2, 0, testsupport::NumberResult(3), {});
    server->m_refuse = [](const std::string& line) {
        return line.find(".Formula put") != std::string::npos;
    };
    Save();
    for (const char* value : {"Range[R1C1].Value put(r8:1)", "Range[R2C1].Value put(r8:2)",
                              "Range[R3C1].Value put(r8:3)"}) {
        EXPECT_GE(IndexOf(value), 0) << value;
    }
    EXPECT_EQ(PutsContaining(".Formula put"),
              std::vector<std::string>{"Range[R1C1].Formula put('=1')"});
    // Their format is their XF's, the default one here: nothing is put
    // over the General a fresh cell shows.
    EXPECT_TRUE(PutsContaining("NumberFormat put").empty());
}

TEST_F(SavePipelineTest, TheWorkbookCountsFrom1904WhenTheSourceDid) {
    workbook->SetDate1904(true);
    Number(0, 0, 1);
    Save();
    const auto& calls = server->Calls();
    const auto date = std::find(calls.begin(), calls.end(), "Workbook.Date1904 put(true)");
    ASSERT_NE(date, calls.end());
    // Right after the new workbook's first sheet was got.
    EXPECT_EQ(*(date - 1), "Workbook.Worksheets get(i2:1)");
}

TEST_F(SavePipelineTest, The1900SystemIsLeftAsTheServerHasIt) {
    Number(0, 0, 1);
    Save();
    EXPECT_TRUE(PutsContaining("Date1904").empty());
}

// ---- Shared formulas ---------------------------------------------------------------------

// B1*2 relative to the cell: the shared tokens of the first cell.
Bytes SharedTokens(std::uint16_t firstRow, std::uint16_t lastRow, std::uint8_t firstColumn,
                   std::uint8_t lastColumn) {
    return testsupport::SharedFormulaBody(
        firstRow, lastRow, firstColumn, lastColumn,
        Tokens(TokenStream().Ref(0x2C, 0, testsupport::Col(1, true, true)).Int(2).Op(0x05)));
}

// The anchor of a shared range: the record the SHRFMLA followed.
void Anchor(CExcelWorkSheet& sheet, CExcelRecordFormula& first, const Bytes& shared) {
    first.SetSharedFormulaRecord(shared.data(), static_cast<std::uint32_t>(shared.size()));
    sheet.AddFormulaHost(first, first.GetRow(), first.GetColumn());
}

TEST_F(SavePipelineTest, EachCellOfASharedRangeGetsItsOwnFormulaAndNothingIsFilled) {
    // A1:A4 share B1*2; A3 holds a number instead of a member: it keeps it.
    Anchor(Sheet(), SharedCell(0, 0, 10, 0, 0), SharedTokens(0, 3, 0, 0));
    SharedCell(1, 0, 11, 0, 0);
    Number(2, 0, 99);
    SharedCell(3, 0, 13, 0, 0);
    Save();
    EXPECT_EQ(PutsContaining(".Formula put"),
              (std::vector<std::string>{"Range[R1C1].Formula put('=B1*2')",
                                        "Range[R2C1].Formula put('=B2*2')",
                                        "Range[R4C1].Formula put('=B4*2')"}));
    EXPECT_TRUE(PutsContaining("AutoFill").empty());
    // Each cell's own cached result was written before its formula.
    EXPECT_LT(IndexOf("Range[R4C1].Value put(r8:13)"), IndexOf("Range[R4C1].Formula put('=B4*2')"));
}

TEST_F(SavePipelineTest, AnArrayFormulaCoversItsRangeOnlyWhenEveryCellBelongsToIt) {
    const Bytes array = testsupport::ArrayBody(0, 1, 0, 0, Tokens(TokenStream().Int(3)));
    const Bytes exp = Tokens(TokenStream().Byte(0x01).U16(0).U16(0));
    // A1:A2, both cells present: one array formula over the range.
    CExcelRecordFormula& whole = Formula(0, 0, testsupport::NumberResult(3), exp);
    whole.SetArrayRecord(array.data(), static_cast<std::uint32_t>(array.size()));
    Sheet().AddFormulaHost(whole, 0, 0);
    Formula(1, 0, testsupport::NumberResult(3), exp);
    // C1:C2 with only C1: its cells keep their cached results.
    const Bytes cut = testsupport::ArrayBody(0, 1, 2, 2, Tokens(TokenStream().Int(4)));
    CExcelRecordFormula& part =
        Formula(0, 2, testsupport::NumberResult(4), Tokens(TokenStream().Byte(0x01).U16(0).U16(2)));
    part.SetArrayRecord(cut.data(), static_cast<std::uint32_t>(cut.size()));
    Sheet().AddFormulaHost(part, 0, 2);
    Save();
    EXPECT_EQ(PutsContaining("Formula"),
              std::vector<std::string>{"Range[R1C1:R2C1].FormulaArray put('=3')"});
    EXPECT_GE(IndexOf("Range[R1C3].Value put(r8:4)"), 0);
}

}  // namespace
