// The repair of one file, run on the calling thread: which file the scan
// reads (the extracted copy or the damaged file), what becomes of the
// temporary copy, and the failures, above all the repairs that recover
// nothing.
#include "repair/RepairFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "compound/EErrorCode.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "platform/ScopedMessageCapture.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordMERGEDCELLS.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "repair/CExtractionDoubt.h"
#include "repair/CRepairTrace.h"
#include "repair/CRepairVerdict.h"
#include "repair/tests/support/ForeignFiles.h"
#include "repair/tests/support/RepairFixtures.h"
#include "tools/samples/SampleWorkbook.h"

using namespace repairtest;
using testsupport::ScopedTempDir;
namespace fs = std::filesystem;

namespace {

class RepairFileTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRunState(); }
    void TearDown() override { ResetRunState(); }

    // Writes bytes as the source file, in the temporary folder the repair
    // also uses, and points a fresh model at it.
    std::unique_ptr<CExcelData> Source(const Bytes& bytes) {
        const fs::path path = m_temp.Path() / "damaged.xls";
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        auto data = std::make_unique<CExcelData>();
        data->SetSourcePath(path);
        return data;
    }

    // The temporary copies of a "Workbook" stream left in the folder.
    std::vector<std::string> TemporaryCopies() const {
        std::vector<std::string> copies;
        for (const std::string& name : m_temp.Entries())
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0)
                copies.push_back(name);
        return copies;
    }

    ScopedTempDir m_temp;
};

const CExcelWorkSheet* OnlySheet(const CExcelData& data) {
    if (data.GetWorkbooks().GetCount() != 1) return nullptr;
    const CExcelWorkSheetList& sheets = data.GetWorkbooks().GetHead()->GetWorksheets();
    return sheets.GetCount() == 1 ? sheets.GetHead() : nullptr;
}

// The rows of column A whose NUMBER cell holds the value NumberWorkbook put
// there, counted.
std::uint32_t CellsWithTheirValues(const CExcelWorkSheet& sheet) {
    std::uint32_t matching = 0;
    for (const CExcelRecordNUMBER& cell : sheet.GetNumbers())
        if (cell.GetColumn() == 0 && cell.GetValue() == CellValue(cell.GetRow())) ++matching;
    return matching;
}

}  // namespace

// ---- Which file the scan reads

TEST_F(RepairFileTest, ABareBiffStreamIsScannedDirectly) {
    auto data = Source(NumberWorkbook(60));
    CRepairTrace trace;
    ASSERT_TRUE(RepairFile(data.get(), &trace));
    // Not a compound file: nothing is copied, the file itself is the stream.
    EXPECT_NE(trace.m_parseError, 0u);
    EXPECT_EQ(trace.m_copyResult, -1);
    EXPECT_FALSE(trace.m_scannedExtractedCopy);
    EXPECT_EQ(trace.m_scanPath, data->GetSourcePath());
    EXPECT_TRUE(data->GetExtractedPath().empty());
    const CExcelWorkSheet* sheet = OnlySheet(*data);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->GetName(), u"Data");
    EXPECT_EQ(CellsWithTheirValues(*sheet), 60u);
    EXPECT_TRUE(TemporaryCopies().empty());
}

TEST_F(RepairFileTest, AnIntactCompoundFileIsScannedFromItsCopyWhichGoesWithTheModel) {
    auto data = Source(InCompoundFile(NumberWorkbook(60)));
    CRepairTrace trace;
    ASSERT_TRUE(RepairFile(data.get(), &trace));
    EXPECT_EQ(trace.m_parseError, 0u);
    EXPECT_EQ(trace.m_copyResult, 0);
    EXPECT_TRUE(trace.m_scannedExtractedCopy);
    const fs::path copy = data->GetExtractedPath();
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(trace.m_scanPath, copy);
    // In the temporary folder, under a lower-case name ending ".tmp".
    EXPECT_EQ(copy.parent_path(), m_temp.Path());
    EXPECT_EQ(TemporaryCopies(), std::vector<std::string>{copy.filename().string()});
    const std::string name = copy.filename().string();
    EXPECT_TRUE(
        std::none_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; }));
    // The copy holds the stream's bytes.
    EXPECT_EQ(testsupport::ReadFileBytes(copy), NumberWorkbook(60));
    const CExcelWorkSheet* sheet = OnlySheet(*data);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(CellsWithTheirValues(*sheet), 60u);

    data.reset();
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_TRUE(TemporaryCopies().empty());
}

