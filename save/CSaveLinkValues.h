// The link values of the save: the values of other workbooks' cells that a
// model's workbook cached (its XCT and CRN records) are handed to the
// server's workbook through Workbook.SetLinkValue, by the other workbook's
// readable path and sheet name as the formulas write them, so that the
// saved links keep them. Caches of a SUPBOOK that is not another workbook,
// or whose path or sheet name cannot be read, are left out.
#pragma once

#include <cstdint>

class CExcelWorkBook;
class CXLEzAutomation;

class CSaveLinkValues {
public:
    // False when a stop request ended the phase. The counts add up over
    // calls.
    bool Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook);

    std::uint32_t GetWrittenCount() const { return m_written; }
    std::uint32_t GetRefusedCount() const { return m_refused; }

private:
    std::uint32_t m_written = 0;
    std::uint32_t m_refused = 0;
};
