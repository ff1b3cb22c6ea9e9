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
// which is how the formula decoder prints them. After the sheet part comes a
// cell or area, "#REF!" (its cells were deleted) or a name (Sheet2!Rates).
//
// Other workbooks are named by their path or URL with the file name in
// brackets, quoted where the text needs it: '[book.xls]Sheet1'!A1,
// [book.xls]Sheet1!A1:B2, 'C:\dir\[book.xls]Sheet 1'!$A$1,
// 'http://host/dir/[book.xls]Sheet1'!A1, '[book.xls]Sheet1:Sheet3'!A1, and
// for their names '[book.xls]'!Name (the whole workbook's) and
// '[book.xls]Sheet1'!Name. A reference to a deleted sheet reads
// #REF!A1, #REF!$A$1:$B$2 or #REF!#REF!.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/CXlsFormulaReference.h"
#include "server/CXlsFormulaSheets.h"

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
    // kReference, kName, kFunction: the sheet part written before it.
    CXlsFormulaSheets sheets;
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
    int LexSheetPrefix(CXlsFormulaSheets& sheets);
    int LexQuotedSheets(CXlsFormulaSheets& sheets);
    int LexKnownSheets(CXlsFormulaSheets& sheets);
    int LexPlainSheets(CXlsFormulaSheets& sheets);
    int LexOtherWorkbookPlain(CXlsFormulaSheets& sheets);
    // "dir\[file]first:last" (the text between the quotes or before the
    // "!") split into the path and sheet names of another workbook.
    bool SplitOtherWorkbook(std::u16string_view text, std::size_t offset,
                            CXlsFormulaSheets& sheets);
    // A name that reads as a number, a cell reference or a Boolean.
    static bool IsPlainOperand(std::u16string_view name);
    // Resolves "first" or "first:last" to sheet positions.
    bool ResolveSheets(std::u16string_view first, std::u16string_view last, std::size_t offset,
                       CXlsFormulaSheets& sheets);
    // The length of the workbook sheet name at `pos`, compared without regard
    // to case, the longest one when several match; 0 when none does.
    std::size_t KnownSheetAt(std::size_t pos, std::size_t& sheet) const;
    // What follows a sheet part: cells, "#REF!" or a name.
    bool LexAfterSheets(CXlsLexeme& lexeme);
    // A name at the cursor, as a kName or, directly followed by "(", a
    // kFunction lexeme.
    void LexName(CXlsLexeme& lexeme);
    // "#REF!A1", "#REF!A1:B2", "#REF!#REF!": true with the lexeme made when
    // the error literal at the cursor is the sheet part of such a reference.
    bool LexDeletedSheet(CXlsLexeme& lexeme);

    std::u16string_view m_text;
    const CXlsWorkbook* m_workbook;
    std::size_t m_lastBang;  // the last "!" of the text, or npos
    std::size_t m_pos = 0;
    std::u16string m_error;
    std::size_t m_errorOffset = 0;
};
