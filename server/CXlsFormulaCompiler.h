// Compiles formula text in the spreadsheet's A1 notation into the BIFF8
// tokens that FORMULA, ARRAY and NAME records hold (CXlsFormulaTokens): what
// the object model's Formula and FormulaArray puts and Names.Add's RefersTo
// store.
//
// Accepted: numbers (ptgInt for whole numbers 0 to 65535, else ptgNum), texts
// in double quotes with "" for a quote, TRUE and FALSE, the error values
// (#NULL!, #DIV/0!, #VALUE!, #REF!, #NAME?, #NUM!, #N/A), cells and areas
// with "$" parts, whole columns (A:C) and rows (2:5), references to other
// sheets of the workbook (Sheet2!A1, 'Q1 2009'!A1:B2, Sheet1:Sheet3!A1,
// Sheet2!#REF!), to deleted sheets (#REF!A1, #REF!#REF!) and to other
// workbooks ('C:\dir\[book.xls]Sheet1'!A1, CXlsFormulaLexer), the operators
// with the spreadsheet's precedence (CXlsFormulaParser), parentheses, calls
// of the built-in functions by name with missing arguments (IF(A1,,2)),
// defined names (Rates, Sheet2!Rates, '[book.xls]'!Rates), calls through
// names and of add-in and newer functions (CXlsFormulaNameBinder), and
// array constants ({1,2;3,4}). Blanks may stand around operators and
// arguments ("SUM( A1, B1 )"). Every formula text that the formula decoder
// prints for a workbook with these sheets and names is accepted.
//
// Refused, with a reason: bad syntax, unknown names and sheets, wrong
// argument counts, texts over 255 characters, tokens over 1800 bytes, and
// more links to sheets, workbooks and add-in functions than the file's
// tables hold.
//
// The links of a formula (SUPBOOK, EXTERNSHEET and EXTERNNAME entries)
// enter the workbook when the formula compiles; a refused formula leaves
// the workbook as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "server/CXlsFormulaEmitter.h"
#include "server/CXlsFormulaTokens.h"
#include "server/CXlsFormulaTree.h"

struct CXlsLexeme;
class CXlsWorkbook;
class CXlsWorksheet;

class CXlsFormulaCompiler {
public:
    // The spreadsheet's limit on the length of formula text.
    static constexpr std::size_t kMaxTextLength = 8192;
    // Lexemes reserved up front (a formula may need more; the list grows).
    static constexpr std::size_t kReservedLexemes = 32;

    // The workbook resolves sheet names and defined names and keeps the
    // links; it must outlive the compiler, as must `sheet`, the sheet the
    // formulas belong to: a cell formula's sheet, a sheet-level name's
    // sheet, or null for a workbook-level name's formula (bare names then
    // mean the workbook's names only).
    explicit CXlsFormulaCompiler(CXlsWorkbook& workbook, const CXlsWorksheet* sheet = nullptr);

    // Compiles `text`, with or without its leading "=". On success `tokens`
    // holds the result; on failure `tokens` is unchanged and ErrorText says
    // why, ErrorOffset where (a character offset into `text`).
    bool Compile(std::u16string_view text, EXlsFormulaKind kind, CXlsFormulaTokens& tokens);
    // Compile for the cell formula of the cell at (row, column), 0-based,
    // of the compiler's sheet, through the workbook's cache of formula
    // shapes: a formula of a shape compiled before is not parsed again.
    bool CompileCell(std::u16string_view text, std::uint32_t row, std::uint32_t column,
                     CXlsFormulaTokens& tokens);

    const std::u16string& ErrorText() const { return m_error; }
    std::size_t ErrorOffset() const { return m_errorOffset; }

private:
    bool Fail(std::size_t offset, std::u16string text);
    // The lexemes of `text` after its "=" (base: 1 when it has one).
    bool Lex(std::u16string_view text, std::vector<CXlsLexeme>& lexemes, std::size_t& base);
    bool CompileLexemes(const std::vector<CXlsLexeme>& lexemes, std::size_t base,
                        EXlsFormulaKind kind, CXlsFormulaTokens& tokens);
    // Registers the links of the slots' tokens and patches their indexes
    // in; false when one does not fit.
    bool Link(const CXlsFormulaTree& tree, const std::vector<CXlsFormulaEmitter::SheetSlot>& slots,
              std::vector<std::uint8_t>& tokens);
    // The EXTERNSHEET index of one token's sheets (and for ptgNameX its
    // EXTERNNAME index); -1 when it does not fit.
    int LinkNode(const CXlsFormulaNode& node, std::uint16_t& nameIndex);

    CXlsWorkbook& m_workbook;
    const CXlsWorksheet* m_sheet;
    std::u16string m_error;
    std::size_t m_errorOffset = 0;
};
