// Real formulas: every FORMULA record of the corpus workbooks is decoded
// without crashing, and at least 99% of formula cells decode soundly (a
// cell of a shared or array range through the record that holds the
// range's tokens). The cached results the records keep must match what a
// trusted reader found in the same cells. The damaged files from the wild
// must decode without crashing. When too few cells are sound, the unsound
// ones are printed by cause with their token bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "biff/tests/support/CorpusFiles.h"
#include "biff/tests/support/CorpusWorkbook.h"
#include "formula/CExcelFunctionTable.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/tests/support/FormulaTokenScan.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/TextConversion.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"

namespace {

namespace fs = std::filesystem;

constexpr double kRequiredSoundShare = 0.99;
// Unsound cells printed per cause.
constexpr std::size_t kExamplesPerCause = 6;

std::string CellName(std::uint32_t row, std::uint32_t column) {
    std::string name;
    if (column >= 26) name.push_back(static_cast<char>('A' + column / 26 - 1));
    name.push_back(static_cast<char>('A' + column % 26));
    return name + std::to_string(row + 1);
}

// A cell of a shared or array range other than its first: its own tokens
// are one ptgExp and nothing is attached to its record.
bool IsRangeMember(const CExcelRecordFormula& record) {
    const CByteBuffer& data = record.GetFormulaData();
    return record.GetSharedFormulaRecord() == nullptr && record.GetArrayRecord() == nullptr &&
           data.ReadU16(0) == 5 && data.ReadU8(2) == 0x01;
}

// The record whose attached SHRFMLA or ARRAY tokens a range member's
// ptgExp points at (the range's first cell), or null.
const CExcelRecordFormula* RangeHead(const CExcelWorkSheet& sheet,
                                     const CExcelRecordFormula& member) {
    const CByteBuffer& data = member.GetFormulaData();
    const std::uint16_t row = data.ReadU16(3);
    const std::uint16_t column = data.ReadU16(5);
    for (const CExcelRecordFormula& record : sheet.GetFormulas()) {
        if (record.GetRow() == row && record.GetColumn() == column &&
            (record.GetSharedFormulaRecord() || record.GetArrayRecord()))
            return &record;
    }
    return nullptr;
}

// What a 3-D reference's EXTERNSHEET index leads to: "this workbook" when
// it names sheets of this workbook, else what stands in the way.
std::string ExternKind(const CExcelWorkBook& workbook, std::uint16_t index) {
    std::uint32_t at = 0;
    const CExcelRecordGWBEXTERNSHEET_REFData* entry = nullptr;
    for (const CExcelRecordGWBEXTERNSHEET& table : workbook.GetExternSheets()) {
        for (const CExcelRecordGWBEXTERNSHEET_REFData& ref : table.GetEntries())
            if (at++ == index) entry = &ref;
    }
    if (!entry) return "no EXTERNSHEET entry";
    const CExcelRecordGWBSUPBOOK* book = workbook.GetSupBooks().GetAt(entry->GetSupBookIndex());
    if (!book) return "no SUPBOOK record";
    // The add-in SUPBOOK as files hold it: sheet count 1, then the marker
    // 0x3A01 (bytes 01 3A).
    const std::uint8_t* bytes = book->GetData();
    if (book->GetLength() == 4 && bytes[2] == 0x01 && bytes[3] == 0x3A) return "the add-in SUPBOOK";
    if (!book->IsSelf()) return "another workbook";
    if (entry->GetFirstSheet() >= 0xFFFE) return "a deleted sheet";
    if (entry->GetFirstSheet() >= workbook.GetWorksheets().GetCount()) return "a missing sheet";
    return "this workbook";
}

// Why a decode is unsound, guessed from the tokens it holds (the decoder
// says only whether it is).
std::string Cause(const CExcelRecordFormula& record, const CExcelWorkBook& workbook,
                  const CExcelWorkSheet& sheet) {
    if (IsRangeMember(record)) {
        const CExcelRecordFormula* head = RangeHead(sheet, record);
        if (!head) return "ptgExp whose range has no SHRFMLA or ARRAY record";
        return "member of a range whose first cell is unsound: " + Cause(*head, workbook, sheet);
    }
    const CByteBuffer& own = record.GetFormulaData();
    if (own.Size() == 0) return "FORMULA record without tokens";
    testsupport::TokenScan scan = testsupport::ScanTokens(own.Data(), own.DataLength());
    const CByteBuffer* shared = record.GetSharedFormulaRecord();
    const CByteBuffer* body = shared ? shared : record.GetArrayRecord();
    if (!scan.tokens.empty() && scan.tokens[0].id == 0x01 && body) {
        const std::uint32_t at = shared ? 8 : 12;
        scan = at < body->DataLength()
                   ? testsupport::ScanTokens(body->Data() + at, body->DataLength() - at)
                   : testsupport::TokenScan{{}, false, true, false};
    }
    if (scan.deleted) return "deleted marker in the length field";
    // The cause that explains most: a name is unsound mostly as the callee
    // of function 255, a 3-D reference only when it leaves this workbook.
    std::map<int, std::string> causes;
    for (const testsupport::ScannedToken& token : scan.tokens) {
        const std::uint8_t base = token.id < 0x20 ? token.id : (token.id & 0x1F) | 0x20;
        if (base == 0x02) causes.emplace(0, "data table (ptgTbl)");
        if (base == 0x39)
            causes.emplace(1, "ptgNameX, an EXTERNNAME of " + ExternKind(workbook, token.first));
        if (base == 0x22 && token.function == 255)
            causes.emplace(2, "function 255: a call of the function its first operand names");
        if (base >= 0x3A && base <= 0x3D) {
            const std::string kind = ExternKind(workbook, token.first);
            if (kind != "this workbook") causes.emplace(3, "3-D reference into " + kind);
        }
        if (base == 0x23) causes.emplace(4, "defined name (ptgName)");
        if ((base == 0x21 || base == 0x22) && token.function != 255) {
            const std::u16string function = CExcelFunctionTable::GetName(token.function);
            if (function.empty())
                causes.emplace(5, "function " + std::to_string(token.function) +
                                      ": an empty row of the function table");
            else if (base == 0x21 && CExcelFunctionTable::GetMinArgs(token.function) !=
                                         CExcelFunctionTable::GetMaxArgs(token.function))
                causes.emplace(6, "ptgFunc of " + ToUtf8(function) +
                                      ", a function with a variable argument count");
        }
    }
    if (scan.unknown) causes.emplace(7, "a byte that is no token");
    if (scan.truncated) causes.emplace(8, "tokens run past the record");
    return causes.empty() ? "other" : causes.begin()->second;
}

// At most 120 bytes of text, so that a long string result or formula does
// not flood the output.
std::string Clip(const std::string& text) {
    return text.size() <= 120 ? text : text.substr(0, 120) + "...";
}

struct Unsound {
    std::string file, sheet, cell, decoded;  // decoded: text and token bytes
};

std::string Describe(const CExcelRecordFormula& record, const CExcelWorkBook& workbook,
                     const CExcelWorkSheet& sheet) {
    const CByteBuffer& own = record.GetFormulaData();
    std::string bytes = testsupport::Hex(own.Data() ? own.Data() : nullptr, own.DataLength());
    if (const CByteBuffer* shared = record.GetSharedFormulaRecord())
        bytes += " | SHRFMLA " + testsupport::Hex(shared->Data(), shared->DataLength());
    if (const CByteBuffer* array = record.GetArrayRecord())
        bytes += " | ARRAY " + testsupport::Hex(array->Data(), array->DataLength());
    return Clip(ToUtf8(record.GetFormulaText(&workbook, &sheet))) + "  [" + Clip(bytes) + "]";
}

// ---- Truth dumps -------------------------------------------------------------------

struct TruthCell {
    std::string type;  // formula-number, formula-text, ...
    std::string value;
};

// (sheet name, row, column) -> cached result, formula cells only.
using TruthCells = std::map<std::tuple<std::u16string, std::uint32_t, std::uint32_t>, TruthCell>;

TruthCells ReadFormulaTruth(const fs::path& corpus, const fs::path& file) {
    TruthCells cells;
    for (const corpus::DumpRow& row : corpus::ReadTruth(corpus, file))
        if (row.type.rfind("formula-", 0) == 0)
            cells[{FromUtf8(corpus::Unescape(row.sheet)), row.row, row.column}] = {
                row.type, corpus::Unescape(row.value)};
    return cells;
}

enum class EResultCheck { Same, CutAtStringRecord, Different };

// Whether our cached result says what the trusted reader read. A string
// result longer than one STRING record holds goes on in CONTINUE records,
// of which only the STRING record's own part is kept.
EResultCheck CompareResult(const CExcelRecordFormula& record, const TruthCell& truth) {
    const std::string text = ToUtf8(record.GetValueText(nullptr));
    bool same = false;
    switch (record.GetResultType()) {
        case FormulaResultNumber:
            same = (truth.type == "formula-number" || truth.type == "formula-date") &&
                   std::stod(truth.value) == record.GetNumber();
            break;
        case FormulaResultString:
            if (truth.type == "formula-text" && !text.empty() && text.size() < truth.value.size() &&
                truth.value.compare(0, text.size(), text) == 0)
                return EResultCheck::CutAtStringRecord;
            same = truth.type == "formula-empty"
                       ? text.empty()
                       : truth.type == "formula-text" && text == truth.value;
            break;
        case FormulaResultBoolean:
            same = truth.type == "formula-bool" && text == truth.value;
            break;
        case FormulaResultError:
            same = truth.type == "formula-error" && text == truth.value;
            break;
        case FormulaResultEmpty:
            same = truth.type == "formula-empty";
            break;
    }
    return same ? EResultCheck::Same : EResultCheck::Different;
}

// What the whole corpus gives, gathered once for the tests below.
struct CorpusFormulas {
    bool present = false;
    std::size_t files = 0, cells = 0, soundOwn = 0, soundMembers = 0, members = 0, tables = 0;
    std::size_t truthCells = 0, truthSame = 0, truthCut = 0, truthMissing = 0;
    std::size_t unparsed = 0;                             // files whose worksheet parser run failed
    std::map<std::string, std::vector<Unsound>> unsound;  // by cause
    std::vector<std::string> resultMismatches;
    std::size_t temporaryFilesLeft = 0;
};

void TallyRecord(const CExcelRecordFormula& record, const CExcelWorkBook& workbook,
                 const CExcelWorkSheet& sheet, const std::string& file, CorpusFormulas& out) {
    ++out.cells;
    bool sound = record.IsFormulaSound(&workbook, &sheet);
    if (sound) {
        ++out.soundOwn;
    } else if (IsRangeMember(record)) {
        ++out.members;
        const CExcelRecordFormula* head = RangeHead(sheet, record);
        sound = head && head->IsFormulaSound(&workbook, &sheet);
        out.soundMembers += sound;
    }
    if (!sound) {
        out.unsound[Cause(record, workbook, sheet)].push_back(
            {file, ToUtf8(sheet.GetName()), CellName(record.GetRow(), record.GetColumn()),
             Describe(record, workbook, sheet)});
    }
}

void TallyFile(const fs::path& corpus, const fs::path& file, const fs::path& temp,
               CorpusFormulas& out) {
    const std::string name = file.filename().string();
    ++out.files;
    bool parsed = false;
    const std::unique_ptr<CExcelData> data =
        corpus::ParseWorkbook(file, corpus::ExtractWorkbook(file, temp), &parsed);
    out.unparsed += !parsed;
    const TruthCells truth = ReadFormulaTruth(corpus, file);
    out.truthCells += truth.size();
    std::size_t found = 0;
    for (const CExcelWorkBook& workbook : data->GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            out.tables += sheet.GetTables().GetCount();
            for (const CExcelRecordFormula& record : sheet.GetFormulas()) {
                TallyRecord(record, workbook, sheet, name, out);
                const auto at = truth.find({sheet.GetName(), record.GetRow(), record.GetColumn()});
                if (at == truth.end()) continue;
                ++found;
                const EResultCheck check = CompareResult(record, at->second);
                if (check == EResultCheck::Same) {
                    ++out.truthSame;
                } else if (check == EResultCheck::CutAtStringRecord) {
                    ++out.truthCut;
                } else {
                    out.resultMismatches.push_back(
                        name + " " + ToUtf8(sheet.GetName()) + "!" +
                        CellName(record.GetRow(), record.GetColumn()) + ": kept kind " +
                        std::to_string(record.GetResultType()) + " \"" +
                        Clip(ToUtf8(record.GetValueText(nullptr))) + "\", truth " +
                        at->second.type + " \"" + Clip(at->second.value) + "\"");
                }
            }
        }
    }
    out.truthMissing += truth.size() - std::min(truth.size(), found);
}

