// Splits formula text in A1 notation into lexemes: numbers, texts, error
// literals, TRUE and FALSE, references (with their sheets resolved against
// the workbook), function names with their opening parenthesis, other names,
// operators and punctuation. Blanks between lexemes are dropped but
// remembered, since a blank between two references is the intersection
// operator.
//
// Sheet names are taken quoted ('Q1 2009'!A1, with '' for an apostrophe),
// plain (Sheet2!A1), as a range of sheets (Sheet1:Sheet3!A1), and, for a
// sheet of the workbook, even unquoted where quotes would be due (Q1 2009!A1),
// which is how the formula decoder prints them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/CXlsFormulaReference.h"

class CXlsWorkbook;

enum class EXlsLexemeKind : std::uint8_t {
    kEnd,
    kNumber,
    kString,
    kError,
    kBoolean,
    kReference,
    kFunction,  // a name directly followed by "(", which the lexeme includes
    kName,
    kOperator,
    kComma,
    kSemicolon,
    kOpenParen,
    kCloseParen,
    kOpenBrace,
    kCloseBrace,
};

struct CXlsLexeme {
    EXlsLexemeKind kind = EXlsLexemeKind::kEnd;
    std::size_t offset = 0;    // of its first character in the text
    bool spaceBefore = false;  // blanks separate it from the lexeme before
    bool spaceInside = false;  // kFunction: a blank follows the "("
    // kOperator: the binary operator's token id (kPtgPercent for "%");
    // kError: the error code; kBoolean: 1 for TRUE.
    std::uint8_t code = 0;
    double number = 0.0;
    std::u16string text;  // kString: the characters; kFunction, kName: the name
    CXlsFormulaReference reference;
};

class CXlsFormulaLexer {
  public:
    // `workbook` names the sheets that references may point to; null means
    // none. Both must outlive the lexer.
    CXlsFormulaLexer(std::u16string_view text, const CXlsWorkbook* workbook);

    // The lexemes of the whole text, ending with one kEnd. False at the first
    // fault (an unknown sheet, an unterminated text, a stray character), with
    // ErrorText and ErrorOffset saying what and where.
    bool Run(std::vector<CXlsLexeme>& out);

    const std::u16string& ErrorText() const { return m_error; }
    std::size_t ErrorOffset() const { return m_errorOffset; }

  private:
    bool Fail(std::size_t offset, std::u16string text);
    bool LexOne(CXlsLexeme& lexeme);
    bool LexString(CXlsLexeme& lexeme);
    bool LexErrorLiteral(CXlsLexeme& lexeme);
    bool LexNumber(CXlsLexeme& lexeme);
    bool LexNameOrFunction(CXlsLexeme& lexeme);
    bool LexOperator(CXlsLexeme& lexeme);
    // A sheet part ("...!") at the cursor: 1 when found and resolved (the
    // cursor then stands after the "!"), 0 when there is none, -1 on a fault.
    int LexSheetPrefix(CXlsFormulaReference& reference);
    int LexQuotedSheets(CXlsFormulaReference& reference);
    int LexKnownSheets(CXlsFormulaReference& reference);
    int LexPlainSheets(CXlsFormulaReference& reference);
    // A name that reads as a number, a cell reference or a Boolean.
    static bool IsPlainOperand(std::u16string_view name);
    // Resolves "first" or "first:last" to sheet positions.
    bool ResolveSheets(std::u16string_view first, std::u16string_view last, std::size_t offset,
                       CXlsFormulaReference& reference);
    // The length of the workbook sheet name at `pos`, compared without regard
    // to case, the longest one when several match; 0 when none does.
    std::size_t KnownSheetAt(std::size_t pos, std::size_t& sheet) const;
    bool LexReferenceAfterSheets(CXlsLexeme& lexeme);

    std::u16string_view m_text;
    const CXlsWorkbook* m_workbook;
    std::size_t m_lastBang;  // the last "!" of the text, or npos
    std::size_t m_pos = 0;
    std::u16string m_error;
    std::size_t m_errorOffset = 0;
};
