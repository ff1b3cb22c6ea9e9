// STYLE record (0x0293): names a style XF. Body: XF index u16 (bits 0-11;
// bit 15 set for a built-in style), then for a built-in style its id u8
// and outline level u8, else its name as a long-form unicode string.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelRecordSTYLE : public CTListNode<CExcelRecordSTYLE> {
public:
    // The raw record (header included) must hold at least 3 bytes.
    static bool AcceptsRawLength(std::uint32_t rawLength) { return rawLength >= 3; }

    // payload: the record body after its header (n bytes, copied).
    CExcelRecordSTYLE(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordSTYLE(const CExcelRecordSTYLE&) = delete;
    CExcelRecordSTYLE& operator=(const CExcelRecordSTYLE&) = delete;
    virtual ~CExcelRecordSTYLE() = default;

    std::uint32_t GetLength() const { return m_length; }
    std::uint16_t GetXfIndex() const { return m_payload.ReadU16(0) & 0x0FFF; }
    bool IsBuiltIn() const { return (m_payload.ReadU16(0) & 0x8000) != 0; }
    std::uint8_t GetBuiltInId() const { return m_payload.ReadU8(2); }
    std::uint8_t GetOutlineLevel() const { return m_payload.ReadU8(3); }
    // A user style's name, cut where the body ends; empty for a built-in.
    std::u16string GetName() const;
    const CByteBuffer& GetPayload() const { return m_payload; }

private:
    std::uint32_t m_length;
    CByteBuffer m_payload;
};
