// The conditional-format phase of one worksheet, after its cells are
// written: for every CONDFMT record of the model and every cell rectangle
// it covers (1-based; cut at column IV, skipped when it starts past it),
// its conditions in testing order through FormatConditions.Add, each with
// the formatting it applies (font, lines, fill) in the object model's
// values.
//
// A formula is decoded for each rectangle's own first cell, so that its
// relative references keep their offsets from the cell each condition is
// tested on. The conditions of a rectangle go in all or not at all: the
// first true one wins, so a format short of one would show what the file
// never showed. A rectangle is left out and counted when a formula's decode
// is not sound, or when the server refuses a condition (the conditions
// already added to it are then deleted again).
//
// Colours: file colour indices 8-63 become ColorIndex 1-56, 0-7 (the
// fixed colours, which the palette's first eight repeat) 1-8, anything
// else automatic.
//
// Progress: one step per CONDFMT record. The stop request is checked at the
// start and before every record.
#pragma once

#include <cstdint>
#include <vector>

class CExcelRecordCF;
class CExcelRecordCONDFMT;
class CExcelWorkBook;
class CExcelWorkSheet;
class CSaveProgress;
class CXLEzAutomation;
struct CXLConditionRule;

class CSaveConditionalFormatWriter {
public:
    // All held by reference for the writer's life.
    CSaveConditionalFormatWriter(CXLEzAutomation& automation, const CExcelWorkBook& workbook,
                                 const CExcelWorkSheet& worksheet, CSaveProgress& progress);

    // False when a stop request ended the phase.
    bool Write();

    // Rectangles whose format the server took whole, and those left out.
    std::uint32_t Kept() const { return m_kept; }
    std::uint32_t LeftOut() const { return m_leftOut; }

private:
    // The rules of a format's conditions for the rectangle starting at
    // (row, column); false when a formula cannot be given as text.
    bool MakeRules(const CExcelRecordCONDFMT& record, std::uint32_t row, std::uint32_t column,
                   std::vector<CXLConditionRule>& rules) const;
    bool MakeRule(const CExcelRecordCF& condition, std::uint32_t row, std::uint32_t column,
                  CXLConditionRule& rule) const;

    CXLEzAutomation& m_automation;
    const CExcelWorkBook& m_workbook;
    const CExcelWorkSheet& m_worksheet;
    CSaveProgress& m_progress;
    std::uint32_t m_kept = 0;
    std::uint32_t m_leftOut = 0;
};
