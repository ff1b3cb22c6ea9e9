// The round trip of formula text through both halves of the program:
// decoder text -> compiler -> writer -> our reader (extraction, globals scan,
// worksheet parser) -> decoder must give back the same text. First for
// hand-written texts in every form the decoder prints, then for every sound
// formula of the corpus workbooks (../shared), each compiled into a
// workbook with the same sheet names and defined names at the same cell.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "biff/tests/support/CorpusFiles.h"
#include "biff/tests/support/CorpusWorkbook.h"
#include "formula/CExcelFormulaParser.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordNAME.h"
#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsSheetName.h"
#include "server/CXlsWriter.h"
#include "server/tests/support/FormulaBytes.h"
#include "server/tests/support/TempFolder.h"

using namespace servertest;

namespace {

namespace fs = std::filesystem;

// (sheet position, row, column)
using CellKey = std::tuple<std::size_t, std::uint32_t, std::uint32_t>;

struct ReadFormula {
    std::u16string text;
    bool sound = false;
    bool isArray = false;
};

std::unique_ptr<CExcelData> Parse(const fs::path& file, const fs::path& temp) {
    return corpus::ParseWorkbook(file, corpus::ExtractWorkbook(file, temp));
}

// The formulas of the first workbook of a file, decoded by our reader.
std::map<CellKey, ReadFormula> ReadFormulas(const CExcelData& data) {
    std::map<CellKey, ReadFormula> formulas;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        std::size_t position = 0;
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            for (const CExcelRecordFormula& record : sheet.GetFormulas()) {
                const CByteBuffer& tokens = record.GetFormulaData();
                if (tokens.Size() == 0) continue;
                CExcelFormulaParser parser;
                ReadFormula& read = formulas[{position, record.GetRow(), record.GetColumn()}];
                read.text = parser.Decode(tokens.Data(), tokens.DataLength(), record.GetRow(),
                                          record.GetColumn(), &workbook, &sheet,
                                          record.GetSharedFormulaRecord(), record.GetArrayRecord());
                read.sound = parser.IsSound();
                read.isArray = record.GetArrayRecord() != nullptr;
            }
            ++position;
        }
        break;
    }
    return formulas;
}

// ---- Hand-written texts ------------------------------------------------------------

TEST(XlsFormulaRoundTrip, DecoderTextsCompileToTokensThatDecodeToTheSameText) {
    CXlsWorkbook book;
    CXlsWorksheet& data = *book.AddSheet(0, u"Data");
    book.AddSheet(1, u"Sales");
    book.AddSheet(2, u"Q1 2009");
    book.AddSheet(3, u"Bob's");
    for (const auto& [text, sheet, macro] : {std::tuple{u"Rates", 0u, EXlsNameMacro::kNone},
                                             {u"Local", 2u, EXlsNameMacro::kNone},
                                             {u"MyFunc", 0u, EXlsNameMacro::kFunction}}) {
        CXlsDefinedName name;
        name.text = text;
        name.scopeSheetId = sheet ? book.Sheet(sheet - 1)->Id() : CXlsDefinedName::kWorkbookScope;
        name.macro = macro;
        ASSERT_NE(book.Names().Set(name), CXlsDefinedNames::kNotFound);
    }

    const std::vector<std::u16string> texts = {
        u"1+2*3",
        u"(1+2)*3",
        u"-2^2",
        u"2^-2",
        u"1-2-3",
        u"50%",
        u"-A1%",
        u"+A1",
        u"\"say \"\"hi\"\"\"",
        u"A1&\"x\"",
        u"TRUE",
        u"#N/A",
        u"#DIV/0!",
        u"A1+$B$2-C$3*$D4",
        u"A1<>B1",
        u"A1<=B1",
        u"SUM(A1:A3)",
        u"SUM( A1:B2, $C$3 )",
        u"SUM(  )",
        u"ROUND(A1,2)",
        u"PI()",
        u"IF( A1>0, \"yes\",  )",
        u"IF( A1, , 2 )",
        u"VLOOKUP( A1, B1:C5, 2, FALSE )",
        u"INDEX( A1:B2, 1, 1 )",
        u"COUNTIF(A1:A3,\">1\")",
        u"AND( TRUE, FALSE )",
        u"NOW()",
        u"Sales!A1*2",
        u"'Q1 2009'!B2:C3",
        u"'Bob''s'!A1",
        u"SUM( Data:Sales!A1:B2 )",
        u"SUM(A$1:A$65536)",
        u"SUM((A1,B1))",
        u"SUM(A1:B2 B1:C3)",
        u"{1,2;3,4}",
        u"SUM({1,-2.5;\"a\",TRUE})",
        u"1E+20",
        u"1.5E-07",
        u"0.00001",
        u"123456789012345",
        u"3.14159265",
        u"Rates*2",
        u"Sales!Local+1",
        u"MyFunc( 1, A1 )",
        u"NETWORKDAYS( A1, B1 )",
        u"IFERROR( 1/0, 2 )",
        u"SUMIFS( A1:A3, B1:B3, 1 )",
        u"#REF!+1",
        u"SUM( Sales!#REF!, 1 )",
    };
    CXlsFormulaCompiler compiler(book, &data);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        CXlsFormulaTokens tokens;
        ASSERT_TRUE(compiler.Compile(texts[i], EXlsFormulaKind::kCell, tokens))
            << Ascii(texts[i]) << ": " << Ascii(compiler.ErrorText());
        ASSERT_TRUE(data.SetFormula(static_cast<std::uint32_t>(i), 5, tokens));
    }

    TempFolder folder;
    ASSERT_TRUE(CXlsWriter(book).SaveAs(folder / "book.xls"));
    const auto read = ReadFormulas(*Parse(folder / "book.xls", folder.Path()));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto at = read.find({0, static_cast<std::uint32_t>(i), 5});
        ASSERT_NE(at, read.end()) << Ascii(texts[i]);
        EXPECT_EQ(Ascii(at->second.text), Ascii(texts[i]));
        EXPECT_TRUE(at->second.sound) << Ascii(texts[i]);
    }
}

