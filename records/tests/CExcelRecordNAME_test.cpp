// NAME records: the name text, built-in names, the sheet index and the formula
// bytes, damaged lengths, and the reader that keeps every record in file order
// with the formula rejoined across CONTINUE boundaries. Also the DATEMODE and
// FILEPASS readers, which set workbook flags.
#include "records/CExcelRecordNAME.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biff/CExcelContinueRecordOffset.h"
#include "biff/CExcelRawRecordData.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelGlobalRecordReaders.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;
using testsupport::ScopedTempDir;

namespace {

constexpr std::uint16_t kNameType = 0x0018;
constexpr std::uint16_t kBuiltIn = 0x0020;

// A NAME payload with the fixed part, the name (8-bit or 16-bit) and rgce.
// nameLength and formulaLength override the declared lengths (damage).
struct NameSpec {
    std::uint16_t options = 0;
    std::u16string name;
    bool wide = false;
    Bytes rgce;
    std::uint16_t sheet = 0;
    int nameLength = -1;
    int formulaLength = -1;
};

Bytes NamePayload(const NameSpec& spec) {
    const auto cch =
        static_cast<std::uint8_t>(spec.nameLength >= 0 ? spec.nameLength : spec.name.size());
    const auto cce =
        static_cast<std::uint16_t>(spec.formulaLength >= 0 ? spec.formulaLength : spec.rgce.size());
    Bytes body = BiffWriter::U16(spec.options);
    body.push_back(0);  // keyboard shortcut
    body.push_back(cch);
    body = Concat(body, BiffWriter::U16(cce));
    body = Concat(body, BiffWriter::U16(0));  // reserved
    body = Concat(body, BiffWriter::U16(spec.sheet));
    body = Concat(body, Bytes{0, 0, 0, 0});  // menu, description, help, status lengths
    body.push_back(spec.wide ? 0x01 : 0x00);
    for (char16_t c : spec.name) {
        body.push_back(static_cast<std::uint8_t>(c & 0xFF));
        if (spec.wide) body.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return Concat(body, spec.rgce);
}

CExcelRecordNAME Name(const Bytes& payload) {
    return CExcelRecordNAME(payload.empty() ? nullptr : payload.data(),
                            static_cast<std::uint32_t>(payload.size()));
}

Bytes FormulaBytes(const CExcelRecordNAME& name) {
    const CByteBuffer& data = name.GetFormulaData();
    return data.DataLength() ? Bytes(data.Data(), data.Data() + data.DataLength()) : Bytes{};
}

// ptgArea3d: sheet reference 0, rows 0-9, columns 0-1.
const Bytes kAreaRgce = {0x3B, 0x00, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0xC0, 0x01, 0xC0};

}  // namespace

// ---- decoding one record

TEST(CExcelRecordNAME, UserNameKeepsItsTextSheetAndFormula) {
    NameSpec spec;
    spec.name = u"Rates";
    spec.rgce = kAreaRgce;
    spec.sheet = 2;
    const CExcelRecordNAME name = Name(NamePayload(spec));
    EXPECT_FALSE(name.IsBuiltIn());
    EXPECT_EQ(name.GetNameText(), u"Rates");
    EXPECT_EQ(name.GetDisplayName(), u"Rates");
    EXPECT_EQ(name.GetBuiltInCode(), -1);
    EXPECT_EQ(name.GetSheetIndex(), 2);
    EXPECT_EQ(FormulaBytes(name), kAreaRgce);
    EXPECT_EQ(name.GetDeclaredFormulaLength(), kAreaRgce.size());
}

TEST(CExcelRecordNAME, OptionBitsTellHiddenFunctionAndCommandNamesApart) {
    // 0x000B: an "_xlfn." name, hidden, a function, a procedure.
    for (const std::uint8_t options : {0x00, 0x0B, 0x04}) {
        // Options, shortcut, one character, no formula, sheet 0, texts, 'M'.
        const Bytes payload = {options, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'M'};
        const CExcelRecordNAME name = Name(payload);
        EXPECT_EQ(name.IsHidden(), options == 0x0B);
        EXPECT_EQ(name.IsFunction(), options == 0x0B);
        EXPECT_EQ(name.IsCommand(), options == 0x04);
    }
}

TEST(CExcelRecordNAME, SixteenBitNameMovesTheFormulaStart) {
    NameSpec spec;
    spec.name = u"Z\u00E4hler\u4E2D";
    spec.wide = true;
    spec.rgce = {0x1E, 0x07, 0x00};  // ptgInt 7
    const CExcelRecordNAME name = Name(NamePayload(spec));
    EXPECT_EQ(name.GetNameText(), u"Z\u00E4hler\u4E2D");
    EXPECT_EQ(FormulaBytes(name), spec.rgce);
}

TEST(CExcelRecordNAME, BuiltInNamesShowTheirFixedText) {
    const std::vector<std::pair<char16_t, std::u16string>> codes = {
        {0x00, u"Consolidate_Area"}, {0x01, u"Auto_Open"},       {0x02, u"Auto_Close"},
        {0x03, u"Extract"},          {0x04, u"Database"},        {0x05, u"Criteria"},
        {0x06, u"Print_Area"},       {0x07, u"Print_Titles"},    {0x08, u"Recorder"},
        {0x09, u"Data_Form"},        {0x0A, u"Auto_Activate"},   {0x0B, u"Auto_Deactivate"},
        {0x0C, u"Sheet_Title"},      {0x0D, u"_FilterDatabase"},
    };
    for (const auto& [code, text] : codes) {
        NameSpec spec;
        spec.options = kBuiltIn;
        spec.name = std::u16string(1, code);
        spec.sheet = 1;
        spec.rgce = kAreaRgce;
        const CExcelRecordNAME name = Name(NamePayload(spec));
        EXPECT_TRUE(name.IsBuiltIn());
        EXPECT_EQ(name.GetBuiltInCode(), code);
        EXPECT_EQ(name.GetNameText(), std::u16string(1, code));
        EXPECT_EQ(name.GetDisplayName(), text);
        EXPECT_EQ(FormulaBytes(name), kAreaRgce);
    }
}

TEST(CExcelRecordNAME, BuiltInNameWithAnUnknownCodeOrNoCharacterShowsNothing) {
    NameSpec spec;
    spec.options = kBuiltIn;
    spec.name = std::u16string(1, u'\x0E');
    EXPECT_EQ(Name(NamePayload(spec)).GetDisplayName(), u"");
    spec.name = u"";
    const CExcelRecordNAME empty = Name(NamePayload(spec));
    EXPECT_EQ(empty.GetBuiltInCode(), -1);
    EXPECT_EQ(empty.GetDisplayName(), u"");
}

// ---- damaged lengths

TEST(CExcelRecordNAME, NameLongerThanTheRecordKeepsTheCharactersPresent) {
    NameSpec spec;
    spec.name = u"Budget";
    spec.nameLength = 200;
    spec.rgce = {};
    const CExcelRecordNAME name = Name(NamePayload(spec));
    EXPECT_EQ(name.GetNameText(), u"Budget");
    EXPECT_EQ(name.GetFormulaData().DataLength(), 0u);

    // A 16-bit name cut inside its last character keeps the whole ones.
    spec.wide = true;
    Bytes payload = NamePayload(spec);
    payload.pop_back();
    EXPECT_EQ(Name(payload).GetNameText(), u"Budge");
}

TEST(CExcelRecordNAME, FormulaLongerThanTheRecordKeepsTheBytesPresent) {
    NameSpec spec;
    spec.name = u"Cut";
    spec.rgce = kAreaRgce;
    spec.formulaLength = 300;
    const CExcelRecordNAME name = Name(NamePayload(spec));
    EXPECT_EQ(FormulaBytes(name), kAreaRgce);
    EXPECT_EQ(name.GetDeclaredFormulaLength(), 300);
}

TEST(CExcelRecordNAME, BytesAfterTheDeclaredFormulaAreItsExtraData) {
    // ptgArray (0x60, 7 bytes), then its constants in the extra data: one
    // column, one row, the number 1.
    const Bytes array = {0x60, 0, 0, 0, 0, 0, 0};
    const Bytes constants = {0x00, 0x00, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    NameSpec spec;
    spec.name = u"Short";
    spec.rgce = Concat(array, constants);
    spec.formulaLength = static_cast<int>(array.size());
    const CExcelRecordNAME name = Name(NamePayload(spec));
    EXPECT_EQ(FormulaBytes(name), array);
    const CByteBuffer& extra = name.GetFormulaExtraData();
    EXPECT_EQ(Bytes(extra.Data(), extra.Data() + extra.DataLength()), constants);

    spec.formulaLength = 300;
    EXPECT_EQ(Name(NamePayload(spec)).GetFormulaExtraData().DataLength(), 0u);
}

TEST(CExcelRecordNAME, PayloadShorterThanItsFixedPartGivesEmptyFields) {
    NameSpec spec;
    spec.options = kBuiltIn;
    spec.name = std::u16string(1, u'\x06');
    spec.sheet = 3;
    const Bytes whole = NamePayload(spec);
    for (std::size_t n : {0u, 1u, 9u, 14u}) {
        const CExcelRecordNAME name = Name(Bytes(whole.begin(), whole.begin() + n));
        EXPECT_EQ(name.GetNameText(), u"") << n;
        EXPECT_EQ(name.GetFormulaData().DataLength(), 0u) << n;
    }
    EXPECT_EQ(Name(Bytes(whole.begin(), whole.begin() + 10)).GetSheetIndex(), 3);
    EXPECT_EQ(Name(Bytes(whole.begin(), whole.begin() + 9)).GetSheetIndex(), 0);
}

// ---- the reader

namespace {

bool ReadName(const Bytes& raw, CExcelWorkBook& book,
              const CExcelContinueRecordOffsetList* continues = nullptr) {
    CExcelRawRecordData record(raw.data(), static_cast<std::uint32_t>(raw.size()));
    return CExcelGlobalRecordReaders::ReadNAME(record, book, continues);
}

}  // namespace

TEST(CExcelGlobalRecordReadersNAME, EveryRecordIsKeptInFileOrderDamagedOnesToo) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    NameSpec first;
    first.name = u"First";
    NameSpec third;
    third.name = u"Third";
    EXPECT_TRUE(ReadName(BiffWriter::RecordBytes(kNameType, NamePayload(first)), book));
    // Cut inside its fixed part: still the second name, so that ptgName 3
    // still means "Third".
    EXPECT_TRUE(ReadName(BiffWriter::RecordBytes(kNameType, {0x20, 0x00, 0x00}), book));
    EXPECT_TRUE(ReadName(BiffWriter::RecordBytes(kNameType, NamePayload(third)), book));
    ASSERT_EQ(book.GetNames().GetCount(), 3u);
    EXPECT_EQ(book.GetNames().GetHead()->GetNameText(), u"First");
    EXPECT_EQ(book.GetNames().GetHead()->GetNext()->GetNameText(), u"");
    EXPECT_EQ(book.GetNames().GetTail()->GetNameText(), u"Third");
}

TEST(CExcelGlobalRecordReadersNAME, ContinueFirstBytesGoBackIntoTheFormula) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    NameSpec spec;
    spec.name = u"Long";
    spec.rgce = kAreaRgce;
    const Bytes raw = BiffWriter::RecordBytes(kNameType, NamePayload(spec));
    // The join leaves out each CONTINUE's first byte and notes it with the
    // offset in the joined record where the CONTINUE's data begins.
    const std::uint32_t cutA = 4 + 15 + 4 + 3;  // inside the formula
    const std::uint32_t cutB = cutA + 4;
    Bytes joined(raw.begin(), raw.begin() + cutA);
    joined.insert(joined.end(), raw.begin() + cutA + 1, raw.begin() + cutB);
    joined.insert(joined.end(), raw.begin() + cutB + 1, raw.end());
    CExcelContinueRecordOffsetList continues;
    continues.Add(cutA, raw[cutA]);
    continues.Add(cutB - 1, raw[cutB]);

