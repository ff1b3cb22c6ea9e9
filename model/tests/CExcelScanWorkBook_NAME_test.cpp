// The globals scan and the records that describe the workbook as a whole:
// defined names (NAME) in file order with their formulas joined across
// CONTINUE, the 1904 date system (DATEMODE) and encryption (FILEPASS).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelScanWorkBook.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordNAME.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;
using testsupport::ScopedTempDir;

namespace {

constexpr std::uint16_t kGlobals = 0x0005;
constexpr std::uint16_t kNAME = 0x0018;
constexpr std::uint16_t kDATEMODE = 0x0022;
constexpr std::uint16_t kFILEPASS = 0x002F;

struct Globals {
    ScopedTempDir dir;
    CExcelWorkBook workbook;

    explicit Globals(const BiffWriter& writer) {
        const auto path = dir.Path() / "globals";
        EXPECT_TRUE(writer.WriteTo(path));
        CExcelScanWorkBook scan(path);
        EXPECT_TRUE(
            scan.ScanGlobals(0, static_cast<std::uint32_t>(writer.Size()), nullptr, &workbook));
    }
    std::vector<const CExcelRecordNAME*> Names() const {
        std::vector<const CExcelRecordNAME*> names;
        for (const CExcelRecordNAME& name : workbook.GetNames()) names.push_back(&name);
        return names;
    }
};

// A NAME body: option flags, 8-bit name, sheet index, formula.
Bytes NameBody(std::uint16_t options, const std::u16string& name, std::uint16_t sheet,
               const Bytes& rgce) {
    Bytes body = BiffWriter::U16(options);
    body.push_back(0);
    body.push_back(static_cast<std::uint8_t>(name.size()));
    body = Concat(body, BiffWriter::U16(static_cast<std::uint16_t>(rgce.size())));
    body = Concat(body, BiffWriter::U16(0));
    body = Concat(body, BiffWriter::U16(sheet));
    body = Concat(body, Bytes{0, 0, 0, 0, 0x00});
    for (char16_t c : name) body.push_back(static_cast<std::uint8_t>(c));
    return Concat(body, rgce);
}

Bytes Formula(const CExcelRecordNAME& name) {
    const CByteBuffer& data = name.GetFormulaData();
    return data.DataLength() ? Bytes(data.Data(), data.Data() + data.DataLength()) : Bytes{};
}

// ptgRef3d to sheet reference 0, $A$1.
const Bytes kRef = {0x3A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

// A formula of n bytes: ptgInt tokens (3 bytes each) added together, padded
// with ptgParen tokens; every byte differs from its neighbours often enough
// that a lost or shifted byte shows.
Bytes LongFormula(std::size_t n) {
    Bytes rgce;
    for (std::uint16_t i = 0; rgce.size() + 3 <= n; ++i) {
        rgce.push_back(0x1E);
        rgce.push_back(static_cast<std::uint8_t>(i));
        rgce.push_back(static_cast<std::uint8_t>(i >> 8));
    }
    while (rgce.size() < n) rgce.push_back(0x15);
    return rgce;
}

}  // namespace

TEST(ScanGlobalsNAME, NamesReachTheListInFileOrder) {
    BiffWriter w;
    w.Bof(kGlobals)
        .Record(kNAME, NameBody(0x0000, u"Rates", 0, kRef))
        .Record(kNAME, NameBody(0x0020, std::u16string(1, u'\x06'), 1, kRef))
        .Record(kNAME, NameBody(0x0021, std::u16string(1, u'\x0D'), 2, kRef))
        .BoundSheet(0, u"Sheet1")
        .Eof();
    Globals g(w);
    const auto names = g.Names();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0]->GetDisplayName(), u"Rates");
    EXPECT_EQ(names[0]->GetSheetIndex(), 0);
    EXPECT_EQ(names[1]->GetDisplayName(), u"Print_Area");
    EXPECT_EQ(names[1]->GetSheetIndex(), 1);
    EXPECT_EQ(names[2]->GetDisplayName(), u"_FilterDatabase");
    EXPECT_TRUE(names[2]->IsHidden());
    for (const CExcelRecordNAME* name : names) EXPECT_EQ(Formula(*name), kRef);
    EXPECT_EQ(g.workbook.GetWorksheets().GetCount(), 1u);
}

