#include "formula/CExcelFormulaOperand.h"

#include <utility>

CExcelFormulaOperand::CExcelFormulaOperand(std::u16string text) : m_text(std::move(text)) {}

CExcelFormulaOperand::~CExcelFormulaOperand() = default;
