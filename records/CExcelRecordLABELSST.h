// LABELSST record (0x00FD): a text cell that refers to an entry of the
// workbook's shared-string table. Keeps the decoded fields rather than the
// payload (a sheet holds one per text cell); an element of the worksheet's
// shared-string cell list.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"

class CExcelWorkbookGlobals;

class CExcelRecordLABELSST final : public CTListNode<CExcelRecordLABELSST> {
public:
    // From n payload bytes (null only with n 0). A field that lies beyond
    // them reads as 0, as the stored record would give it.
    CExcelRecordLABELSST(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordLABELSST(const CExcelRecordLABELSST&) = delete;
    CExcelRecordLABELSST& operator=(const CExcelRecordLABELSST&) = delete;

    std::uint16_t GetRow() const { return m_row; }
    std::uint16_t GetColumn() const { return m_column; }
    std::uint16_t GetXFIndex() const { return m_xfIndex; }
    // 0-based index into the shared strings, as stored.
    std::uint32_t GetSSTIndex() const { return m_sstIndex; }
    // The shared string the index selects in workbook; empty with *found
    // false when the table has no such entry (a lost string).
    std::u16string GetText(const CExcelWorkbookGlobals& workbook, bool* found = nullptr) const;

private:
    std::uint16_t m_row;
    std::uint16_t m_column;
    std::uint16_t m_xfIndex;
    std::uint32_t m_sstIndex;
};
