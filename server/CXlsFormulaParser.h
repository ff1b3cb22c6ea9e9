// Builds the token tree of a formula from its lexemes, with the spreadsheet's
// operator precedence, from the tightest binding to the loosest:
//   ":" (range), " " (intersection), "," (union, only inside parentheses),
//   prefix "-" and "+", "%", "^", "*" and "/", "+" and "-", "&",
//   "=", "<>", "<", "<=", ">", ">=".
// Every binary operator groups from the left (2^3^2 is (2^3)^2), and a
// prefix minus binds tighter than "^" (-2^2 is 4), as in the spreadsheet.
//
// Functions are looked up by name in the built-in function table and their
// argument counts checked against it. A call with a fixed argument count
// becomes ptgFunc, any other ptgFuncVar; SUM of one argument written
// without a blank after "(" becomes ptgAttr sum, as the spreadsheet stores
// it (the decoder prints that form as "SUM(A1:A3)" and ptgFuncVar as
// "SUM( A1:A3 )"). IF and CHOOSE are plain ptgFuncVar calls.
//
// Tokens get their initial classes here (references reference class, array
// constants array class, calls their function's return class); the
// classifier converts them afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "server/CXlsFormulaLexer.h"
#include "server/CXlsFormulaTree.h"

class CXlsFormulaParser {
  public:
    // Parentheses, calls, array constants and prefix operators nest at most
    // this deep.
    static constexpr std::uint32_t kMaxNesting = 100;

    // The lexemes must end with kEnd and outlive the parser.
    explicit CXlsFormulaParser(const std::vector<CXlsLexeme>& lexemes);

    // False on the first syntax fault, an unknown name or function, or a
    // call with the wrong number of arguments, with ErrorText and
    // ErrorOffset saying what and where; the tree is then incomplete.
    bool Run(CXlsFormulaTree& tree);

    const std::u16string& ErrorText() const { return m_error; }
    std::size_t ErrorOffset() const { return m_errorOffset; }

  private:
    const CXlsLexeme& Peek() const { return m_lexemes[m_next]; }
    // The next lexeme, moving past it; kEnd stays the next one for good.
    const CXlsLexeme& Take() {
        return m_lexemes[m_next + 1 < m_lexemes.size() ? m_next++ : m_next];
    }
    bool IsOperator(std::uint8_t code) const;
    bool Fail(const CXlsLexeme& at, std::u16string text);

    std::uint32_t Add(CXlsFormulaNode node);
    std::uint32_t AddOperator(std::uint8_t tokenId, std::uint32_t left, std::uint32_t right,
                              bool valueType);
    std::uint32_t AddUnary(std::uint8_t tokenId, std::uint32_t operand);

    bool ParseComparison(std::uint32_t& node);
    bool ParseConcat(std::uint32_t& node);
    bool ParseAdditive(std::uint32_t& node);
    bool ParseMultiplicative(std::uint32_t& node);
    bool ParsePower(std::uint32_t& node);
    bool ParsePercent(std::uint32_t& node);
    bool ParsePrefix(std::uint32_t& node);
    bool ParseUnion(std::uint32_t& node);
    bool ParseIntersection(std::uint32_t& node, bool& referenceOperator);
    bool ParseRange(std::uint32_t& node, bool& referenceOperator);
    bool ParsePrimary(std::uint32_t& node);
    bool ParseParentheses(std::uint32_t& node);
    bool ParseCall(std::uint32_t& node);
    bool ParseArray(std::uint32_t& node);
    bool ParseArrayValue(std::vector<std::uint8_t>& extra);
    void AddReference(const CXlsFormulaReference& reference, std::uint32_t& node);
    void AddNumber(double value, std::uint32_t& node);
    void AddString(const std::u16string& text, std::uint32_t& node);

    const std::vector<CXlsLexeme>& m_lexemes;
    std::size_t m_next = 0;
    CXlsFormulaTree* m_tree = nullptr;
    // "," is the union operator inside parentheses, an argument separator
    // in calls and an error elsewhere.
    bool m_unionAllowed = false;
    std::uint32_t m_depth = 0;
    std::u16string m_error;
    std::size_t m_errorOffset = 0;
};
