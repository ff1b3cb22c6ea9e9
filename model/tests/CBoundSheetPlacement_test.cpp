// Sheets of an extracted stream whose BOUNDSHEET records are damaged: the
// scan places each sheet on the worksheet BOFs it found, and the parser then
// gives every sheet its own cells and no other sheet's. Sound records keep
// their positions.
#include "model/CBoundSheetPlacement.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelData.h"
#include "model/CExcelProcessData.h"
#include "model/CExcelScanFile.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "model/CExcelWorkSheetParser.h"
#include "platform/RunState.h"
#include "records/CExcelRecordNUMBER.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::ScopedTempDir;

namespace {

constexpr std::uint16_t kGlobals = 0x0005;
constexpr std::uint16_t kWorksheet = 0x0010;
constexpr std::uint16_t kChart = 0x0020;
constexpr std::uint16_t kMacroSheet = 0x0040;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kIndex = 0x020B;
constexpr std::uint16_t kRows = 40;

// A sheet of `rows` NUMBER cells in column A, each holding `value`.
BiffWriter Cells(double value, std::uint16_t rows) {
    BiffWriter w;
    for (std::uint16_t row = 0; row < rows; ++row) {
        Bytes body = testsupport::Concat(BiffWriter::U16(row), BiffWriter::U16(0));
        body = testsupport::Concat(body, BiffWriter::U16(15));
        Bytes number(8);
        std::memcpy(number.data(), &value, sizeof value);
        w.Record(kNumber, testsupport::Concat(body, number));
    }
    return w;
}

// A workbook stream built record by record: the globals with one BOUNDSHEET
// per sheet, then the substreams. Each BOUNDSHEET's position field is set
// to its substream's BOF unless the test says otherwise.
struct Sheet {
    std::u16string name;
    std::uint8_t sheetType = 0;
    std::uint16_t substream = kWorksheet;  // 0: no substream of its own
    double value = 0;
    std::uint16_t rows = kRows;
    bool index = false;  // the substream opens with INDEX, as written files' do
};

struct Stream {
    Bytes bytes;
    std::vector<std::size_t> positionFields;  // offset of each position field
    std::vector<std::size_t> typeFields;
    std::vector<std::uint32_t> bofs;  // each sheet's BOF (0 when none)

    explicit Stream(const std::vector<Sheet>& sheets, const Bytes& tail = Bytes(600, 0)) {
        BiffWriter globals;
        globals.Bof(kGlobals);
        for (const Sheet& sheet : sheets) {
            positionFields.push_back(globals.Size() + 4);
            typeFields.push_back(globals.Size() + 4 + 5);
            globals.BoundSheet(0, sheet.name, sheet.sheetType);
        }
        globals.Eof();
        bytes = globals.GetBytes();
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            if (sheets[i].substream == 0) {
                bofs.push_back(0);
                continue;
            }
            bofs.push_back(static_cast<std::uint32_t>(bytes.size()));
            testsupport::SetU32(bytes, positionFields[i], bofs.back());
            BiffWriter body;
            if (sheets[i].index) body.Record(kIndex, Bytes(16, 0));
            body.Raw(Cells(sheets[i].value, sheets[i].rows).GetBytes());
            BiffWriter substream;
            substream.Substream(sheets[i].substream, body);
            bytes = testsupport::Concat(bytes, substream.GetBytes());
        }
        bytes = testsupport::Concat(bytes, tail);  // keeps every BOF out of the unsearched tail
    }
    void SetPosition(std::size_t sheet, std::uint32_t position) {
        testsupport::SetU32(bytes, positionFields[sheet], position);
    }
    void SetType(std::size_t sheet, std::uint8_t type) {
        testsupport::SetU8(bytes, typeFields[sheet], type);
    }
};

// The scan of an extracted stream as the repair runs it, then the parser.
class Repaired {
public:
    explicit Repaired(const Bytes& bytes) {
        m_path = m_dir.Path() / "extracted.tmp";
        EXPECT_TRUE(testsupport::WriteFileBytes(m_path, bytes));
        m_data.SetSourcePath(m_dir.Path() / "source.xls");
        m_data.SetExtractedPath(m_path);
        ResetRepairCounters();
        CExcelScanFile scan(m_data.GetScanPath());
        EXPECT_TRUE(scan.ScanForSubstreams(&m_data));
        CExcelProcessData::CreateWorkbooks(&m_data);
        scan.BuildWorkbooks(&m_data);
        CExcelWorkSheetParser parser;
        parser.SetStreamFileName(m_path);
        parser.SetData(&m_data);
        EXPECT_TRUE(parser.Run());
    }

