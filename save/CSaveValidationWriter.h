// The data-validation phase of one worksheet, after its cells are written:
// for every DV record of the model, one Validation.Add per cell rectangle
// it covers (1-based; cut at column IV, skipped when it starts past it),
// with its type, error style and operator in the object model's numbers,
// its formulas as text and the flags and texts it differs from the
// defaults in.
//
// A formula is decoded for each rectangle's own first cell, so that its
// relative references keep their offsets from the cell each rule applies
// to. A literal list goes in as its items separated by commas. A rule is
// left out and counted when a formula's decode is not sound, when a list
// item holds a comma (the items would split differently), or when the
// server refuses it; nothing else of it is written then.
//
// Progress: one step per DV record. The stop request is checked at the
// start and before every record.
#pragma once

#include <cstdint>
#include <string>

class CExcelRecordDV;
class CExcelWorkBook;
class CExcelWorkSheet;
class CSaveProgress;
class CXLEzAutomation;
struct CXLValidationRule;

class CSaveValidationWriter {
public:
    // All held by reference for the writer's life.
    CSaveValidationWriter(CXLEzAutomation& automation, const CExcelWorkBook& workbook,
                          const CExcelWorkSheet& worksheet, CSaveProgress& progress);

    // False when a stop request ended the phase.
    bool Write();

    // Rules (one per rectangle) the server took, and those left out.
    std::uint32_t Kept() const { return m_kept; }
    std::uint32_t LeftOut() const { return m_leftOut; }

private:
    // The rule of record for the rectangle starting at (row, column);
    // false when a formula cannot be given as text.
    bool MakeRule(const CExcelRecordDV& record, std::uint32_t row, std::uint32_t column,
                  CXLValidationRule& rule) const;

    CXLEzAutomation& m_automation;
    const CExcelWorkBook& m_workbook;
    const CExcelWorkSheet& m_worksheet;
    CSaveProgress& m_progress;
    std::uint32_t m_kept = 0;
    std::uint32_t m_leftOut = 0;
};