TEST_F(RepairFileTest, AWorkbookStreamWithASectorPastTheEndIsRebuiltFromItsSectors) {
    Bytes file = InCompoundFile(NumberWorkbook(60));
    // The stream ends the file: cutting its last sector (zero padding only)
    // leaves its chain naming a sector past the end.
    testsupport::Truncate(file, file.size() - kSector);
    auto data = Source(file);
    CRepairTrace trace;
    ASSERT_TRUE(RepairFile(data.get(), &trace));
    EXPECT_EQ(trace.m_copyResult, static_cast<int>(ErrStreamSector));
    EXPECT_NE(trace.m_parseError & ErrStreamSector, 0u);
    // The partial copy is not used: the stream rebuilt from the sectors
    // is, and it is the one copy left behind until the data goes.
    EXPECT_EQ(trace.m_copyDoubt, EExtractionDoubt::Reassembled);
    EXPECT_TRUE(trace.m_scannedExtractedCopy);
    EXPECT_EQ(TemporaryCopies().size(), 1u);
    // The sheet is placed on the BOF found in the stream, and every cell
    // comes back.
    const CExcelWorkSheet* sheet = OnlySheet(*data);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(CellsWithTheirValues(*sheet), 60u);
}

TEST_F(RepairFileTest, ACompoundFileWithDamagedTablesIsRebuiltWithoutTryingACopy) {
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", NumberWorkbook(60));
    builder.InsertFatSectorPastEnd(0);
    auto data = Source(builder.Build());
    CRepairTrace trace;
    ASSERT_TRUE(RepairFile(data.get(), &trace));
    EXPECT_NE(trace.m_parseError & ErrFatSector, 0u);
    EXPECT_EQ(trace.m_copyResult, -1);
    EXPECT_EQ(trace.m_structureFlags, static_cast<unsigned long>(StructAll));
    // The stream is rebuilt from the sectors and checked against the raw
    // scan, which finds no more.
    EXPECT_EQ(trace.m_copyDoubt, EExtractionDoubt::Reassembled);
    EXPECT_TRUE(trace.m_rawCrossChecked);
    EXPECT_TRUE(trace.m_scannedExtractedCopy);
    EXPECT_EQ(TemporaryCopies().size(), 1u);
    const CExcelWorkSheet* sheet = OnlySheet(*data);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(CellsWithTheirValues(*sheet), 60u);
}

