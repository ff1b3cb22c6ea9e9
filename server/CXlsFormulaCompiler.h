// Compiles formula text in the spreadsheet's A1 notation into the BIFF8
// tokens that FORMULA and ARRAY records hold (CXlsFormulaTokens): what the
// object model's Formula and FormulaArray puts store.
//
// Accepted: numbers (ptgInt for whole numbers 0 to 65535, else ptgNum), texts
// in double quotes with "" for a quote, TRUE and FALSE, the error values
// (#NULL!, #DIV/0!, #VALUE!, #REF!, #NAME?, #NUM!, #N/A), cells and areas
// with "$" parts, whole columns (A:C) and rows (2:5), references to other
// sheets of the workbook (Sheet2!A1, 'Q1 2009'!A1:B2, Sheet1:Sheet3!A1,
// Sheet2!#REF!), the operators with the spreadsheet's precedence
// (CXlsFormulaParser), parentheses, calls of the built-in functions by name
// with missing arguments (IF(A1,,2)), and array constants ({1,2;3,4}).
// Blanks may stand around operators and arguments ("SUM( A1, B1 )").
// Every formula text that the formula decoder prints for a workbook with
// these sheets is accepted, but for defined names and add-in functions.
//
// Refused, with a reason: bad syntax, unknown functions (add-in ones such as
// IFERROR included) and names (the server defines no names), unknown
// sheets, wrong argument counts, texts over 255 characters, and tokens over
// 1800 bytes.
//
// A reference to another sheet registers a SUPBOOK/EXTERNSHEET entry in the
// workbook when the formula compiles; a refused formula leaves the workbook
// as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "server/CXlsFormulaEmitter.h"
#include "server/CXlsFormulaTokens.h"
#include "server/CXlsFormulaTree.h"

class CXlsWorkbook;

class CXlsFormulaCompiler {
  public:
    // The spreadsheet's limit on the length of formula text.
    static constexpr std::size_t kMaxTextLength = 8192;

    // The workbook resolves sheet names and keeps the 3-D reference table;
    // it must outlive the compiler.
    explicit CXlsFormulaCompiler(CXlsWorkbook& workbook);

    // Compiles `text`, with or without its leading "=". On success `tokens`
    // holds the result; on failure `tokens` is unchanged and ErrorText says
    // why, ErrorOffset where (a character offset into `text`).
    bool Compile(std::u16string_view text, EXlsFormulaKind kind, CXlsFormulaTokens& tokens);

    const std::u16string& ErrorText() const { return m_error; }
    std::size_t ErrorOffset() const { return m_errorOffset; }

  private:
    bool Fail(std::size_t offset, std::u16string text);
    // Whether the EXTERNSHEET table has room for the entries that the
    // slots would add.
    bool ExternSheetsFit(const std::vector<CXlsFormulaEmitter::SheetSlot>& slots) const;

    CXlsWorkbook& m_workbook;
    std::u16string m_error;
    std::size_t m_errorOffset = 0;
};
