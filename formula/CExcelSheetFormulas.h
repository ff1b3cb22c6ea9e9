// The formula records of one sheet: FORMULA records with their attached
// SHRFMLA, ARRAY and STRING data, the FORMULA records that hold the tokens
// of shared and array formulas, and TABLE records. Owns the lists; the
// worksheet parser fills them through CExcelFormulaRecordReader, and the
// formula decoder reads them as the sheet it decodes in.
//
// The sheet's cells, place and name are kept elsewhere (CExcelWorkSheet
// derives from this class and from CExcelSheetRecords).
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "biff/CTList.h"

class CExcelRecordFormula;
class CExcelRecordMulOpTable;

class CExcelSheetFormulas {
public:
    CExcelSheetFormulas();
    CExcelSheetFormulas(const CExcelSheetFormulas&) = delete;
    CExcelSheetFormulas& operator=(const CExcelSheetFormulas&) = delete;
    virtual ~CExcelSheetFormulas();

    // FORMULA records with their attached SHRFMLA, ARRAY and STRING data.
    CTList<CExcelRecordFormula>& GetFormulas() { return m_formulas; }
    const CTList<CExcelRecordFormula>& GetFormulas() const { return m_formulas; }
    // The FORMULA records that a SHRFMLA or ARRAY record followed: the
    // records holding the tokens that ptgExp members refer to, in stream
    // order, and by their cell (row << 16 | column; several records may sit
    // on one cell of a damaged sheet). Pointers into the formula list.
    void AddFormulaHost(const CExcelRecordFormula& host, std::uint16_t row, std::uint16_t column);
    const std::vector<const CExcelRecordFormula*>& GetFormulaHosts() const { return m_hosts; }
    using HostIndex = std::unordered_multimap<std::uint32_t, const CExcelRecordFormula*>;
    const HostIndex& GetFormulaHostIndex() const { return m_hostIndex; }
    static std::uint32_t HostKey(std::uint16_t row, std::uint16_t column) {
        return static_cast<std::uint32_t>(row) << 16 | column;
    }

    // TABLE records of exactly 16 bytes.
    CTList<CExcelRecordMulOpTable>& GetTables() { return m_tables; }
    const CTList<CExcelRecordMulOpTable>& GetTables() const { return m_tables; }

    // Deletes the FORMULA and TABLE records and the hosts pointing at them.
    void RemoveFormulas();

private:
    CTList<CExcelRecordFormula> m_formulas;
    CTList<CExcelRecordMulOpTable> m_tables;
    std::vector<const CExcelRecordFormula*> m_hosts;
    HostIndex m_hostIndex;
};