    const CExcelWorkSheetList& Sheets() const {
        return m_data.GetWorkbooks().GetHead()->GetWorksheets();
    }
    std::vector<std::u16string> Names() const {
        std::vector<std::u16string> names;
        for (const CExcelWorkSheet& sheet : Sheets()) names.push_back(sheet.GetName());
        return names;
    }
    // Each sheet's cells as "<count>x<value>", or "mixed" when they differ.
    std::vector<std::string> Cells() const {
        std::vector<std::string> out;
        for (const CExcelWorkSheet& sheet : Sheets()) {
            const CExcelRecordNUMBER* first = sheet.GetNumbers().GetHead();
            bool same = true;
            for (const CExcelRecordNUMBER& cell : sheet.GetNumbers())
                same = same && cell.GetValue() == first->GetValue();
            out.push_back(!first ? "none"
                          : same ? std::to_string(sheet.GetNumbers().GetCount()) + "x" +
                                       std::to_string(static_cast<int>(first->GetValue()))
                                 : "mixed");
        }
        return out;
    }

private:
    ScopedTempDir m_dir;
    std::filesystem::path m_path;
    CExcelData m_data;
};

using Names = std::vector<std::u16string>;
using CellSets = std::vector<std::string>;

const std::vector<Sheet> kTwoSheets = {{u"A", 0, kWorksheet, 1}, {u"B", 0, kWorksheet, 2}};
const std::string kAll = std::to_string(kRows);

}  // namespace

// ---- sound records

TEST(BoundSheetPlacement, SoundRecordsKeepTheirPositionsAndTheirCells) {
    const Stream stream(kTwoSheets);
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Names(), (Names{u"A", u"B"}));
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x2"}));
    EXPECT_EQ(repaired.Sheets().GetAt(1)->GetStart(), stream.bofs[1]);
    EXPECT_EQ(repaired.Sheets().GetAt(1)->GetEnd(), 0u);  // kept, not moved onto the BOF entry
}

// ---- damaged positions

TEST(BoundSheetPlacement, APositionInsideARecordMovesOntoTheUnclaimedBof) {
    Stream stream(kTwoSheets);
    stream.SetPosition(1, stream.bofs[1] + 6);  // inside the BOF's body
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Names(), (Names{u"A", u"B"}));
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x2"}));
    EXPECT_EQ(repaired.Sheets().GetAt(1)->GetStart(), stream.bofs[1]);
    EXPECT_NE(repaired.Sheets().GetAt(1)->GetEnd(), 0u);
}

TEST(BoundSheetPlacement, APositionPastTheFileMovesOntoTheUnclaimedBof) {
    Stream stream(kTwoSheets);
    stream.SetPosition(0, 0xFFFFFF00u);
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Names(), (Names{u"A", u"B"}));
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x2"}));
}

TEST(BoundSheetPlacement, TwoRecordsOnOneBofTakeTheBofsInTheirOrder) {
    for (std::size_t damaged : {0u, 1u}) {
        Stream stream(kTwoSheets);
        stream.SetPosition(damaged, stream.bofs[1 - damaged]);
        const Repaired repaired(stream.bytes);
        EXPECT_EQ(repaired.Names(), (Names{u"A", u"B"})) << "damaged " << damaged;
        EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x2"})) << "damaged " << damaged;
    }
}

TEST(BoundSheetPlacement, APositionOnTheGlobalsBofIsDamage) {
    Stream stream(kTwoSheets);
    stream.SetPosition(1, 0);
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x2"}));
}

TEST(BoundSheetPlacement, ADamagedPositionWithNoBofLeftGetsAnEmptyStretch) {
    // "Lost" has no substream; its position points into the globals. Its
    // name keeps its place, and the sheet before it still reads up to B.
    Stream stream({{u"A", 0, kWorksheet, 1}, {u"Lost", 0, 0, 0}, {u"B", 0, kWorksheet, 2}});
    stream.SetPosition(1, 20);
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Names(), (Names{u"A", u"Lost", u"B"}));
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", "none", kAll + "x2"}));
}

