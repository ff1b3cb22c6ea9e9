// One sheet of a workbook: where its substream lies in the scan file, its
// name and visibility, and the record lists the worksheet parser fills (the
// cell-level records of CExcelSheetRecords, the formula records of
// CExcelSheetFormulas).
//
// Sheets come from BOUNDSHEET records (start = the stream position that the
// record gives, end = 0 until the sheet is placed on a BOF found in the
// file) or from worksheet BOFs that no BOUNDSHEET accounts for. Offsets
// count from the first byte of the scan file.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"
#include "formula/CExcelSheetFormulas.h"
#include "records/CExcelSheetRecords.h"

class CExcelWorkSheet : public CTListNode<CExcelWorkSheet>,
                        public CExcelSheetRecords,
                        public CExcelSheetFormulas {
public:
    CExcelWorkSheet();
    ~CExcelWorkSheet() override;

    // The name, or "unnamed" when it is empty.
    std::u16string GetName() const;
    void SetName(std::u16string name) { m_name = std::move(name); }

    std::uint32_t GetStart() const { return m_start; }
    void SetStart(std::uint32_t start) { m_start = start; }
    std::uint32_t GetEnd() const { return m_end; }
    void SetEnd(std::uint32_t end) { m_end = end; }
    // BOUNDSHEET visibility byte (0 for sheets made from a BOF).
    std::uint32_t GetVisibility() const { return m_visibility; }
    void SetVisibility(std::uint32_t visibility) { m_visibility = visibility; }

    // Deletes the cell records of the content kinds in kinds (CSaveOption
    // bits: NUMBER and RK, FORMULA with its attachments and TABLE, BOOLERR,
    // LABELSST and LABEL). Rows, columns, blanks, merges, comments and the
    // rest stay.
    void RemoveCellRecords(std::uint32_t kinds);

private:
    std::uint32_t m_end = 0;
    std::uint32_t m_start = 0;
    std::uint32_t m_visibility = 0;
    std::u16string m_name;
};
