// FONT record (0x0031) of the workbook globals: one entry of the font
// table. Holds a copy of the payload; every accessor reads it on demand and
// gives 0 (or an empty name) for a field the payload does not hold.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelRecordWBFONT : public CTListNode<CExcelRecordWBFONT> {
public:
    // Any record with a non-empty spill file is taken.
    static bool AcceptsRawLength(std::uint32_t rawLength) { return rawLength != 0; }

    // payload: the record body after its 4-byte header (n bytes, copied).
    CExcelRecordWBFONT(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordWBFONT(const CExcelRecordWBFONT&) = delete;
    CExcelRecordWBFONT& operator=(const CExcelRecordWBFONT&) = delete;
    virtual ~CExcelRecordWBFONT() = default;

    std::uint16_t GetHeight() const;        // twips
    std::uint32_t GetHeightPoints() const;  // whole points (twips / 20, rounded down)
    bool IsBold() const;                    // option bit 0 (older writers)
    bool IsItalic() const;                  // option bit 1
    bool IsUnderlined() const;              // option bit 2, as the preview takes it
    bool IsStrikeOut() const;               // option bit 3
    std::uint16_t GetColorIndex() const;
    std::uint16_t GetWeight() const;
    std::uint16_t GetEscapement() const;    // 0 none, 1 superscript, 2 subscript
    std::uint8_t GetUnderlineKind() const;  // 0 none, 1 single, 2 double, 0x21 / 0x22 accounting
    std::uint8_t GetCharSet() const;
    std::u16string GetName() const;
    const CByteBuffer& GetPayload() const { return m_payload; }

private:
    CByteBuffer m_payload;
};