// ---- The corpus --------------------------------------------------------------------

struct CorpusTally {
    std::size_t files = 0, filesSkipped = 0, formulas = 0, compiled = 0, same = 0;
    std::map<std::string, std::size_t> refusals;  // reason -> count
    std::vector<std::string> examples;            // refusals and differences
};

void Note(CorpusTally& tally, const std::string& line) {
    if (tally.examples.size() < 40) tally.examples.push_back(line);
}

void RoundTripFile(const fs::path& file, const fs::path& temp, CorpusTally& tally) {
    const std::unique_ptr<CExcelData> original = Parse(file, temp);
    if (original->GetWorkbooks().GetCount() == 0) return;
    const CExcelWorkBook& source = *original->GetWorkbooks().GetAt(0);
    const std::string name = file.filename().string();

    // A workbook of ours with the same sheets in the same order.
    CXlsWorkbook book;
    for (const CExcelWorkSheet& sheet : source.GetWorksheets()) {
        if (!book.AddSheet(book.SheetCount(), sheet.GetName())) {
            ++tally.filesSkipped;  // a name our sheets refuse, or a duplicate
            return;
        }
    }
    ++tally.files;
    // The source's names by text and sheet, without their formulas: all a
    // cell formula needs of them to compile and decode back.
    for (const CExcelRecordNAME& sourceName : source.GetNames()) {
        CXlsDefinedName name;
        name.text = sourceName.GetDisplayName();
        const std::uint16_t sheet = sourceName.GetSheetIndex();
        if (sheet > book.SheetCount()) continue;
        if (sheet != 0) name.scopeSheetId = book.Sheet(sheet - 1)->Id();
        book.Names().Set(std::move(name));
    }
    const auto formulas = ReadFormulas(*original);
    std::map<CellKey, std::u16string> placed;
    for (const auto& [cell, formula] : formulas) {
        if (!formula.sound) continue;
        ++tally.formulas;
        const auto [position, row, column] = cell;
        CXlsFormulaCompiler compiler(book, book.Sheet(position));
        CXlsFormulaTokens tokens;
        const EXlsFormulaKind kind =
            formula.isArray ? EXlsFormulaKind::kArray : EXlsFormulaKind::kCell;
        if (!compiler.Compile(formula.text, kind, tokens)) {
            const std::string reason = Ascii(compiler.ErrorText());
            ++tally.refusals[reason.substr(0, reason.find('"'))];
            Note(tally, name + ": refused " + Ascii(formula.text) + ": " + reason);
            continue;
        }
        CXlsWorksheet& sheet = *book.Sheet(position);
        const bool set = formula.isArray
                             ? sheet.SetArrayFormula(CXlsCellRange::Cell(row, column), tokens)
                             : sheet.SetFormula(row, column, tokens);
        if (!set) continue;
        ++tally.compiled;
        placed[cell] = formula.text;
    }
    if (placed.empty()) return;

    const fs::path written = temp / (file.stem().string() + "-ours.xls");
    ASSERT_TRUE(CXlsWriter(book).SaveAs(written)) << name;
    const auto back = ReadFormulas(*Parse(written, temp));
    for (const auto& [cell, text] : placed) {
        const auto at = back.find(cell);
        const std::u16string again = at == back.end() ? u"<no formula>" : at->second.text;
        if (again == text) {
            ++tally.same;
        } else {
            Note(tally, name + ": " + Ascii(text) + " came back as " + Ascii(again));
        }
    }
    std::error_code ec;
    fs::remove(written, ec);
}

TEST(XlsFormulaRoundTrip, CorpusFormulasCompileAndDecodeBackToTheSameText) {
    MENDWELL_REQUIRE_SHARED(shared);
    TempFolder temp;
    CorpusTally tally;
    const std::vector<fs::path> files = corpus::FilesIn(shared / "corpus" / "xls");
    ASSERT_EQ(files.size(), corpus::kXlsFiles);
    for (const fs::path& file : files) {
        RoundTripFile(file, temp.Path(), tally);
        std::error_code ec;
        for (const fs::directory_entry& left : fs::directory_iterator(temp.Path(), ec)) {
            fs::remove_all(left.path(), ec);
        }
    }

    std::printf(
        "[ round    ] %zu files (%zu skipped for their sheet names): %zu sound formulas, "
        "%zu compiled, %zu decoded back to the same text\n",
        tally.files, tally.filesSkipped, tally.formulas, tally.compiled, tally.same);
    for (const auto& [reason, count] : tally.refusals) {
        std::printf("[ refused  ] %zu: %s\n", count, reason.c_str());
    }
    for (const std::string& line : tally.examples) std::printf("             %s\n", line.c_str());
    // What does not compile is almost all names the source's NAME records
    // do not give (a name text no workbook can store, a sheet out of range);
    // everything else compiles, add-in functions and calls through names
    // included.
    const std::size_t outsideServer = tally.refusals["unknown name "];
    EXPECT_GE((tally.compiled + outsideServer) * 100, tally.formulas * 99);
    EXPECT_EQ(tally.same, tally.compiled);
}

}  // namespace