TEST(BoundSheetPlacement, TheLastSheetWithNoBofLeftReadsNothing) {
    Stream stream({{u"A", 0, kWorksheet, 1}, {u"B", 0, kWorksheet, 2}, {u"Lost", 0, 0, 0}});
    stream.SetPosition(2, 0x00ABCDEFu);
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x2", "none"}));
}

// ---- damaged sheet types

TEST(BoundSheetPlacement, AnUnknownSheetTypeOnAWorksheetBofIsAWorksheet) {
    Stream stream(kTwoSheets);
    stream.SetType(0, 0x77);
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Names(), (Names{u"A", u"B"}));
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x2"}));
}

TEST(BoundSheetPlacement, AChartOrModuleTypeOnAWorksheetBofIsAWorksheetToo) {
    // A sound chart or module record never points at a worksheet BOF.
    for (std::uint8_t type : {std::uint8_t{2}, std::uint8_t{6}}) {
        Stream stream(kTwoSheets);
        stream.SetType(1, type);
        const Repaired repaired(stream.bytes);
        EXPECT_EQ(repaired.Names(), (Names{u"A", u"B"})) << int{type};
        EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x2"})) << int{type};
    }
}

TEST(BoundSheetPlacement, AnUnknownTypeAndAPositionOnNoBofMakeNoSheet) {
    Stream stream(kTwoSheets);
    stream.SetType(1, 0x77);
    stream.SetPosition(1, 20);
    const Repaired repaired(stream.bytes);
    // B's substream is still found, as a sheet of its own.
    EXPECT_EQ(repaired.Names(), (Names{u"A", u"unknown1"}));
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x2"}));
}

// ---- other kinds of sheet

TEST(BoundSheetPlacement, ChartAndMacroSheetBofsKeepTheirKinds) {
    // The chart's records are its series cache, never cells; the macro
    // sheet's BOF is not listed by the search, yet its record keeps its
    // position.
    const Stream stream({{u"A", 0, kWorksheet, 1},
                         {u"Chart", 2, kChart, 7},
                         {u"Macro", 1, kMacroSheet, 3},
                         {u"B", 0, kWorksheet, 2}});
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Names(), (Names{u"A", u"Macro", u"B"}));
    EXPECT_EQ(repaired.Sheets().GetAt(1)->GetStart(), stream.bofs[2]);
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", kAll + "x3", kAll + "x2"}));
}

TEST(BoundSheetPlacement, AnUnknownTypeOnAChartBofMakesNoSheet) {
    Stream stream({{u"A", 0, kWorksheet, 1}, {u"Chart", 2, kChart, 7}});
    stream.SetType(1, 0x77);
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Names(), (Names{u"A"}));
}

TEST(BoundSheetPlacement, AWorksheetBofInTheUnsearchedTailKeepsItsSheet) {
    // B's substream ends the file: the search never looks at its BOF, but
    // the record that points at it is believed.
    const Stream stream({{u"A", 0, kWorksheet, 1}, {u"B", 0, kWorksheet, 2, 5}}, Bytes());
    ASSERT_GT(stream.bofs[1] + 513, stream.bytes.size());
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Names(), (Names{u"A", u"B"}));
    EXPECT_EQ(repaired.Cells(), (CellSets{kAll + "x1", "5x2"}));
}

// ---- worksheet BOFs that no record claims

TEST(BoundSheetPlacement, OnlyUnclaimedBofsBecomeExtraSheets) {
    // Three substreams, records for the first and the third only (the
    // middle one's record is gone): the extra sheet is the middle BOF, not
    // a second copy of the third.
    Stream stream({{u"A", 0, kWorksheet, 1}, {u"M", 0, kWorksheet, 5}, {u"C", 0, kWorksheet, 3}});
    // Turn M's record into an unknown record type.
    testsupport::SetU16(stream.bytes, stream.positionFields[1] - 4, 0x00EC);
    const Repaired repaired(stream.bytes);
    EXPECT_EQ(repaired.Names(), (Names{u"A", u"C", u"unknown1"}));
    EXPECT_EQ(repaired.Sheets().GetAt(2)->GetStart(), stream.bofs[1]);
    EXPECT_EQ(repaired.Sheets().GetAt(2)->GetEnd(), stream.bofs[2]);
}

