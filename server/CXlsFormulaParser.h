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
// "SUM( A1:A3 )"). IF and CHOOSE are plain ptgFuncVar calls. Any other
// call, F(args), goes through a name (CXlsFormulaNameBinder): its callee's
// ptgName or ptgNameX, the arguments, then ptgFuncVar of function 255 with
// the argument count plus one. Names as operands become ptgName or ptgNameX
// likewise.
//
// "#REF!" is a reference whose cells were deleted, ptgRefErr, wherever it
// stands (in an array constant it is the error value).
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
#include "server/CXlsFormulaNameBinder.h"
#include "server/CXlsFormulaTree.h"

class CXlsWorkbook;

class CXlsFormulaParser {
public:
    // Parentheses, calls, array constants and prefix operators nest at most
    // this deep.
    static constexpr std::uint32_t kMaxNesting = 100;
    // Nodes reserved up front (a formula may need more; the tree grows).
    static constexpr std::size_t kReservedNodes = 32;

    // The lexemes must end with kEnd and outlive the parser, as must the
    // workbook (null: one without names). `ownSheetId` is the id of the
    // sheet the formula belongs to, CXlsDefinedName::kWorkbookScope for
    // none. In a name's formula (kName) a reference without a sheet part is
    // made 3-D to that sheet (else to the active sheet), and "," joins
    // areas at the top level (Sheet1!$A$1:$A$3,Sheet1!$C$1).
    CXlsFormulaParser(const std::vector<CXlsLexeme>& lexemes, const CXlsWorkbook* workbook,
                      std::uint32_t ownSheetId, EXlsFormulaKind kind);

    // False on the first syntax fault, an unknown name, or a call of a
    // built-in function with the wrong number of arguments, with ErrorText and
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
    bool ParseNamedCall(const CXlsLexeme& call, std::uint32_t& node);
    // The arguments up to ")", with their rules: those of the built-in
    // function `index`, or of a call through a name when it is negative.
    bool ParseArguments(const CXlsLexeme& call, int index,
                        std::vector<CXlsFormulaNode::Operand>& arguments);
    bool ParseArray(std::uint32_t& node);
    bool ParseArrayValue(std::vector<std::uint8_t>& values);
    bool ParseName(std::uint32_t& node);
    // A name formula's reference without a sheet part: on the name's sheet,
    // else the active one.
    CXlsFormulaSheets OwnSheet() const;

    const std::vector<CXlsLexeme>& m_lexemes;
    const CXlsWorkbook* m_workbook;
    std::uint32_t m_ownSheetId;
    EXlsFormulaKind m_kind;
    CXlsFormulaNameBinder m_binder;
    std::size_t m_next = 0;
    CXlsFormulaTree* m_tree = nullptr;
    // "," is the union operator inside parentheses, an argument separator
    // in calls and an error elsewhere.
    bool m_unionAllowed = false;
    std::uint32_t m_depth = 0;
    std::u16string m_error;
    std::size_t m_errorOffset = 0;
};