class FormulaCorpus : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_corpus = new CorpusFormulas;
        const std::optional<fs::path> shared = testsupport::SharedDir();
        if (!shared) return;
        s_corpus->present = true;
        testsupport::ScopedTempDir temp;
        const fs::path corpus = *shared / "corpus";
        for (const fs::path& file : corpus::FilesIn(corpus / "xls"))
            TallyFile(corpus, file, temp.Path(), *s_corpus);
        s_corpus->temporaryFilesLeft = temp.Entries().size();
    }
    static void TearDownTestSuite() {
        delete s_corpus;
        s_corpus = nullptr;
    }
    void SetUp() override {
        if (!s_corpus->present)
            GTEST_SKIP() << "no corpus fixtures at "
                         << (testsupport::SharedDirLookedFor() / "corpus").string()
                         << " (set MENDWELL_SHARED_DIR): skipping";
    }

    static CorpusFormulas* s_corpus;
};

CorpusFormulas* FormulaCorpus::s_corpus = nullptr;

}  // namespace

TEST_F(FormulaCorpus, EveryFormulaCellOfTheTruthIsReadWithItsCachedResult) {
    const CorpusFormulas& c = *s_corpus;
    std::printf(
        "[ results  ] %zu files, %zu formula cells in the truth dumps: %zu with the same cached "
        "result, %zu string results cut at the end of their STRING record (the rest is in "
        "CONTINUE records), %zu without a FORMULA record read\n",
        c.files, c.truthCells, c.truthSame, c.truthCut, c.truthMissing);
    for (const std::string& mismatch : c.resultMismatches)
        std::printf("[ mismatch ] %s\n", mismatch.c_str());
    EXPECT_EQ(c.files, corpus::kXlsFiles);
    EXPECT_EQ(c.unparsed, 0u);
    EXPECT_EQ(c.truthMissing, 0u);
    EXPECT_EQ(c.resultMismatches.size(), 0u);
    EXPECT_EQ(c.temporaryFilesLeft, 0u);
}

