// A rectangle of cells as a record stores it: first and last row, first and
// last column. Two forms share these operations: CExcelCelRange8 (the
// 8-byte ranges of MERGEDCELLS) and CExcelCelRange6 (the 6-byte range of a
// TABLE record). The base has no layout: it is never set, every accessor
// returns 0 and its text is empty.
//
// A range keeps a private copy of the form's bytes; nothing is tested
// against any sheet bound.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CByteBuffer.h"

class CExcelCelRange {
public:
    CExcelCelRange() = default;
    CExcelCelRange(const CExcelCelRange&) = default;
    CExcelCelRange& operator=(const CExcelCelRange&) = default;

    // Loads the form's bytes from raw (n bytes available). False, leaving
    // the range as it was, when n is shorter than the form or raw is null.
    virtual bool SetRaw(const std::uint8_t* raw, std::uint32_t n);
    // The same from the data bytes of another buffer.
    virtual bool SetFrom(const CByteBuffer& bytes);
    virtual std::uint16_t GetFirstRow() const;
    virtual std::uint16_t GetLastRow() const;
    virtual std::uint8_t GetFirstColumn() const;
    virtual std::uint8_t GetLastColumn() const;
    virtual bool IsSet() const;
    // "A1:B2" style: first column letters, first row + 1, ":", last column
    // letters, last row + 1. Empty while the range is not set.
    virtual std::u16string GetText() const;
    virtual ~CExcelCelRange() = default;

    // Letters of a column: A-Z for 0-25, then two letters (26 AA, 51 AZ,
    // 52 BA, 255 IV).
    static std::u16string ColumnName(std::uint8_t column);

protected:
    // Byte size of the form (0 for the base) and where its last column
    // lies; the other fields share their offsets between the forms.
    virtual std::uint32_t RawSize() const { return 0; }
    virtual std::uint32_t LastColumnOffset() const { return 0; }

private:
    CByteBuffer m_bytes;
};
