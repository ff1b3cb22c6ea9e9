#include "formula/CExcelSheetFormulas.h"

// The lists delete their records, so the destructor needs both record types
// complete.
#include "formula/CExcelRecordFormula.h"
#include "formula/CExcelRecordMulOpTable.h"

CExcelSheetFormulas::CExcelSheetFormulas() = default;

CExcelSheetFormulas::~CExcelSheetFormulas() = default;

void CExcelSheetFormulas::AddFormulaHost(const CExcelRecordFormula& host, std::uint16_t row,
                                         std::uint16_t column) {
    m_hosts.push_back(&host);
    m_hostIndex.emplace(HostKey(row, column), &host);
}

void CExcelSheetFormulas::RemoveFormulas() {
    m_hostIndex = HostIndex();
    m_hosts = std::vector<const CExcelRecordFormula*>();
    m_formulas.RemoveAll();
    m_tables.RemoveAll();
}
