// Range.Validation through Invoke: Add with each kind of rule, the
// properties, the refusals; then the DVAL and DV records the writer puts
// after the hyperlinks, read back byte by byte by our structure reader.
#include "server/automation/CXlsValidationObject.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "server/automation/tests/support/DispatchClient.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlsStructureReader.h"

using namespace servertest;

namespace {

struct Rule {
    const char16_t* range;
    std::int32_t type, alertStyle, op;
    std::u16string formula1, formula2;
};

CallResult AddRule(IDispatch* sheet, const Rule& rule) {
    ObjectRef range = GetObject(sheet, u"Range", {CVariant::Text(rule.range)});
    ObjectRef validation = GetObject(range.Get(), u"Validation");
    NamedArgs named = {{u"Type", CVariant::Long(rule.type)},
                       {u"AlertStyle", CVariant::Long(rule.alertStyle)},
                       {u"Operator", CVariant::Long(rule.op)}};
    if (!rule.formula1.empty()) named.push_back({u"Formula1", CVariant::Text(rule.formula1)});
    if (!rule.formula2.empty()) named.push_back({u"Formula2", CVariant::Text(rule.formula2)});
    return Call(validation.Get(), u"Add", DISPATCH_METHOD, {}, named);
}

ObjectRef ValidationOf(IDispatch* sheet, const char16_t* range) {
    return GetObject(GetObject(sheet, u"Range", {CVariant::Text(range)}).Get(), u"Validation");
}

Bytes FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An empty DV text: one zero character.
const Bytes kNoText = {1, 0, 0, 0};

Bytes Dv(std::uint32_t flags, const Bytes& texts, const Bytes& formula1, const Bytes& formula2,
         std::uint16_t firstRow, std::uint16_t lastRow, std::uint16_t firstColumn,
         std::uint16_t lastColumn) {
    Bytes b;
    const auto u16 = [&](std::uint16_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    u16(static_cast<std::uint16_t>(flags));
    u16(static_cast<std::uint16_t>(flags >> 16));
    b.insert(b.end(), texts.begin(), texts.end());
    for (const Bytes* formula : {&formula1, &formula2}) {
        u16(static_cast<std::uint16_t>(formula->size()));
        u16(0);
        b.insert(b.end(), formula->begin(), formula->end());
    }
    for (std::uint16_t v : {std::uint16_t{1}, firstRow, lastRow, firstColumn, lastColumn}) u16(v);
    return b;
}

}  // namespace

TEST(XlsServerValidation, RulesGoIntoDvRecordsInTheirRelativeForm) {
    TempFolder folder;
    const auto path = folder / "rules.xls";
    {
        ServerFixture server = StartWithWorkbook();
        IDispatch* sheet = server.sheet.Get();
        const Rule rules[] = {
            {u"B2:B5", 1, 2, 1, u"1", u"=10"},        // whole number between, warning
            {u"C1", 3, 1, 1, u"a,b,\u00e9", u""},     // literal list
            {u"D1:D3", 3, 1, 1, u"=$F$1:$F$4", u""},  // list from cells
            {u"E5", 7, 3, 1, u"=E5>A1", u""},         // custom, relative references
            {u"F10", 4, 1, 5, u"=39448", u""},        // date greater than
        };
        for (const Rule& rule : rules) ASSERT_EQ(AddRule(sheet, rule).status, S_OK);
        ObjectRef first = ValidationOf(sheet, u"B3");
        ASSERT_EQ(Put(first.Get(), u"InputTitle", CVariant::Text(u"T")).status, S_OK);
        ASSERT_EQ(Put(first.Get(), u"ErrorMessage", CVariant::Text(u"Too big")).status, S_OK);
        ASSERT_EQ(Put(first.Get(), u"ShowInput", CVariant::Bool(false)).status, S_OK);
        ASSERT_EQ(Put(first.Get(), u"IgnoreBlank", CVariant::Bool(false)).status, S_OK);
        EXPECT_EQ(Get(first.Get(), u"InCellDropdown").value.GetBoolWord(), VARIANT_TRUE);

        struct Refusal {
            const char* why;
            Rule rule;
            HRESULT status = DISP_E_EXCEPTION;
        };
        const Refusal refusals[] = {
            {"over a cell with a rule", {u"A3:B3", 0, 1, 1, u"", u""}},
            {"between without Formula2", {u"G1", 1, 1, 1, u"1", u""}, DISP_E_PARAMNOTOPTIONAL},
            {"a reference through a sheet name", {u"G2", 7, 1, 1, u"=Sheet1!A1>0", u""}},
            {"a formula the compiler refuses", {u"G3", 7, 1, 1, u"=NOSUCH(1)", u""}},
            {"type 9", {u"G4", 9, 1, 1, u"1", u""}},
            {"a list over 255 characters", {u"G5", 3, 1, 1, std::u16string(256, u'x'), u""}},
        };
        for (const Refusal& refusal : refusals) {
            EXPECT_EQ(AddRule(sheet, refusal.rule).status, refusal.status) << refusal.why;
        }
        EXPECT_EQ(Put(ValidationOf(sheet, u"H1").Get(), u"InputTitle", CVariant::Text(u"x")).status,
                  DISP_E_EXCEPTION)
            << "no rule there";
        EXPECT_EQ(
            Put(first.Get(), u"InputMessage", CVariant::Text(std::u16string(256, u'm'))).status,
            DISP_E_EXCEPTION);
        ASSERT_EQ(Call(server.workbook.Get(), u"SaveAs", DISPATCH_METHOD,
                       {CVariant::Text(path.u16string())})
                      .status,
                  S_OK);
    }

    const CompoundFile file = ReadCompound(FileBytes(path));
    ASSERT_TRUE(file.problems.empty());
    std::vector<Record> dvs;
    bool dval = false;
    for (const Record& record : ReadRecords(file.workbook, 0, false)) {
        if (record.type == 0x01B2) {
            dval = true;
            EXPECT_EQ(record.body,
                      (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 5, 0, 0, 0}));
        }
        if (record.type == 0x01BE) dvs.push_back(record);
    }
    ASSERT_TRUE(dval);
    ASSERT_EQ(dvs.size(), 5u);
    // Whole number, warning (1 << 4), blanks not allowed, prompt hidden,
    // error shown (1 << 19), between.
    const Bytes texts = {1, 0, 0, 'T', 1,   0,   0,   0,   1,   0,   0,
                         0, 7, 0, 0,   'T', 'o', 'o', ' ', 'b', 'i', 'g'};
    EXPECT_EQ(dvs[0].body, Dv(0x00080011, texts, {0x1E, 1, 0}, {0x1E, 10, 0}, 1, 4, 1, 1));
    const Bytes none = Bytes{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    // List given as items: bit 7, blanks allowed, prompt and error shown.
    EXPECT_EQ(dvs[1].body,
              Dv(0x000C0183, none, {0x17, 5, 0, 'a', 0, 'b', 0, 0xE9}, {}, 0, 0, 2, 2));
    // A "$" area stays a ptgArea, in the reference class.
    EXPECT_EQ(dvs[2].body, Dv(0x000C0103, none, {0x25, 0, 0, 3, 0, 5, 0, 5, 0}, {}, 0, 2, 3, 3));
    // E5 relative to itself and A1 four rows and columns up, as ptgRefN.
    EXPECT_EQ(dvs[3].body,
              Dv(0x000C0127, none, {0x4C, 0, 0, 0, 0xC0, 0x4C, 0xFC, 0xFF, 0xFC, 0xC0, 0x0D}, {}, 4,
                 4, 4, 4));
    // Date, greater than (4 << 20).
    EXPECT_EQ(dvs[4].body, Dv(0x004C0104, none, {0x1E, 0x18, 0x9A}, {}, 9, 9, 5, 5));
}
