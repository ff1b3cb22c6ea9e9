// The sheets of one workbook, in BOUNDSHEET order and then the extra sheets
// found from worksheet BOFs. Owns its sheets.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"
#include "model/CExcelWorkSheet.h"

class CExcelWorkSheetList {
public:
    CExcelWorkSheetList() = default;
    CExcelWorkSheetList(const CExcelWorkSheetList&) = delete;
    CExcelWorkSheetList& operator=(const CExcelWorkSheetList&) = delete;
    virtual ~CExcelWorkSheetList() = default;

    // Appends a new sheet made from sheet: its name as GetName gives it (an
    // empty name becomes "unnamed"), start, end and visibility; the new
    // sheet's record lists start empty. The given sheet stays with the
    // caller. Returns the new sheet.
    CExcelWorkSheet* Add(const CExcelWorkSheet& sheet);
    // Destroys every sheet. For the scan only, before the parser has filled
    // any sheet: it replaces the sheets read from BOUNDSHEET records once
    // they have been checked against the BOFs found.
    void RemoveAll() { m_sheets.RemoveAll(); }

    // GetName of sheet i (from 0), or the empty string when there is none.
    std::u16string GetSheetName(std::uint16_t index) const;

    CExcelWorkSheet* GetAt(std::uint32_t index) const { return m_sheets.GetAt(index); }
    CExcelWorkSheet* GetHead() const { return m_sheets.GetHead(); }
    CExcelWorkSheet* GetTail() const { return m_sheets.GetTail(); }
    std::uint32_t GetCount() const { return m_sheets.GetCount(); }
    CTList<CExcelWorkSheet>::Iterator begin() const { return m_sheets.begin(); }
    CTList<CExcelWorkSheet>::Iterator end() const { return m_sheets.end(); }

private:
    CTList<CExcelWorkSheet> m_sheets;
};
