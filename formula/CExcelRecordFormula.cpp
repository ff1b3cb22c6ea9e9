#include "formula/CExcelRecordFormula.h"

CExcelRecordFormula::CExcelRecordFormula(const std::uint8_t*, std::uint32_t) {}

CExcelRecordFormula::~CExcelRecordFormula() = default;
