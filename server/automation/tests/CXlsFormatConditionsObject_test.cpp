// Range.FormatConditions through Invoke: conditions of both types with
// their font, fill and lines, what reads back Null, the refusals, Delete;
// then the CONDFMT and CF records the writer puts after MERGEDCELLS, read
// back byte by byte by our structure reader.
#include "server/automation/CXlsFormatConditionsObject.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "server/automation/tests/support/DispatchClient.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlsStructureReader.h"

using namespace servertest;

namespace {

ObjectRef ConditionsOf(IDispatch* sheet, const char16_t* range) {
    return GetObject(GetObject(sheet, u"Range", {CVariant::Text(range)}).Get(),
                     u"FormatConditions");
}

CallResult AddCondition(IDispatch* sheet, const char16_t* range, std::int32_t type, std::int32_t op,
                        const std::u16string& formula1, const std::u16string& formula2 = u"") {
    NamedArgs named = {{u"Type", CVariant::Long(type)},
                       {u"Operator", CVariant::Long(op)},
                       {u"Formula1", CVariant::Text(formula1)}};
    if (!formula2.empty()) named.push_back({u"Formula2", CVariant::Text(formula2)});
    return Call(ConditionsOf(sheet, range).Get(), u"Add", DISPATCH_METHOD, {}, named);
}

void PutAll(IDispatch* object, std::initializer_list<std::pair<const char16_t*, CVariant>> puts) {
    for (const auto& [member, value] : puts) ASSERT_EQ(Put(object, member, value).status, S_OK);
}

Bytes FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Le(Bytes& b, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) b.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The font block with only the weight and the colour set.
Bytes BoldColorFont(std::uint32_t color) {
    Bytes f(64, 0);
    Le(f, 0xFFFFFFFF, 4);  // height unset
    Le(f, 0, 4);           // style
    Le(f, 700, 2);         // bold
    Le(f, 0, 2);           // escapement
    Le(f, 0, 4);           // underline and padding
    Le(f, color, 4);
    Le(f, 0, 4);
    Le(f, 0x9A, 4);  // italic, strike-out not included
    Le(f, 1, 4);     // escapement not included
    Le(f, 1, 4);     // underline not included
    Le(f, 0, 4);     // weight included
    Le(f, 1, 4);
    Le(f, 0, 4);
    Le(f, 0x7FFFFFFF, 4);
    Le(f, 1, 2);
    return f;
}

}  // namespace

TEST(XlsServerFormatConditions, ConditionsGoIntoCondfmtAndCfRecords) {
    TempFolder folder;
    const auto path = folder / "conditions.xls";
    {
        ServerFixture server = StartWithWorkbook();
        IDispatch* sheet = server.sheet.Get();
        CallResult first = AddCondition(sheet, u"B2:B5", 1, 1, u"1", u"=10");
        ASSERT_EQ(first.status, S_OK);
        ObjectRef between = first.Object();
        PutAll(GetObject(between.Get(), u"Font").Get(),
               {{u"Bold", CVariant::Bool(true)}, {u"ColorIndex", CVariant::Long(3)}});
        PutAll(GetObject(between.Get(), u"Interior").Get(), {{u"ColorIndex", CVariant::Long(6)}});
        EXPECT_EQ(Get(GetObject(between.Get(), u"Font").Get(), u"Italic").value.Type(), VT_NULL)
            << "a part the condition leaves to the cell";

        CallResult second = AddCondition(sheet, u"B2:B5", 2, 0, u"=B2>A1");
        ASSERT_EQ(second.status, S_OK);
        ObjectRef expression = second.Object();
        PutAll(GetObject(expression.Get(), u"Borders", {CVariant::Long(-4160)}).Get(),
               {{u"LineStyle", CVariant::Long(2)}, {u"ColorIndex", CVariant::Long(5)}});
        ObjectRef links = ConditionsOf(sheet, u"B2:B5");
        EXPECT_EQ(Get(links.Get(), u"Count").value.GetLong(), 2);
        EXPECT_EQ(Get(GetObject(links.Get(), u"Item", {CVariant::Long(2)}).Get(), u"Type")
                      .value.GetLong(),
                  2);

        ASSERT_EQ(AddCondition(sheet, u"D1", 1, 5, u"=5").status, S_OK);
        ASSERT_EQ(Call(ConditionsOf(sheet, u"D1").Get(), u"Delete", DISPATCH_METHOD).status, S_OK);
        EXPECT_EQ(Get(ConditionsOf(sheet, u"D1").Get(), u"Count").value.GetLong(), 0);

        EXPECT_EQ(AddCondition(sheet, u"E1", 3, 1, u"=1").status, DISP_E_EXCEPTION) << "type 3";
        EXPECT_EQ(AddCondition(sheet, u"E1", 1, 2, u"=1").status, DISP_E_PARAMNOTOPTIONAL)
            << "not between without Formula2";
        EXPECT_EQ(AddCondition(sheet, u"E1", 2, 0, u"=Sheet1!A1").status, DISP_E_EXCEPTION)
            << "a reference through a sheet name";
        EXPECT_EQ(Get(expression.Get(), u"Borders", {CVariant::Long(1)}).status, DISP_E_BADINDEX);
        EXPECT_EQ(Put(GetObject(expression.Get(), u"Font").Get(), u"ColorIndex", CVariant::Long(0))
                      .status,
                  DISP_E_EXCEPTION);
        ASSERT_EQ(Call(server.workbook.Get(), u"SaveAs", DISPATCH_METHOD,
                       {CVariant::Text(path.u16string())})
                      .status,
                  S_OK);
    }

    const CompoundFile file = ReadCompound(FileBytes(path));
    ASSERT_TRUE(file.problems.empty());
    std::vector<Record> records;
    for (const Record& record : ReadRecords(file.workbook, 0, false)) {
        if (record.type == 0x01B0 || record.type == 0x01B1) records.push_back(record);
    }
    ASSERT_EQ(records.size(), 3u) << "one CONDFMT and its two CF records; D1's was deleted";
    Bytes condfmt;
    for (std::uint16_t v : {2, 1, 1, 4, 1, 1, 1, 1, 4, 1, 1}) Le(condfmt, v, 2);
    EXPECT_EQ(records[0].body, condfmt);

    // Cell value between 1 and 10: font and pattern blocks, the fill colour
    // alone included (palette 6 is file colour 13), as the spreadsheet
    // stores a coloured condition.
    Bytes between = {1, 1, 3, 0, 3, 0};
    Le(between, 0xA43BFFFF, 4);
    Le(between, 0x8002, 2);
    const Bytes font = BoldColorFont(10);
    between.insert(between.end(), font.begin(), font.end());
    Le(between, 0, 2);
    Le(between, 64 | (13 << 7), 2);
    for (std::uint8_t b : {0x1E, 1, 0, 0x1E, 10, 0}) between.push_back(b);
    EXPECT_EQ(records[1].body, between);

    // Expression: the top line included (medium, palette 5 = file 12), and
    // B2>A1 from B2 as ptgRefN offsets.
    Bytes expression = {2, 0, 11, 0, 0, 0};
    Le(expression, 0x903FEFFF, 4);
    Le(expression, 0x8002, 2);
    Le(expression, 2u << 8 | 64u << 16 | 64u << 23, 4);
    Le(expression, 12 | (64 << 7), 4);
    for (std::uint8_t b : {0x4C, 0, 0, 0, 0xC0, 0x4C, 0xFF, 0xFF, 0xFF, 0xC0, 0x0D})
        expression.push_back(b);
    EXPECT_EQ(records[2].body, expression);
}