    EXPECT_TRUE(ReadName(joined, book, &continues));
    ASSERT_EQ(book.GetNames().GetCount(), 1u);
    EXPECT_EQ(FormulaBytes(*book.GetNames().GetHead()), kAreaRgce);
}

TEST(CExcelGlobalRecordReadersNAME, BoundariesOutOfOrderOrPastTheEndStayInsideTheRecord) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    NameSpec spec;
    spec.name = u"Odd";
    const Bytes raw = BiffWriter::RecordBytes(kNameType, NamePayload(spec));
    CExcelContinueRecordOffsetList continues;
    continues.Add(10, 0xEE);
    continues.Add(5, 0xEE);      // before the previous boundary
    continues.Add(60000, 0xEE);  // past the end
    EXPECT_TRUE(ReadName(raw, book, &continues));
    ASSERT_EQ(book.GetNames().GetCount(), 1u);
    EXPECT_EQ(book.GetNames().GetHead()->GetPayload().DataLength(), raw.size() - 4 + 3);
}

// ---- DATEMODE and FILEPASS

namespace {

bool ReadFlag(bool (*reader)(CExcelRawRecordData&, CExcelWorkbookGlobals&), const Bytes& raw,
              CExcelWorkBook& book) {
    CExcelRawRecordData record(raw.data(), static_cast<std::uint32_t>(raw.size()));
    return reader(record, book);
}

}  // namespace

