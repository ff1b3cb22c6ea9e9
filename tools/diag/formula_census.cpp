// formula-census: repairs each file given and prints one line per FORMULA
// record, tab-separated: file, sheet, row, column, outcome, formula text,
// reason. Outcomes: "kept" (a sound text the formula compiler accepts),
// "unsound" (the decoder could not give a faithful text; the reason is the
// first cause the decoder met, when it tells one), "refused" (the compiler
// refused the sound text; the reason is its error), "empty" (no text at all). It runs the decoder
// and compiler as the save does, without the save, to see why formula cells would be saved as their
// values.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "formula/CExcelFormulaNameDefinition.h"
#include "formula/CExcelFormulaParser.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/TextConversion.h"
#include "records/CExcelRecordNAME.h"
#include "repair/RepairFile.h"
#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsWorkbook.h"

namespace {

// The source's defined names, as the save's names phase re-creates them
// (sound formulas only; passes until one adds nothing, for names that use
// later names).
void DefineNames(const CExcelWorkBook& book, CXlsWorkbook& server) {
    std::vector<const CExcelRecordNAME*> pending;
    for (const CExcelRecordNAME& name : book.GetNames()) pending.push_back(&name);
    for (bool added = true; added && !pending.empty();) {
        added = false;
        std::vector<const CExcelRecordNAME*> refused;
        for (const CExcelRecordNAME* record : pending) {
            CXlsDefinedName name;
            name.text = record->GetDisplayName();
            const std::uint16_t sheet = record->GetSheetIndex();
            if (name.text.empty() || (sheet != 0 && !server.Sheet(sheet - 1u))) continue;
            if (sheet != 0) name.scopeSheetId = server.Sheet(sheet - 1u)->Id();
            if (CExcelFormulaNameDefinition::HasFormula(*record)) {
                bool sound = false;
                const std::u16string text =
                    CExcelFormulaNameDefinition::Text(book, *record, &sound);
                CXlsFormulaCompiler compiler(server, sheet ? server.Sheet(sheet - 1u) : nullptr);
                if (!sound ||
                    !compiler.Compile(u"=" + text, EXlsFormulaKind::kName, name.formula)) {
                    refused.push_back(record);
                    continue;
                }
            }
            server.Names().Set(std::move(name));
            added = true;
        }
        pending.swap(refused);
    }
}

std::string Escape(const std::u16string& text) {
    std::string out;
    for (char c : ToUtf8(text)) {
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

// The decoder's cause for an unsound record, decoded again as the record
// decodes itself.
std::u16string UnsoundReason(const CExcelRecordFormula& record, const CExcelWorkBook& book,
                             const CExcelWorkSheet& sheet) {
    const CByteBuffer& data = record.GetFormulaData();
    if (data.Size() == 0) return {};
    CExcelFormulaParser parser;
    parser.Decode(data.Data(), data.DataLength(), record.GetRow(), record.GetColumn(), &book,
                  &sheet, record.GetSharedFormulaRecord(), record.GetArrayRecord());
    const std::string reason = CExcelFormulaUnsound::Text(parser.UnsoundReason());
    return std::u16string(reason.begin(), reason.end());
}

void Census(const std::filesystem::path& path) {
    CExcelData data;
    data.SetSourcePath(path);
    if (!RepairFile(&data)) {
        std::printf("%s\t-\t-\t-\trepair-failed\t\t\n", path.filename().c_str());
        return;
    }
    for (CExcelWorkBook& book : data.GetWorkbooks()) {
        CXlsWorkbook server;
        for (const CExcelWorkSheet& sheet : book.GetWorksheets())
            server.AddSheet(server.SheetCount(), sheet.GetName());
        DefineNames(book, server);
        std::size_t position = 0;
        for (const CExcelWorkSheet& sheet : book.GetWorksheets()) {
            CXlsWorksheet* own = server.Sheet(position++);
            for (const CExcelRecordFormula& record : sheet.GetFormulas()) {
                const std::u16string& text = record.GetFormulaText(&book, &sheet);
                const bool sound = record.IsFormulaSound(&book, &sheet);
                std::string outcome = "kept";
                std::u16string reason;
                if (text.empty()) {
                    outcome = "empty";
                } else if (!sound) {
                    outcome = "unsound";
                    reason = UnsoundReason(record, book, sheet);
                } else {
                    CXlsFormulaCompiler compiler(server, own);
                    CXlsFormulaTokens tokens;
                    const EXlsFormulaKind kind =
                        record.GetArrayRecord() ? EXlsFormulaKind::kArray : EXlsFormulaKind::kCell;
                    if (!compiler.Compile(u"=" + text, kind, tokens)) {
                        outcome = "refused";
                        reason = compiler.ErrorText();
                    }
                }
                std::printf("%s\t%s\t%u\t%u\t%s\t%s\t%s\n", path.filename().c_str(),
                            Escape(sheet.GetName()).c_str(), record.GetRow(), record.GetColumn(),
                            outcome.c_str(), Escape(text).c_str(), Escape(reason).c_str());
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) Census(argv[i]);
    return 0;
}