// ---- damaged BOF records

TEST(BoundSheetPlacement, ASheetWhoseBofIsDamagedKeepsItsCells) {
    const Sheet a{u"A", 0, kWorksheet, 1, kRows, true};
    const Sheet b{u"B", 0, kWorksheet, 2, kRows, true};
    const Sheet c{u"C", 0, kWorksheet, 3, 5, true};
    const auto zeroBof = [](Stream& s, std::size_t i) {
        for (std::size_t k = 0; k < 20; ++k) testsupport::SetU8(s.bytes, s.bofs[i] + k, 0);
    };
    const auto setType = [](std::uint16_t type) {
        return [type](Stream& s) { testsupport::SetU16(s.bytes, s.bofs[0] + 6, type); };
    };
    const auto zeroPositions = [](Stream& s) {
        for (std::size_t i = 0; i < s.positionFields.size(); ++i) s.SetPosition(i, 0);
    };
    struct Case {
        const char* what;
        std::vector<Sheet> sheets;
        std::function<void(Stream&)> damage;
        Names names;
        CellSets cells;
        Bytes tail = Bytes(600, 0);
    };
    const CellSets own = {kAll + "x1", kAll + "x2"};
    const std::vector<Case> cases = {
        {"zeroed BOF", {a, b}, [&](Stream& s) { zeroBof(s, 0); }, {u"A", u"B"}, own},
        {"BOF id replaced",
         {a, b},
         [](Stream& s) { testsupport::SetU16(s.bytes, s.bofs[0], 0x0409); },
         {u"A", u"B"},
         own},
        {"BOF gone",
         {a, b},
         [](Stream& s) {
             s.bytes.erase(s.bytes.begin() + s.bofs[0], s.bytes.begin() + s.bofs[0] + 20);
             s.SetPosition(1, s.bofs[1] - 20);
         },
         {u"A", u"B"},
         own},
        {"type globals", {a, b}, setType(kGlobals), {u"A", u"B"}, own},
        {"type chart", {a, b}, setType(kChart), {u"A", u"B"}, own},
        {"type macro sheet", {a, b}, setType(kMacroSheet), {u"A", u"B"}, own},
        {"middle BOF zeroed",
         {a, b, c},
         [&](Stream& s) { zeroBof(s, 1); },
         {u"A", u"B", u"C"},
         {kAll + "x1", kAll + "x2", "5x3"}},
        {"all positions zero",
         {a, b, c},
         zeroPositions,
         {u"A", u"B", u"C"},
         {kAll + "x1", kAll + "x2", "5x3"}},
        {"all positions zero, last BOF in the unsearched tail",
         {a, b, c},
         zeroPositions,
         {u"A", u"B", u"C"},
         {kAll + "x1", kAll + "x2", "5x3"},
         Bytes()},
        {"zeroed BOF and all positions zero",
         {a, b},
         [&](Stream& s) {
             zeroBof(s, 0);
             zeroPositions(s);
         },
         {u"A", u"B"},
         own},
        {"one position random",
         {a, b, c},
         [](Stream& s) { s.SetPosition(1, 0x5EED1234u); },
         {u"A", u"B", u"C"},
         {kAll + "x1", kAll + "x2", "5x3"}},
        // Records list their sheets in the order of the substreams.
        {"two positions swapped",
         {a, b, c},
         [](Stream& s) {
             s.SetPosition(0, s.bofs[1]);
             s.SetPosition(1, s.bofs[0]);
         },
         {u"A", u"B", u"C"},
         {kAll + "x1", kAll + "x2", "5x3"}},
        // Cells whose owner cannot be told go to a sheet of their own.
        {"zeroed BOF whose BOUNDSHEET is gone",
         {a, b},
         [&](Stream& s) {
             zeroBof(s, 0);
             testsupport::SetU16(s.bytes, s.positionFields[0] - 4, 0x00EC);
         },
         {u"B", u"unknown0"},
         {kAll + "x2", kAll + "x1"}},
    };
    for (const Case& test : cases) {
        Stream stream(test.sheets, test.tail);
        test.damage(stream);
        const Repaired repaired(stream.bytes);
        EXPECT_EQ(repaired.Names(), test.names) << test.what;
        EXPECT_EQ(repaired.Cells(), test.cells) << test.what;
    }
}
