// A model whose cell XFs show one number format but differ in their parent
// style or in the groups their used bits mark as their own, saved through
// our own server and read back by xlrd: each stays an XF of its own, with
// its parent style and its bits, and cells of one source XF share one XF.
#include <gtest/gtest.h>

#include <map>

#include "biff/tests/support/BiffWriter.h"
#include "formula/tests/support/TokenStream.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkSheet.h"
#include "platform/PauseGate.h"
#include "platform/RunState.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordSTYLE.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "save/CSaveProcessManagerExcel.h"
#include "server/automation/CXlsApplicationServer.h"
#include "server/tests/support/XlrdReadBack.h"

using testsupport::BiffWriter;
using testsupport::Bytes;

namespace {

void AddXf(CExcelWorkBook& workbook, std::uint16_t protection, std::uint16_t format,
           std::uint8_t used) {
    Bytes xf(20, 0);
    testsupport::SetU16(xf, 2, format);
    testsupport::SetU16(xf, 4, protection);
    xf[6] = 0x20;  // bottom-aligned
    xf[9] = used;
    workbook.GetXFs().Add(new CExcelRecordWBXF(xf.data(), 20));
}

void AddStyle(CExcelWorkBook& workbook, const Bytes& body) {
    workbook.GetStyles().Add(
        new CExcelRecordSTYLE(body.data(), static_cast<std::uint32_t>(body.size())));
}

// Row (0-based) and source XF of each cell, and what xlrd should read: the
// parent style's name and the number format and font used bits.
struct Case {
    std::uint16_t row;
    std::uint16_t xf;
    std::string parent;
    std::string formatUsed;
    std::string fontUsed;
};

// XF 0 Normal, XF 1 the style "Figures" (format 2 only); cell XFs 2-4 show
// format 2: in Figures with the number format its style's (as the
// spreadsheet writes 0x78) or its own (0x7C), and in Normal.
constexpr Case kCases[] = {
    {0, 2, "Figures", "0", "1"},
    {1, 3, "Figures", "1", "1"},
    {2, 4, "Normal", "1", "1"},
    {3, 2, "Figures", "0", "1"},
};

}  // namespace

TEST(SaveNamedStylesRoundTrip, XfsOfOneFormatKeepTheirParentStyleAndUsedBits) {
    MENDWELL_REQUIRE_XLRD();
    CXlsApplicationServer::Register();
    while (SaveWorkerGate.IsSuspended()) SaveWorkerGate.Resume();
    SaveStopRequested.store(0);
    StopRequested.store(0);
    testsupport::ScopedTempDir temp;

    CExcelData data;
    auto* workbook = new CExcelWorkBook();
    data.GetWorkbooks().Add(workbook);
    testsupport::AddSheet(*workbook, u"Data");
    Bytes font = {200, 0, 0, 0, 0xFF, 0x7F, 0x90, 1, 0, 0, 0, 0, 0, 0, 5, 0};
    for (const char c : std::string("Arial")) font.push_back(static_cast<std::uint8_t>(c));
    workbook->GetFonts().Add(
        new CExcelRecordWBFONT(font.data(), static_cast<std::uint32_t>(font.size())));
    AddXf(*workbook, 0xFFF5, 0, 0x00);
    AddXf(*workbook, 0xFFF5, 2, 0xF8);
    AddXf(*workbook, 0x0011, 2, 0x78);
    AddXf(*workbook, 0x0011, 2, 0x7C);
    AddXf(*workbook, 0x0001, 2, 0x7C);
    AddStyle(*workbook, {0x00, 0x80, 0x00, 0xFF});
    Bytes figures = {0x01, 0x00};
    const Bytes name = BiffWriter::UnicodeString(u"Figures", false);
    figures.insert(figures.end(), name.begin(), name.end());
    AddStyle(*workbook, figures);
    CExcelWorkSheet& sheet = *workbook->GetWorksheets().GetHead();
    for (const Case& c : kCases)
        sheet.GetNumbers().Add(new CExcelRecordNUMBER(c.row, 0, c.xf, c.row + 0.5));

    const std::filesystem::path destination = temp.Path() / "styles.xls";
    data.SetDestinationPath(destination);
    CSaveProcessManagerExcel manager;
    ASSERT_EQ(manager.Save(&data), 0);

    const servertest::XlrdDump d = servertest::RunXlrd(destination);
    ASSERT_TRUE(d.Ran()) << d.Output();
    std::map<std::string, std::string> styleOfXf;
    for (const auto& style : d.All("style")) styleOfXf[style[3]] = style[1];
    std::map<std::uint16_t, std::string> xfOfSource;
    std::map<std::string, std::uint16_t> sourceOfXf;
    for (const Case& c : kCases) {
        const std::string row = std::to_string(c.row);
        SCOPED_TRACE("row " + row);
        const auto xf = d.Find({"xf", "0", row, "0"});
        ASSERT_EQ(xf.size(), 2u);
        EXPECT_EQ(styleOfXf[xf[1]], "\"" + c.parent + "\"");
        EXPECT_EQ(d.Find({"format", "0", row, "0"}), (servertest::DumpLine{"\"0.00\""}));
        const auto used = d.Find({"used", "0", row, "0"});
        ASSERT_EQ(used.size(), 4u);
        EXPECT_EQ(used[0], c.formatUsed);
        EXPECT_EQ(used[1], c.fontUsed);
        // One saved XF per source XF, and the other way round.
        EXPECT_EQ(xfOfSource.emplace(c.xf, xf[0]).first->second, xf[0]);
        EXPECT_EQ(sourceOfXf.emplace(xf[0], c.xf).first->second, c.xf);
    }
}