TEST_F(FormulaCorpus, AtLeast99PercentOfFormulaCellsDecodeSoundly) {
    const CorpusFormulas& c = *s_corpus;
    const std::size_t sound = c.soundOwn + c.soundMembers;
    const double share = c.cells ? static_cast<double>(sound) / static_cast<double>(c.cells) : 1.0;
    std::printf(
        "[ formulas ] %zu FORMULA records (%zu TABLE records): %zu sound (%.3f%%), %zu sound by "
        "their own tokens, %zu of %zu shared or array range members through their range's "
        "first cell\n",
        c.cells, c.tables, sound, 100.0 * share, c.soundOwn, c.soundMembers, c.members);
    for (const auto& [cause, list] : c.unsound) {
        std::set<std::string> files;
        for (const Unsound& cell : list) files.insert(cell.file);
        std::printf("[ unsound  ] %zu in %zu files: %s\n", list.size(), files.size(),
                    cause.c_str());
        for (std::size_t i = 0; i < std::min(list.size(), kExamplesPerCause); ++i)
            std::printf("             %s %s!%s: %s\n", list[i].file.c_str(), list[i].sheet.c_str(),
                        list[i].cell.c_str(), list[i].decoded.c_str());
    }
    EXPECT_GT(c.cells, 0u);
    EXPECT_GE(share, kRequiredSoundShare) << sound << " of " << c.cells << " formula cells sound";
}

