// One workbook found in the scan file (one "Workbook globals" substream):
// its global tables (CExcelWorkbookGlobals, filled by the globals scan and
// the record decoders) and its sheets.
//
// Owns every list. start and end are the globals substream's offsets in the
// scan file (start = its BOF, end = where the next substream found begins).
// The workbook's own list link comes from CTListNode; the parsed workbook
// (CExcelData) owns the list of workbooks.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"
#include "formula/CExcelFormulaWorkbook.h"
#include "model/CExcelWorkSheetList.h"

class CExcelWorkBook : public CTListNode<CExcelWorkBook>, public CExcelFormulaWorkbook {
public:
    CExcelWorkBook();
    CExcelWorkBook(std::uint32_t start, std::uint32_t end);
    ~CExcelWorkBook() override;

    CExcelWorkSheetList& GetWorksheets() { return m_worksheets; }
    const CExcelWorkSheetList& GetWorksheets() const { return m_worksheets; }

    std::u16string GetSheetName(std::uint16_t index) const override;
    const CExcelSheetFormulas* GetSheetFormulas(std::uint32_t index) const override;
    std::uint32_t GetSheetNumber(const CExcelSheetFormulas* sheet) const override;

    std::uint32_t GetStart() const { return m_start; }
    void SetStart(std::uint32_t start) { m_start = start; }
    std::uint32_t GetEnd() const { return m_end; }
    void SetEnd(std::uint32_t end) { m_end = end; }

private:
    CExcelWorkSheetList m_worksheets;
    std::uint32_t m_end = 0;
    std::uint32_t m_start = 0;
};
