#include "server/CXlsFormulaCompiler.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "server/CLittleEndian.h"
#include "server/CXlsFormulaEmitter.h"
#include "server/CXlsFormulaLexer.h"
#include "server/CXlsFormulaParser.h"
#include "server/CXlsFormulaShapeCache.h"
#include "server/CXlsOperandClassifier.h"
#include "server/CXlsWorkbook.h"
#include "server/XlsFormulaLayout.h"

CXlsFormulaCompiler::CXlsFormulaCompiler(CXlsWorkbook& workbook, const CXlsWorksheet* sheet)
    : m_workbook(workbook), m_sheet(sheet) {}

bool CXlsFormulaCompiler::Fail(std::size_t offset, std::u16string text) {
    m_errorOffset = offset;
    m_error = std::move(text);
    return false;
}

int CXlsFormulaCompiler::LinkNode(const CXlsFormulaNode& node, std::uint16_t& nameIndex) {
    CXlsLinkTable& links = m_workbook.Links();
    const CXlsFormulaSheets& sheets = node.sheets;
    const bool isName = xlsw::BaseId(node.tokenId) == xlsw::kPtgNameX;
    switch (sheets.kind) {
        case CXlsFormulaSheets::EKind::kThisWorkbook:
            return links.ThisWorkbook(m_workbook.Sheet(sheets.first)->Id(),
                                      m_workbook.Sheet(sheets.last)->Id());
        case CXlsFormulaSheets::EKind::kDeleted:
            return links.ThisWorkbook(CXlsExternSheetTable::kDeletedSheet,
                                      CXlsExternSheetTable::kDeletedSheet);
        case CXlsFormulaSheets::EKind::kOtherWorkbook:
            return isName
                       ? links.OtherName(sheets.path, sheets.firstName, node.externName, nameIndex)
                       : links.OtherSheets(sheets.path, sheets.firstName, sheets.lastName);
        case CXlsFormulaSheets::EKind::kAddIns:
            return links.AddInFunction(node.externName, nameIndex);
        case CXlsFormulaSheets::EKind::kNone:
            break;
    }
    return -1;
}

bool CXlsFormulaCompiler::Link(const CXlsFormulaTree& tree,
                               const std::vector<CXlsFormulaEmitter::SheetSlot>& slots,
                               std::vector<std::uint8_t>& tokens) {
    CXlsLinkTable& links = m_workbook.Links();
    links.BeginTrial();
    bool linked = true;
    for (const CXlsFormulaEmitter::SheetSlot& slot : slots) {
        const CXlsFormulaNode& node = tree.nodes[slot.node];
        std::uint16_t nameIndex = 0;
        const int index = LinkNode(node, nameIndex);
        if (index < 0) {
            linked = false;
            break;
        }
        CLittleEndian::PutU16(&tokens[slot.offset], static_cast<std::uint16_t>(index));
        // ptgNameX: the EXTERNNAME index follows the EXTERNSHEET index.
        if (xlsw::BaseId(node.tokenId) == xlsw::kPtgNameX) {
            CLittleEndian::PutU16(&tokens[slot.offset + 2], nameIndex);
        }
    }
    links.EndTrial(linked);
    return linked;
}

bool CXlsFormulaCompiler::Lex(std::u16string_view text, std::vector<CXlsLexeme>& lexemes,
                              std::size_t& base) {
    m_error.clear();
    m_errorOffset = 0;
    if (text.size() > kMaxTextLength) return Fail(kMaxTextLength, u"formula text too long");
    base = (!text.empty() && text.front() == u'=') ? 1 : 0;
    // A lexeme per character at most, and its end: one allocation for most
    // formulas instead of one per doubling.
    lexemes.reserve(std::min<std::size_t>(text.size() + 1, kReservedLexemes));
    CXlsFormulaLexer lexer(text.substr(base), &m_workbook);
    if (!lexer.Run(lexemes)) return Fail(base + lexer.ErrorOffset(), lexer.ErrorText());
    return true;
}

bool CXlsFormulaCompiler::Compile(std::u16string_view text, EXlsFormulaKind kind,
                                  CXlsFormulaTokens& tokens) {
    std::vector<CXlsLexeme> lexemes;
    std::size_t base = 0;
    return Lex(text, lexemes, base) && CompileLexemes(lexemes, base, kind, tokens);
}

bool CXlsFormulaCompiler::CompileCell(std::u16string_view text, std::uint32_t row,
                                      std::uint32_t column, CXlsFormulaTokens& tokens) {
    CXlsFormulaShapeCache& shapes = m_workbook.FormulaShapes();
    // The cache's buffers, reused from cell to cell.
    std::vector<CXlsLexeme>& lexemes = shapes.LexemeBuffer();
    std::u16string& shape = shapes.ShapeBuffer();
    std::size_t base = 0;
    if (!Lex(text, lexemes, base)) return false;
    const bool shaped =
        CXlsFormulaShapeCache::ShapeOf(text.substr(base), lexemes, row, column, shape);
    if (shaped && shapes.Find(shape, row, column, tokens)) return true;
    if (!CompileLexemes(lexemes, base, EXlsFormulaKind::kCell, tokens)) return false;
    if (shaped) shapes.Add(shape, tokens, row, column);
    return true;
}

bool CXlsFormulaCompiler::CompileLexemes(const std::vector<CXlsLexeme>& lexemes, std::size_t base,
                                         EXlsFormulaKind kind, CXlsFormulaTokens& tokens) {
    CXlsFormulaTree tree;
    const std::uint32_t ownSheetId = m_sheet ? m_sheet->Id() : CXlsDefinedName::kWorkbookScope;
    CXlsFormulaParser parser(lexemes, &m_workbook, ownSheetId, kind);
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
    const CXlsFormulaTokens compiled(bytes, extra);
    if (!compiled.IsValid()) return Fail(0, u"formula too long for its record");

    // Only now, with the formula known to be good, do its links enter the
    // workbook, and only when all of them fit.
    if (!Link(tree, slots, bytes)) {
        return Fail(0, u"too many references to other sheets, workbooks or add-in functions");
    }
    tokens = CXlsFormulaTokens(bytes, extra);
    return true;
}
