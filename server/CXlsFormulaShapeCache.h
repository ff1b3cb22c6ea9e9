// Compiled cell formulas by their shape, so that a formula filled down a
// column is parsed once rather than once a cell.
//
// The shape of a formula is its lexemes with every relative row and
// column of a reference taken as an offset from the formula's own cell:
// "=A1+B1" in C1 and "=A2+B2" in C2 have one shape. Their tokens differ
// only in those rows and columns, so the tokens compiled for one cell,
// moved as a fill moves them, are the tokens of the other.
//
// Only formulas whose tokens depend on nothing but their text and their
// cell have a shape: no defined names, no sheet parts (a 3-D token holds an
// EXTERNSHEET index), no function that is not built in (an add-in or a
// macro function is a name).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "server/CXlsFormulaLexer.h"
#include "server/CXlsFormulaTokens.h"

class CXlsFormulaShapeCache {
public:
    // Distinct shapes kept at most; the cache starts again when full.
    static constexpr std::size_t kMaxShapes = 1024;

    // The shape of the lexemes of `text` (without its "=") in the cell at
    // (row, column), 0-based, into `shape`; false when the formula has none.
    static bool ShapeOf(std::u16string_view text, const std::vector<CXlsLexeme>& lexemes,
                        std::uint32_t row, std::uint32_t column, std::u16string& shape);

    // The tokens of a formula of this shape in the cell at (row, column);
    // false when the shape is not kept (or its tokens cannot be moved there).
    bool Find(const std::u16string& shape, std::uint32_t row, std::uint32_t column,
              CXlsFormulaTokens& tokens) const;
    // Keeps the tokens compiled for the cell at (row, column).
    void Add(std::u16string shape, const CXlsFormulaTokens& tokens, std::uint32_t row,
             std::uint32_t column);

    // Room for the lexemes and the shape of the formula being compiled, kept
    // so that a formula per cell allocates neither; what they hold is only
    // the current compile's.
    std::vector<CXlsLexeme>& LexemeBuffer() { return m_lexemes; }
    std::u16string& ShapeBuffer() { return m_shape; }

private:
    struct Entry {
        CXlsFormulaTokens tokens;
        std::uint32_t row = 0;
        std::uint32_t column = 0;
    };
    std::unordered_map<std::u16string, Entry> m_shapes;
    std::vector<CXlsLexeme> m_lexemes;
    std::u16string m_shape;
};
