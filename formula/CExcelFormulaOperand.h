// One entry of the formula decoder's operand stack: where the text of an
// operand (a reference, a constant, or an operator applied to operands)
// starts in the decoder's one text buffer, which holds the operands' texts
// back to back, bottom of the stack first. An entry's text runs to the next
// entry's start, the top entry's to the end of the buffer. An operand that
// is a defined name may be the function that a user-defined call (function
// 255) names.
#pragma once

#include <cstdint>

class CExcelFormulaOperand {
public:
    CExcelFormulaOperand(std::uint32_t begin, bool isName) : m_begin(begin), m_isName(isName) {}

    // Offset of the operand's first character in the decoder's text buffer.
    std::uint32_t GetBegin() const { return m_begin; }
    // Whether the operand is a resolved defined name and nothing more.
    bool IsName() const { return m_isName; }

private:
    std::uint32_t m_begin;
    bool m_isName;
};
