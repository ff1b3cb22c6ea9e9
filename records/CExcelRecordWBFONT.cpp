#include "records/CExcelRecordWBFONT.h"

#include "records/RecordLayout.h"

CExcelRecordWBFONT::CExcelRecordWBFONT(const std::uint8_t* payload, std::uint32_t n)
    : m_payload(payload, n) {}

std::uint16_t CExcelRecordWBFONT::GetHeight() const {
    return m_payload.ReadU16(biff8::kFontHeight);
}

std::uint32_t CExcelRecordWBFONT::GetHeightPoints() const {
    return GetHeight() / biff8::kTwipsPerPoint;
}

bool CExcelRecordWBFONT::IsBold() const {
    return m_payload.ReadU16(biff8::kFontOptions) & 0x01;
}
bool CExcelRecordWBFONT::IsItalic() const {
    return m_payload.ReadU16(biff8::kFontOptions) & 0x02;
}
bool CExcelRecordWBFONT::IsUnderlined() const {
    return m_payload.ReadU16(biff8::kFontOptions) & 0x04;
}
bool CExcelRecordWBFONT::IsStrikeOut() const {
    return m_payload.ReadU16(biff8::kFontOptions) & 0x08;
}

std::uint16_t CExcelRecordWBFONT::GetColorIndex() const {
    return m_payload.ReadU16(biff8::kFontColor);
}
std::uint16_t CExcelRecordWBFONT::GetWeight() const {
    return m_payload.ReadU16(biff8::kFontWeight);
}
std::uint16_t CExcelRecordWBFONT::GetEscapement() const {
    return m_payload.ReadU16(biff8::kFontEscapement);
}
std::uint8_t CExcelRecordWBFONT::GetUnderlineKind() const {
    return m_payload.ReadU8(biff8::kFontUnderline);
}
std::uint8_t CExcelRecordWBFONT::GetCharSet() const {
    return m_payload.ReadU8(biff8::kFontCharSet);
}

std::u16string CExcelRecordWBFONT::GetName() const {
    // Short form: 8-bit count at 14, flags at 15.
    return m_payload.ReadString(biff8::kFontName, 1);
}