// A decode called sound always gives the formula's text, and the damaged
// files keep at least the 1,135 sound decodes they give today.
TEST(FormulaWildFiles, DamagedFilesDecodeEveryFormulaWithoutCrashing) {
    MENDWELL_REQUIRE_SHARED(shared);
    testsupport::ScopedTempDir temp;
    std::size_t files = 0, cells = 0, sound = 0, texts = 0;
    for (const fs::path& file : corpus::FilesIn(shared / "corpus" / "wild")) {
        SCOPED_TRACE(file.filename().string());
        ++files;
        const std::unique_ptr<CExcelData> data =
            corpus::ParseWorkbook(file, corpus::ExtractWorkbook(file, temp.Path()));
        for (const CExcelWorkBook& workbook : data->GetWorkbooks()) {
            for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
                for (const CExcelRecordFormula& record : sheet.GetFormulas()) {
                    ++cells;
                    const bool isSound = record.IsFormulaSound(&workbook, &sheet);
                    const bool hasText = !record.GetFormulaText(&workbook, &sheet).empty();
                    sound += isSound;
                    texts += hasText;
                    record.GetValueText(&workbook);
                    EXPECT_TRUE(hasText || !isSound)
                        << ToUtf8(sheet.GetName()) << "!"
                        << CellName(record.GetRow(), record.GetColumn()) << ": sound, no text";
                }
            }
        }
    }
    std::printf(
        "[ wild     ] %zu damaged files: %zu FORMULA records, %zu with formula text, %zu "
        "sound\n",
        files, cells, texts, sound);
    EXPECT_EQ(files, corpus::kWildFiles);
    EXPECT_GE(sound, 1135u) << "sound decodes lost in the damaged files";
}