TEST(CExcelGlobalRecordReadersDATEMODE, OneMeans1904AndTheLastRecordDecides) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    const auto read = CExcelGlobalRecordReaders::ReadDATEMODE;
    EXPECT_TRUE(ReadFlag(read, BiffWriter::RecordBytes(0x22, {1, 0}), book));
    EXPECT_TRUE(book.IsDate1904());
    EXPECT_TRUE(ReadFlag(read, BiffWriter::RecordBytes(0x22, {0, 0}), book));
    EXPECT_FALSE(book.IsDate1904());
    EXPECT_TRUE(ReadFlag(read, BiffWriter::RecordBytes(0x22, {1, 1}), book));
    EXPECT_FALSE(book.IsDate1904());
}

TEST(CExcelGlobalRecordReadersDATEMODE, PayloadWithoutItsValueLeavesTheFlag) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    book.SetDate1904(true);
    EXPECT_FALSE(ReadFlag(CExcelGlobalRecordReaders::ReadDATEMODE,
                          BiffWriter::RecordBytes(0x22, {0}), book));
    EXPECT_TRUE(book.IsDate1904());
}

TEST(CExcelGlobalRecordReadersFILEPASS, MarksTheWorkbookEncrypted) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    EXPECT_FALSE(book.IsEncrypted());
    EXPECT_TRUE(ReadFlag(CExcelGlobalRecordReaders::ReadFILEPASS,
                         BiffWriter::RecordBytes(0x2F, {1, 0, 1, 0, 1, 0}), book));
    EXPECT_TRUE(book.IsEncrypted());
}