TEST_F(RepairFileTest, ADoubtedCopyIsCheckedAgainstTheRawScanAndTheBetterRecoveryKept) {
    // Damage the copy cannot see past: the chain breaks (the stream rebuilt
    // from the sectors has to win), or the directory entry lies (the copy
    // holds the whole chain).
    using Damage = std::function<void(Bytes&, const CompoundFileBuilder::Layout&)>;
    // Sector k of the chain continues to sector `next` of the file, or to
    // the chain's own sector number `to`.
    const auto fat = [](std::uint32_t k, std::int32_t next, int to = -1) -> Damage {
        return [=](Bytes& file, const CompoundFileBuilder::Layout& layout) {
            const std::vector<std::int32_t>& s = layout.Find(u"Workbook")->sectors;
            testsupport::SetU32(file, layout.FatEntryOffset(s[k]),
                                static_cast<std::uint32_t>(to >= 0 ? s[to] : next));
        };
    };
    const auto entry = [](std::uint32_t field, bool start, std::uint32_t value) -> Damage {
        return [=](Bytes& file, const CompoundFileBuilder::Layout& layout) {
            const CompoundFileBuilder::StreamPlacement& wb = *layout.Find(u"Workbook");
            testsupport::SetU32(file, layout.DirectoryEntryOffset(wb.directoryId) + field,
                                start ? static_cast<std::uint32_t>(wb.sectors[value]) : value);
        };
    };
    struct Case {
        const char* what;
        Damage damage;
        EExtractionDoubt doubt;
        bool keptCopy;
        // A second copy of the workbook in a stream of its own, which a raw
        // scan of the file finds too.
        bool bookCopy = false;
    };
    const Case cases[] = {
        {"chain loops back to its first sector", fat(2, 0, 0), EExtractionDoubt::ChainBroken,
         false},
        {"chain runs into sector 0, the FAT's", fat(3, 0), EExtractionDoubt::ChainBroken, false},
        {"size 0", entry(0x78, false, 0), EExtractionDoubt::SizeDisagrees, true},
        {"size halved", entry(0x78, false, 3000), EExtractionDoubt::SizeDisagrees, true},
        {"size 0, a copy of the workbook in a Book stream", entry(0x78, false, 0),
         EExtractionDoubt::SizeDisagrees, true, true},
        {"start on the stream's second sector", entry(0x74, true, 1),
         EExtractionDoubt::SizeDisagrees, false},
        {"sound", nullptr, EExtractionDoubt::None, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetRunState();
        CompoundFileBuilder builder;
        builder.AddStream(u"Workbook", NumberWorkbook(300));
        if (c.bookCopy) builder.AddStream(u"Book", NumberWorkbook(300));
        Bytes file = builder.Build();
        if (c.damage) c.damage(file, builder.GetLayout());
        auto data = Source(file);
        CRepairTrace trace;
        ASSERT_TRUE(RepairFile(data.get(), &trace));
        EXPECT_EQ(trace.m_copyDoubt, c.doubt);
        EXPECT_EQ(trace.m_rawCrossChecked, c.doubt != EExtractionDoubt::None);
        // A copy that loses gives way to the stream rebuilt from the
        // sectors, which wins its tie with the raw scan: one copy stays.
        EXPECT_TRUE(trace.m_scannedExtractedCopy);
        EXPECT_EQ(trace.m_reassembledFrom.empty(), c.keptCopy);
        EXPECT_EQ(TemporaryCopies().size(), 1u);
        const CExcelWorkSheet* sheet = OnlySheet(*data);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(CellsWithTheirValues(*sheet), 300u);
        // The counters show the kept model's cells once, not both scans'.
        EXPECT_EQ(RepairCounters[CounterNumericCells].load(), 300u);
    }
}

// The mini stream's chain leads astray without breaking: the copy's sheet
// is another stream's empty one. A copy without a cell is checked too.
TEST_F(RepairFileTest, ACopyWhoseSheetsHoldNoCellIsCheckedAgainstTheFile) {
    // Globals past the first 512 bytes, so that the sheet lies in the mini
    // stream's second sector.
    BiffWriter globals;
    for (int xf = 0; xf < 40; ++xf) globals.Record(0x00E0, Bytes(20, 0));
    BiffWriter empty;
    empty.Bof(0x0010).Eof();
    Bytes other = empty.GetBytes();
    other.resize(8 * kSector, 0);
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", NumberWorkbook(60, globals));
    builder.AddStream(u"Other", other);
    Bytes file = builder.Build();
    const CompoundFileBuilder::Layout& layout = builder.GetLayout();
    ASSERT_TRUE(layout.Find(u"Workbook")->inMiniStream);
    testsupport::SetU32(file, layout.FatEntryOffset(layout.miniStreamSectors[0]),
                        static_cast<std::uint32_t>(layout.Find(u"Other")->sectors[0]));
    auto data = Source(file);
    CRepairTrace trace;
    ASSERT_TRUE(RepairFile(data.get(), &trace));
    EXPECT_EQ(trace.m_copyDoubt, EExtractionDoubt::NothingRecovered);
    EXPECT_TRUE(trace.m_rawCrossChecked);
    const CExcelWorkSheet* sheet = OnlySheet(*data);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(CellsWithTheirValues(*sheet), 60u);
}

TEST_F(RepairFileTest, TheDamagedSampleWorkbookComesBackWithItsCells) {
    auto data = Source(BuildDamagedSampleFile());
    ScopedMessageCapture messages;
    ASSERT_TRUE(RepairFile(data.get()));
    EXPECT_EQ(messages.Count(), 0u);
    ASSERT_EQ(data->GetWorkbooks().GetCount(), 1u);
    const CExcelWorkBook& workbook = *data->GetWorkbooks().GetHead();
    const CExcelWorkSheetList& sheets = workbook.GetWorksheets();
    ASSERT_EQ(sheets.GetCount(), 2u);
    const CExcelWorkSheet& sales = *sheets.GetAt(0);
    const CExcelWorkSheet& notes = *sheets.GetAt(1);
    EXPECT_EQ(sales.GetName(), u"Sales");
    EXPECT_EQ(notes.GetName(), u"Notes");

    EXPECT_EQ(sales.GetLabelSSTs().GetCount(), 8u);
    EXPECT_EQ(sales.GetNumbers().GetCount(), 4u);
    EXPECT_EQ(sales.GetRKValues().GetCount(), 4u);
    EXPECT_EQ(sales.GetFormulas().GetCount(), 4u);
    EXPECT_EQ(sales.GetLabelSSTs().GetAt(4)->GetText(workbook), u"North");
    EXPECT_EQ(sales.GetNumbers().GetHead()->GetValue(), 1250.5);
    EXPECT_EQ(sales.GetRKValues().GetTail()->GetValue(), 905.0);

    EXPECT_EQ(notes.GetLabelSSTs().GetCount(), 5u);
    EXPECT_EQ(notes.GetLabelSSTs().GetAt(1)->GetText(workbook),
              u"Recovered by Mendwell: caf\u00e9, na\u00efve, \u00fcber");
    EXPECT_EQ(notes.GetBoolErrs().GetCount(), 2u);
    EXPECT_EQ(notes.GetNumbers().GetCount(), 1u);
    EXPECT_EQ(notes.GetMergedCells().GetCount(), 1u);
}

// ---- Failures

TEST_F(RepairFileTest, AnEmptySourcePathFailsWithItsMessage) {
    ScopedMessageCapture messages;
    CExcelData data;
    EXPECT_FALSE(RepairFile(&data));
    EXPECT_EQ(messages.Texts(), std::vector<std::u16string>{u"Invalid source file path"});
    EXPECT_FALSE(RepairFile(nullptr));
    EXPECT_EQ(messages.Count(), 1u);
}

TEST_F(RepairFileTest, AFileThatCannotBeOpenedFailsWithTheScansMessageOnly) {
    ScopedMessageCapture messages;
    CExcelData data;
    data.SetSourcePath(m_temp.Path() / "missing.xls");
    EXPECT_FALSE(RepairFile(&data));
    EXPECT_EQ(messages.Texts(),
              std::vector<std::u16string>{u"error code 0x01 : Failed to open source file"});
}

TEST_F(RepairFileTest, AStopRequestedBeforehandEndsItBeforeAnyStep) {
    auto data = Source(InCompoundFile(NumberWorkbook(10)));
    StopRequested.store(1);
    EXPECT_FALSE(RepairFile(data.get()));
    EXPECT_EQ(data->GetBOFList().GetCount(), 0u);
    EXPECT_TRUE(data->GetExtractedPath().empty());
    EXPECT_TRUE(TemporaryCopies().empty());
}

struct NothingRecoveredCase {
    const char* label;
    Bytes (*make)();
    ESourceKind kind;
};

class NothingRecovered : public RepairFileTest,
                         public ::testing::WithParamInterface<NothingRecoveredCase> {};

TEST_P(NothingRecovered, FailsAndSaysWhatTheFileIs) {
    const NothingRecoveredCase& c = GetParam();
    auto data = Source(c.make());
    ScopedMessageCapture messages;
    CRepairTrace trace;
    EXPECT_FALSE(RepairFile(data.get(), &trace));
    EXPECT_TRUE(trace.m_nothingRecovered);
    EXPECT_EQ(trace.m_failureKind, c.kind) << CSourceFileKind::Name(trace.m_failureKind);
    ASSERT_EQ(messages.Count(), 1u);
    EXPECT_EQ(messages.Texts()[0], CSourceFileKind::Message(c.kind));
    data.reset();
    EXPECT_TRUE(TemporaryCopies().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NothingRecovered,
    ::testing::Values(
        NothingRecoveredCase{"xlsx", XlsxPackage, ESourceKind::OfficeOpenXml},
        NothingRecoveredCase{"zip",
                             [] {
                                 return ZipArchive({"readme.txt", "data.bin"});
                             },
                             ESourceKind::ZipPackage},
        NothingRecoveredCase{"html", HtmlPage, ESourceKind::Html},
        NothingRecoveredCase{"xml", XmlSpreadsheet, ESourceKind::Xml},
        NothingRecoveredCase{"csv", CsvText, ESourceKind::PlainText},
        NothingRecoveredCase{"biff5", Biff5Workbook, ESourceKind::OlderWorkbook},
        NothingRecoveredCase{"word", WordDocument, ESourceKind::OtherCompound},
        NothingRecoveredCase{"empty", [] { return Bytes(); }, ESourceKind::Empty},
        NothingRecoveredCase{"zeros", [] { return Bytes(9000, 0); }, ESourceKind::ZeroFilled},
        NothingRecoveredCase{"noise", [] { return Noise(20000); }, ESourceKind::NoWorkbookRecords},
        // Sheets, but not a single cell in them.
        NothingRecoveredCase{"no-sheets", GlobalsOnlyWorkbook, ESourceKind::NoSheets},
        NothingRecoveredCase{"no-sheets-compound",
                             [] { return InCompoundFile(GlobalsOnlyWorkbook()); },
                             ESourceKind::NoSheets},
        // A BOUNDSHEET naming a sheet whose BOF is nowhere (its sectors
        // zeroed): a name is not a recovered sheet.
        NothingRecoveredCase{
            "sheet-without-bof",
            [] {
                BiffWriter globals;
                globals.Record(0x0042, BiffWriter::U16(1200)).BoundSheet(2 * kSector, u"Sheet1");
                BiffWriter stream;
                stream.Substream(0x0005, globals);
                Bytes bytes = stream.GetBytes();
                bytes.resize(2 * kSector, 0);
                return InCompoundFile(bytes);
            },
            ESourceKind::NoSheets}),
    [](const ::testing::TestParamInfo<NothingRecoveredCase>& info) {
        std::string name = info.param.label;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST_F(RepairFileTest, AWorkbookWhoseSheetsAreEmptyIsStillRecovered) {
    // Empty sheets are a workbook's content too (a template, a form): they
    // come back, and nothing is said.
    auto data = Source(InCompoundFile(NumberWorkbook(0)));
    ScopedMessageCapture messages;
    EXPECT_TRUE(RepairFile(data.get()));
    EXPECT_EQ(messages.Count(), 0u);
    const CExcelWorkSheet* sheet = OnlySheet(*data);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->GetName(), u"Data");
    EXPECT_EQ(CRepairVerdict::CountCellRecords(*data), 0u);
}

TEST_F(RepairFileTest, AnEncryptedWorkbookFailsEvenThoughItsRecordsFrame) {
    // RC4 FILEPASS: the records after it keep clear headers but carry
    // ciphertext bodies, so their cells would decode as garbage.
    BiffWriter globals;
    globals.Record(kFilePass, Bytes(54, 0x5A));
    auto data = Source(InCompoundFile(NumberWorkbook(40, globals)));
    ScopedMessageCapture messages;
    CRepairTrace trace;
    EXPECT_FALSE(RepairFile(data.get(), &trace));
    EXPECT_EQ(trace.m_failureKind, ESourceKind::Encrypted);
    EXPECT_EQ(messages.Texts(), std::vector<std::u16string>{std::u16string(
                                    CSourceFileKind::Message(ESourceKind::Encrypted))});
    // Nothing of the ciphertext was decoded into cells.
    EXPECT_EQ(CRepairVerdict::CountCellRecords(*data), 0u);
}
