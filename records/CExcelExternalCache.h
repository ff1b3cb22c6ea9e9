// XCT record (0x0059) and the CRN records (0x005A) that follow it: the
// values of cells of one sheet of another workbook as they were when the
// file was saved, so that formulas referring to that workbook compute
// without opening it. They belong to the SUPBOOK record before them.
//
// XCT payload: offset 0 s16 count of CRN records that follow (negative when
// the link was broken), offset 2 u16 the sheet's position in the SUPBOOK's
// sheet list.
// CRN payload: offset 0 u8 last column, offset 1 u8 first column, offset 2
// u16 row, then one value per column: a type byte and its data: 0x00 empty
// (8 unused bytes), 0x01 a number (8-byte double), 0x02 a text (u16
// character count, flags byte, characters), 0x04 a Boolean and 0x10 an
// error code (its byte and 7 unused bytes).
//
// Every value is bounded by the record: a value cut by its end is not kept,
// and neither is anything after it in that record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "biff/CTList.h"

class CExcelRawRecordData;
class CExcelWorkbookGlobals;

class CExcelExternalCache : public CTListNode<CExcelExternalCache> {
public:
    enum class EKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

    struct Cell {
        std::uint16_t row = 0;
        std::uint8_t column = 0;
        EKind kind = EKind::Empty;
        double number = 0.0;
        std::u16string text;
        // The Boolean (0 or 1) or the error code.
        std::uint8_t code = 0;
    };

    // Cells one workbook's caches keep at most, together: a real cache
    // holds the cells its formulas read.
    static constexpr std::size_t kMaxCells = 1 << 20;
    static constexpr std::uint32_t kNoSupBook = 0xFFFFFFFF;

    CExcelExternalCache(std::uint32_t supBook, std::uint16_t sheet)
        : m_supBook(supBook), m_sheet(sheet) {}
    CExcelExternalCache(const CExcelExternalCache&) = delete;
    CExcelExternalCache& operator=(const CExcelExternalCache&) = delete;
    virtual ~CExcelExternalCache() = default;

    // The 0-based position of the SUPBOOK it follows, and the sheet's
    // position in that SUPBOOK's sheet list.
    std::uint32_t GetSupBookIndex() const { return m_supBook; }
    std::uint16_t GetSheetIndex() const { return m_sheet; }
    const std::vector<Cell>& GetCells() const { return m_cells; }

    // Appends the values of one CRN payload (n bytes); the cells kept.
    std::size_t AppendCRN(const std::uint8_t* payload, std::uint32_t n, std::size_t room);

    // The globals scan's readers. An XCT starts a cache tied to the last
    // SUPBOOK read; a CRN adds to the last cache when that still belongs to
    // the last SUPBOOK (a CRN anywhere else is dropped). False for a record
    // that is not kept.
    static bool ReadXCT(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);
    static bool ReadCRN(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);

private:
    std::uint32_t m_supBook;
    std::uint16_t m_sheet;
    std::vector<Cell> m_cells;
};