TEST(ScanGlobalsNAME, DamagedNameKeepsItsPlaceForTheNamesAfterIt) {
    BiffWriter w;
    w.Bof(kGlobals)
        .Record(kNAME, NameBody(0, u"One", 0, kRef))
        .Record(kNAME, {})
        .Record(kNAME, NameBody(0, u"Three", 0, kRef))
        .Eof();
    Globals g(w);
    const auto names = g.Names();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[1]->GetDisplayName(), u"");
    EXPECT_EQ(names[2]->GetDisplayName(), u"Three");
}

TEST(ScanGlobalsNAME, FormulaCrossingContinueRecordsArrivesWhole) {
    const Bytes rgce = LongFormula(9000);
    const Bytes body = NameBody(0, u"Big", 0, rgce);
    BiffWriter w;
    // Cut as a writer does at the 8224-byte limit, and once more inside a
    // token.
    w.Bof(kGlobals)
        .RecordWithContinues(kNAME, body, {{8224, std::nullopt}, {8224 + 301, std::nullopt}})
        .Record(kNAME, NameBody(0, u"After", 0, kRef))
        .Eof();
    Globals g(w);
    const auto names = g.Names();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0]->GetDisplayName(), u"Big");
    EXPECT_EQ(names[0]->GetDeclaredFormulaLength(), 9000);
    EXPECT_EQ(Formula(*names[0]), rgce);
    EXPECT_EQ(names[1]->GetDisplayName(), u"After");
}

TEST(ScanGlobalsNAME, FormulaCutByTheEndOfTheFileKeepsWhatIsThere) {
    BiffWriter w;
    w.Bof(kGlobals).Record(kNAME, NameBody(0, u"Cut", 0, kRef));
    Bytes& bytes = w.Mutable();
    bytes.resize(bytes.size() - 3);
    Globals g(w);
    const auto names = g.Names();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0]->GetDisplayName(), u"Cut");
    EXPECT_EQ(Formula(*names[0]), Bytes(kRef.begin(), kRef.end() - 3));
}

TEST(ScanGlobalsDATEMODE, SetsThe1904DateSystemOnlyWhenItSaysSo) {
    {
        BiffWriter w;
        w.Bof(kGlobals).Record(kDATEMODE, {1, 0}).Eof();
        EXPECT_TRUE(Globals(w).workbook.IsDate1904());
    }
    {
        BiffWriter w;
        w.Bof(kGlobals).Record(kDATEMODE, {0, 0}).Eof();
        EXPECT_FALSE(Globals(w).workbook.IsDate1904());
    }
    {
        BiffWriter w;
        w.Bof(kGlobals).BoundSheet(0, u"S").Eof();
        EXPECT_FALSE(Globals(w).workbook.IsDate1904());
    }
    {
        // After the globals' EOF the record belongs to no workbook.
        BiffWriter w;
        w.Bof(kGlobals).Eof().Record(kDATEMODE, {1, 0});
        EXPECT_FALSE(Globals(w).workbook.IsDate1904());
    }
}

TEST(ScanGlobalsFILEPASS, MarksTheWorkbookEncrypted) {
    {
        BiffWriter w;
        w.Bof(kGlobals)
            .Record(kFILEPASS, Concat({0x01, 0x00, 0x01, 0x00, 0x01, 0x00}, Bytes(48, 0x5A)))
            .BoundSheet(0, u"S")
            .Eof();
        EXPECT_TRUE(Globals(w).workbook.IsEncrypted());
    }
    {
        BiffWriter w;
        w.Bof(kGlobals).BoundSheet(0, u"S").Eof();
        EXPECT_FALSE(Globals(w).workbook.IsEncrypted());
    }
}
