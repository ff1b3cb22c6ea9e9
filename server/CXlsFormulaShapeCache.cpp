#include "server/CXlsFormulaShapeCache.h"

#include <algorithm>
#include <utility>

#include "formula/CExcelFunctionTable.h"
#include "server/CXlsFormulaLexer.h"
#include "server/CXlsFormulaShifter.h"

namespace {

// Every part goes in with its length or at a fixed size, so two different
// lexeme lists never give the same shape.
void PutNumber(std::u16string& shape, std::uint32_t value) {
    shape.push_back(static_cast<char16_t>(value & 0xFFFF));
    shape.push_back(static_cast<char16_t>(value >> 16));
}

void PutText(std::u16string& shape, std::u16string_view text) {
    PutNumber(shape, static_cast<std::uint32_t>(text.size()));
    shape.append(text);
}

// A relative row or column as its offset from the formula's cell (modulo
// 2^32: only equality matters), an absolute one as it is.
void PutCorner(std::u16string& shape, const CXlsReferenceCorner& corner, std::uint32_t row,
               std::uint32_t column) {
    shape.push_back(
        static_cast<char16_t>((corner.rowRelative ? 1 : 0) | (corner.columnRelative ? 2 : 0)));
    PutNumber(shape, corner.rowRelative ? corner.row - row : corner.row);
    PutNumber(shape, corner.columnRelative ? corner.column - column : corner.column);
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool HasShape(const CXlsLexeme& lexeme) {
    switch (lexeme.kind) {
        case EXlsLexemeKind::kName:
            return false;
        case EXlsLexemeKind::kReference:
            return lexeme.sheets.kind == CXlsFormulaSheets::EKind::kNone;
        case EXlsLexemeKind::kFunction:
            return lexeme.sheets.kind == CXlsFormulaSheets::EKind::kNone &&
                   CExcelFunctionTable::FindByName(lexeme.text) >= 0;
        default:
            return true;
    }
}

}  // namespace

bool CXlsFormulaShapeCache::ShapeOf(std::u16string_view text,
                                    const std::vector<CXlsLexeme>& lexemes, std::uint32_t row,
                                    std::uint32_t column, std::u16string& shape) {
    shape.clear();
    if (lexemes.empty()) return false;
    PutText(shape, text.substr(0, std::min(lexemes.front().offset, text.size())));
    for (std::size_t i = 0; i < lexemes.size(); ++i) {
        const CXlsLexeme& lexeme = lexemes[i];
        if (!HasShape(lexeme)) return false;
        const std::size_t from = std::min(lexeme.offset, text.size());
        const std::size_t to =
            i + 1 < lexemes.size() ? std::min(lexemes[i + 1].offset, text.size()) : text.size();
        const std::u16string_view span = text.substr(from, to > from ? to - from : 0);
        shape.push_back(static_cast<char16_t>(lexeme.kind));
        if (lexeme.kind != EXlsLexemeKind::kReference) {
            PutText(shape, span);
            continue;
        }
        const CXlsFormulaReference& reference = lexeme.reference;
        shape.push_back(static_cast<char16_t>(reference.kind));
        PutCorner(shape, reference.first, row, column);
        PutCorner(shape, reference.last, row, column);
        // The blanks after the reference, which its span ends with.
        std::size_t blanks = 0;
        while (blanks < span.size() && IsBlank(span[span.size() - 1 - blanks])) ++blanks;
        PutText(shape, span.substr(span.size() - blanks));
    }
    return true;
}

bool CXlsFormulaShapeCache::Find(const std::u16string& shape, std::uint32_t row,
                                 std::uint32_t column, CXlsFormulaTokens& tokens) const {
    const auto found = m_shapes.find(shape);
    if (found == m_shapes.end()) return false;
    const Entry& entry = found->second;
    return CXlsFormulaShifter::Shift(entry.tokens, static_cast<std::int32_t>(row - entry.row),
                                     static_cast<std::int32_t>(column - entry.column), tokens);
}

void CXlsFormulaShapeCache::Add(std::u16string shape, const CXlsFormulaTokens& tokens,
                                std::uint32_t row, std::uint32_t column) {
    if (m_shapes.size() >= kMaxShapes) m_shapes.clear();
    m_shapes.insert_or_assign(std::move(shape), Entry{tokens, row, column});
}
