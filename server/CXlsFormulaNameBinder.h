// Turns the names written in a formula into their tokens:
//   - a defined name of this workbook becomes ptgName with the name's
//     1-based position in the workbook's table. A bare name is the formula's
//     own sheet's name of that text if it has one, else the workbook's;
//     "Sheet2!Rates" is Sheet2's own name.
//   - a name of another workbook ('[book.xls]'!Rates, '[book.xls]Sheet1'!Rates)
//     becomes ptgNameX naming an EXTERNNAME of that workbook's SUPBOOK.
//   - the callee of a call that is not a built-in function, F(...): the
//     defined name F, else the defined name "_xlfn.F" (how the spreadsheet
//     stores a newer function called through a name), else an add-in
//     function: ptgNameX naming the EXTERNNAME F of the add-in SUPBOOK, with
//     the prefix "_xlfn." for the spreadsheet's newer functions
//     (CXlsNewerFunctions). An add-in function nobody provides is still
//     called so; the spreadsheet shows #NAME? for it.
// The tokens are in the reference class; ptgNameX leaves its EXTERNSHEET
// and EXTERNNAME indexes to the compiler (CXlsFormulaNode::sheets).
#pragma once

#include <cstdint>
#include <string>

#include "server/CXlsFormulaLexer.h"
#include "server/CXlsFormulaTree.h"

class CXlsWorkbook;

class CXlsFormulaNameBinder {
public:
    // `workbook` (null: no names) must outlive the binder; `ownSheetId` is
    // the id of the formula's sheet, CXlsDefinedName::kWorkbookScope for a
    // formula of no sheet (a workbook-level name's).
    CXlsFormulaNameBinder(const CXlsWorkbook* workbook, std::uint32_t ownSheetId);

    // The token of a name operand (a kName lexeme). False, with `error`
    // saying why, when no such name is defined.
    bool Operand(const CXlsLexeme& name, CXlsFormulaNode& node, std::u16string& error) const;
    // The callee token of a call of something that is not a built-in
    // function (a kFunction lexeme).
    bool Callee(const CXlsLexeme& call, CXlsFormulaNode& node, std::u16string& error) const;

private:
    // The position of a defined name in the table the lexeme's sheets
    // select; kNotFound.
    std::size_t Find(const CXlsLexeme& lexeme, const std::u16string& text) const;

    const CXlsWorkbook* m_workbook;
    std::uint32_t m_ownSheetId;
};
