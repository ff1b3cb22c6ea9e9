#include "formula/CExcelFormulaOperand.h"

#include <utility>

CExcelFormulaOperand::CExcelFormulaOperand(std::u16string text, bool isName)
    : m_text(std::move(text)), m_isName(isName) {}

CExcelFormulaOperand::~CExcelFormulaOperand() = default;
