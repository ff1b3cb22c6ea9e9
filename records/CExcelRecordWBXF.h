// XF record (0x00E0): one cell or style format. Holds a copy of the 20-byte
// payload and reads every field through a table of field offsets; accessors
// of bit groups mask and shift the field that holds them.
#pragma once

#include <cstdint>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelRecordWBXF : public CTListNode<CExcelRecordWBXF> {
public:
    // The ten fields of the payload, in payload order.
    enum EField : std::uint8_t {
        FieldFont = 0,        // u16 font index
        FieldFormat,          // u16 number-format index
        FieldTypeProtection,  // u16 type, protection, parent style
        FieldAlignment,       // u8 horizontal and vertical alignment, wrap
        FieldRotation,        // u8
        FieldIndent,          // u8 indent, shrink, reading direction
        FieldUsedAttributes,  // u8 which groups this XF sets
        FieldBorder,          // u32 border styles, left/right colours, diagonals
        FieldBorderFill,      // u32 top/bottom/diagonal colours, diagonal style, fill pattern
        FieldFillColors,      // u16 pattern and background colours
        FieldCount
    };

    // Only a payload of exactly 20 bytes is an XF record.
    static bool AcceptsRawLength(std::uint32_t rawLength);

    // payload: the 20 bytes after the record header (n bytes, copied; the
    // readers only pass 20, the worksheet parser may pass what it has).
    CExcelRecordWBXF(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordWBXF(const CExcelRecordWBXF&) = delete;
    CExcelRecordWBXF& operator=(const CExcelRecordWBXF&) = delete;
    virtual ~CExcelRecordWBXF() = default;

    // Byte offset of a field in the payload.
    static std::uint32_t FieldOffset(EField field);

    std::uint16_t GetFontIndex() const;
    std::uint16_t GetFormatIndex() const;
    std::uint16_t GetTypeProtection() const;
    std::uint8_t GetAlignment() const;
    std::uint8_t GetRotation() const;
    std::uint8_t GetIndent() const;
    std::uint8_t GetUsedAttributes() const;
    bool IsLocked() const;                        // type and protection bit 0
    bool IsFormulaHidden() const;                 // bit 1
    std::uint8_t GetHorizontalAlignment() const;  // alignment bits 0-2
    bool IsWrapped() const;                       // bit 3
    std::uint8_t GetVerticalAlignment() const;    // bits 4-6
    std::uint8_t GetIndentLevel() const;          // indent bits 0-3
    bool IsShrinkToFit() const;                   // bit 4
    bool IsNumberFormatUsed() const;
    bool IsFontUsed() const;
    bool IsBorderUsed() const;
    bool IsPatternUsed() const;

    std::uint8_t GetLeftBorderStyle() const;    // border word bits 0-3
    std::uint8_t GetRightBorderStyle() const;   // bits 4-7
    std::uint8_t GetTopBorderStyle() const;     // bits 8-11
    std::uint8_t GetBottomBorderStyle() const;  // bits 12-15
    std::uint8_t GetLeftBorderColor() const;    // bits 16-22
    std::uint8_t GetRightBorderColor() const;   // bits 23-29
    bool IsDiagonalDown() const;                // bit 30
    bool IsDiagonalUp() const;                  // bit 31

    std::uint8_t GetTopBorderColor() const;     // border-and-fill word bits 0-6
    std::uint8_t GetBottomBorderColor() const;  // bits 7-13
    std::uint8_t GetDiagonalColor() const;      // bits 14-20
    std::uint8_t GetDiagonalStyle() const;      // bits 21-24
    std::uint8_t GetFillPattern() const;        // bits 26-31

    std::uint8_t GetPatternColor() const;            // fill colours bits 0-6
    std::uint8_t GetPatternBackgroundColor() const;  // bits 7-13

    std::uint32_t GetLength() const { return m_length; }
    const CByteBuffer& GetPayload() const { return m_payload; }

private:
    std::uint32_t ReadField(EField field, std::uint32_t width) const;
    std::uint32_t Bits(EField field, std::uint32_t width, unsigned first, unsigned count) const;

    CByteBuffer m_payload;
    std::uint32_t m_length;
};
