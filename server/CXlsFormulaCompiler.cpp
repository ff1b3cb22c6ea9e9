#include "server/CXlsFormulaCompiler.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "server/CLittleEndian.h"
#include "server/CXlsFormulaEmitter.h"
#include "server/CXlsFormulaLexer.h"
#include "server/CXlsFormulaParser.h"
#include "server/CXlsOperandClassifier.h"
#include "server/CXlsWorkbook.h"
#include "server/XlsRecordLayout.h"

CXlsFormulaCompiler::CXlsFormulaCompiler(CXlsWorkbook& workbook) : m_workbook(workbook) {}

bool CXlsFormulaCompiler::Fail(std::size_t offset, std::u16string text) {
    m_errorOffset = offset;
    m_error = std::move(text);
    return false;
}

bool CXlsFormulaCompiler::ExternSheetsFit(
    const std::vector<CXlsFormulaEmitter::SheetSlot>& slots) const {
    const std::vector<CXlsExternSheetTable::Entry>& entries = m_workbook.ExternSheets().Entries();
    std::vector<CXlsExternSheetTable::Entry> added;
    for (const CXlsFormulaEmitter::SheetSlot& slot : slots) {
        const CXlsExternSheetTable::Entry entry{CXlsExternSheetTable::kThisWorkbook,
                                                m_workbook.Sheet(slot.firstSheet)->Id(),
                                                m_workbook.Sheet(slot.lastSheet)->Id()};
        if (std::find(entries.begin(), entries.end(), entry) != entries.end()) continue;
        if (std::find(added.begin(), added.end(), entry) != added.end()) continue;
        added.push_back(entry);
    }
    return entries.size() + added.size() <= xlsw::kMaxExternSheetEntries;
}

bool CXlsFormulaCompiler::Compile(std::u16string_view text, EXlsFormulaKind kind,
                                  CXlsFormulaTokens& tokens) {
    m_error.clear();
    m_errorOffset = 0;
    if (text.size() > kMaxTextLength) return Fail(kMaxTextLength, u"formula text too long");
    const std::size_t base = (!text.empty() && text.front() == u'=') ? 1 : 0;

    std::vector<CXlsLexeme> lexemes;
    CXlsFormulaLexer lexer(text.substr(base), &m_workbook);
    if (!lexer.Run(lexemes)) return Fail(base + lexer.ErrorOffset(), lexer.ErrorText());

    CXlsFormulaTree tree;
    CXlsFormulaParser parser(lexemes);
    if (!parser.Run(tree)) return Fail(base + parser.ErrorOffset(), parser.ErrorText());
    // Every node writes at least one byte: a tree this large is refused
    // before it is walked.
    if (tree.nodes.size() > CXlsFormulaTokens::kMaxTokenBytes) {
        return Fail(0, u"formula too long: over 1800 bytes of tokens");
    }

    CXlsOperandClassifier::Run(tree, kind);
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> extra;
    std::vector<CXlsFormulaEmitter::SheetSlot> slots;
    if (!CXlsFormulaEmitter::Run(tree, bytes, extra, slots) ||
        bytes.size() > CXlsFormulaTokens::kMaxTokenBytes) {
        return Fail(0, u"formula too long: over 1800 bytes of tokens");
    }
    CXlsFormulaTokens compiled(std::move(bytes), std::move(extra));
    if (!compiled.IsValid()) return Fail(0, u"formula too long for its record");

    // Only now, with the formula known to be good, do its 3-D references
    // enter the workbook's EXTERNSHEET table, and only when all of them fit.
    if (!ExternSheetsFit(slots)) return Fail(0, u"too many references to other sheets");
    std::vector<std::uint8_t> patched = compiled.Tokens();
    for (const CXlsFormulaEmitter::SheetSlot& slot : slots) {
        const int index = m_workbook.RegisterExternSheet(slot.firstSheet, slot.lastSheet);
        if (index < 0) return Fail(0, u"too many references to other sheets");
        CLittleEndian::PutU16(&patched[slot.offset], static_cast<std::uint16_t>(index));
    }
    tokens = CXlsFormulaTokens(std::move(patched), compiled.Extra());
    return true;
}
