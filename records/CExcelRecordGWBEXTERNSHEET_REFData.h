// One REF entry of an EXTERNSHEET record: a SUPBOOK index and the range of
// that book's sheets a 3-D reference covers.
#pragma once

#include <cstdint>

#include "biff/CTList.h"

class CExcelRecordGWBEXTERNSHEET_REFData : public CTListNode<CExcelRecordGWBEXTERNSHEET_REFData> {
public:
    // bytes: the entry's 6 bytes (SUPBOOK index, first sheet, last sheet,
    // u16 each); the caller guarantees all six exist.
    explicit CExcelRecordGWBEXTERNSHEET_REFData(const std::uint8_t* bytes);
    CExcelRecordGWBEXTERNSHEET_REFData(std::uint16_t supBook, std::uint16_t firstSheet,
                                       std::uint16_t lastSheet);
    virtual ~CExcelRecordGWBEXTERNSHEET_REFData() = default;

    std::uint16_t GetSupBookIndex() const { return m_supBook; }
    std::uint16_t GetFirstSheet() const { return m_firstSheet; }
    std::uint16_t GetLastSheet() const { return m_lastSheet; }

private:
    std::uint16_t m_supBook;
    std::uint16_t m_firstSheet;
    std::uint16_t m_lastSheet;
};
