#include "formula/CExcelFormulaHostLookup.h"

#include "formula/CExcelRecordFormula.h"
#include "formula/CExcelSheetFormulas.h"

bool CExcelFormulaHostLookup::Covers(const CExcelRecordFormula& host, std::uint16_t row,
                                     std::uint16_t column) {
    if (host.GetSharedFormulaRecord()) {
        return row >= host.GetSharedFirstRow() && row <= host.GetSharedLastRow() &&
               column >= host.GetSharedFirstColumn() && column <= host.GetSharedLastColumn();
    }
    if (host.GetArrayRecord()) {
        return row >= host.GetArrayFirstRow() && row <= host.GetArrayLastRow() &&
               column >= host.GetArrayFirstColumn() && column <= host.GetArrayLastColumn();
    }
    return false;
}

const CExcelRecordFormula* CExcelFormulaHostLookup::Find(const CExcelSheetFormulas& sheet,
                                                         std::uint16_t row, std::uint16_t column,
                                                         std::uint16_t namedRow,
                                                         std::uint16_t namedColumn) {
    const auto named = sheet.GetFormulaHostIndex().equal_range(
        CExcelSheetFormulas::HostKey(namedRow, namedColumn));
    for (auto it = named.first; it != named.second; ++it) {
        if (Covers(*it->second, row, column)) return it->second;
    }
    const CExcelRecordFormula* holdsMember = nullptr;
    for (const CExcelRecordFormula* host : sheet.GetFormulaHosts()) {
        if (!Covers(*host, row, column)) continue;
        if (Covers(*host, namedRow, namedColumn)) return host;
        if (!holdsMember) holdsMember = host;
    }
    return holdsMember;
}
