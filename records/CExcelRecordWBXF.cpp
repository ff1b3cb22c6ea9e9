#include "records/CExcelRecordWBXF.h"

#include "records/RecordLayout.h"

namespace {

// Payload offset of each field, in EField order.
constexpr std::uint8_t kFieldOffsets[CExcelRecordWBXF::FieldCount] = {0, 2, 4,  6,  7,
                                                                      8, 9, 10, 14, 18};

}  // namespace

bool CExcelRecordWBXF::AcceptsRawLength(std::uint32_t rawLength) {
    return rawLength == biff8::kRecordHeaderSize + biff8::kXfPayloadSize;
}

CExcelRecordWBXF::CExcelRecordWBXF(const std::uint8_t* payload, std::uint32_t n)
    : m_payload(payload, n), m_length(n) {}

std::uint32_t CExcelRecordWBXF::FieldOffset(EField field) {
    return field < FieldCount ? kFieldOffsets[field] : biff8::kXfPayloadSize;
}

std::uint32_t CExcelRecordWBXF::ReadField(EField field, std::uint32_t width) const {
    const std::uint32_t at = FieldOffset(field);
    if (width == 1) return m_payload.ReadU8(at);
    if (width == 2) return m_payload.ReadU16(at);
    return m_payload.ReadU32(at);
}

std::uint32_t CExcelRecordWBXF::Bits(EField field, std::uint32_t width, unsigned first,
                                     unsigned count) const {
    return (ReadField(field, width) >> first) & ((1u << count) - 1);
}

std::uint16_t CExcelRecordWBXF::GetFontIndex() const {
    return static_cast<std::uint16_t>(ReadField(FieldFont, 2));
}
std::uint16_t CExcelRecordWBXF::GetFormatIndex() const {
    return static_cast<std::uint16_t>(ReadField(FieldFormat, 2));
}
std::uint16_t CExcelRecordWBXF::GetTypeProtection() const {
    return static_cast<std::uint16_t>(ReadField(FieldTypeProtection, 2));
}
std::uint8_t CExcelRecordWBXF::GetAlignment() const {
    return static_cast<std::uint8_t>(ReadField(FieldAlignment, 1));
}
std::uint8_t CExcelRecordWBXF::GetRotation() const {
    return static_cast<std::uint8_t>(ReadField(FieldRotation, 1));
}
std::uint8_t CExcelRecordWBXF::GetIndent() const {
    return static_cast<std::uint8_t>(ReadField(FieldIndent, 1));
}
std::uint8_t CExcelRecordWBXF::GetUsedAttributes() const {
    return static_cast<std::uint8_t>(ReadField(FieldUsedAttributes, 1));
}
bool CExcelRecordWBXF::IsLocked() const {
    return Bits(FieldTypeProtection, 2, 0, 1);
}
bool CExcelRecordWBXF::IsFormulaHidden() const {
    return Bits(FieldTypeProtection, 2, 1, 1);
}
std::uint8_t CExcelRecordWBXF::GetHorizontalAlignment() const {
    return static_cast<std::uint8_t>(Bits(FieldAlignment, 1, 0, 3));
}
bool CExcelRecordWBXF::IsWrapped() const {
    return Bits(FieldAlignment, 1, 3, 1);
}
std::uint8_t CExcelRecordWBXF::GetVerticalAlignment() const {
    return static_cast<std::uint8_t>(Bits(FieldAlignment, 1, 4, 3));
}
std::uint8_t CExcelRecordWBXF::GetIndentLevel() const {
    return static_cast<std::uint8_t>(Bits(FieldIndent, 1, 0, 4));
}
bool CExcelRecordWBXF::IsShrinkToFit() const {
    return Bits(FieldIndent, 1, 4, 1);
}
bool CExcelRecordWBXF::IsNumberFormatUsed() const {
    return GetUsedAttributes() & biff8::kXfUsedNumberFormat;
}
bool CExcelRecordWBXF::IsFontUsed() const {
    return GetUsedAttributes() & biff8::kXfUsedFont;
}
bool CExcelRecordWBXF::IsBorderUsed() const {
    return GetUsedAttributes() & biff8::kXfUsedBorder;
}
bool CExcelRecordWBXF::IsPatternUsed() const {
    return GetUsedAttributes() & biff8::kXfUsedPattern;
}

std::uint8_t CExcelRecordWBXF::GetLeftBorderStyle() const {
    return static_cast<std::uint8_t>(Bits(FieldBorder, 4, 0, 4));
}
std::uint8_t CExcelRecordWBXF::GetRightBorderStyle() const {
    return static_cast<std::uint8_t>(Bits(FieldBorder, 4, 4, 4));
}
std::uint8_t CExcelRecordWBXF::GetTopBorderStyle() const {
    return static_cast<std::uint8_t>(Bits(FieldBorder, 4, 8, 4));
}
std::uint8_t CExcelRecordWBXF::GetBottomBorderStyle() const {
    return static_cast<std::uint8_t>(Bits(FieldBorder, 4, 12, 4));
}
std::uint8_t CExcelRecordWBXF::GetLeftBorderColor() const {
    return static_cast<std::uint8_t>(Bits(FieldBorder, 4, 16, 7));
}
std::uint8_t CExcelRecordWBXF::GetRightBorderColor() const {
    return static_cast<std::uint8_t>(Bits(FieldBorder, 4, 23, 7));
}
bool CExcelRecordWBXF::IsDiagonalDown() const {
    return Bits(FieldBorder, 4, 30, 1);
}
bool CExcelRecordWBXF::IsDiagonalUp() const {
    return Bits(FieldBorder, 4, 31, 1);
}

std::uint8_t CExcelRecordWBXF::GetTopBorderColor() const {
    return static_cast<std::uint8_t>(Bits(FieldBorderFill, 4, 0, 7));
}
std::uint8_t CExcelRecordWBXF::GetBottomBorderColor() const {
    return static_cast<std::uint8_t>(Bits(FieldBorderFill, 4, 7, 7));
}
std::uint8_t CExcelRecordWBXF::GetDiagonalColor() const {
    return static_cast<std::uint8_t>(Bits(FieldBorderFill, 4, 14, 7));
}
std::uint8_t CExcelRecordWBXF::GetDiagonalStyle() const {
    return static_cast<std::uint8_t>(Bits(FieldBorderFill, 4, 21, 4));
}
std::uint8_t CExcelRecordWBXF::GetFillPattern() const {
    return static_cast<std::uint8_t>(Bits(FieldBorderFill, 4, 26, 6));
}

std::uint8_t CExcelRecordWBXF::GetPatternColor() const {
    return static_cast<std::uint8_t>(Bits(FieldFillColors, 2, 0, 7));
}
std::uint8_t CExcelRecordWBXF::GetPatternBackgroundColor() const {
    return static_cast<std::uint8_t>(Bits(FieldFillColors, 2, 7, 7));
}
