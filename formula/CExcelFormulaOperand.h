// One entry of the formula decoder's operand stack: the text of an operand
// (a reference, a constant, or an operator applied to operands) and the
// link to the entry above it. Created by the token handlers; the stack owns
// its entries. An operand that is a defined name may be the function that a
// user-defined call (function 255) names.
#pragma once

#include <string>
#include <utility>

#include "biff/CTList.h"

class CExcelFormulaOperand : public CTListNode<CExcelFormulaOperand> {
public:
    explicit CExcelFormulaOperand(std::u16string text, bool isName = false);
    CExcelFormulaOperand(const CExcelFormulaOperand&) = delete;
    CExcelFormulaOperand& operator=(const CExcelFormulaOperand&) = delete;
    virtual ~CExcelFormulaOperand();

    const std::u16string& GetText() const { return m_text; }
    void SetText(std::u16string text) { m_text = std::move(text); }
    // Moves the text out, leaving the operand empty.
    std::u16string TakeText() { return std::move(m_text); }
    // Whether the operand is a resolved defined name and nothing more.
    bool IsName() const { return m_isName; }

private:
    std::u16string m_text;
    bool m_isName;
};
