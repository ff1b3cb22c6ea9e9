// PALETTE record (0x0092): stored whole, not decoded here and not applied
// to the default palette (CConstData); a consumer reads the payload by its
// BIFF8 layout.
#pragma once

#include <cstdint>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelRecordPALETTE : public CTListNode<CExcelRecordPALETTE> {
public:
    // The raw record (header included) must hold at least 2 bytes.
    static bool AcceptsRawLength(std::uint32_t rawLength) { return rawLength >= 2; }

    // payload: the record body after its header (n bytes, copied).
    CExcelRecordPALETTE(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordPALETTE(const CExcelRecordPALETTE&) = delete;
    CExcelRecordPALETTE& operator=(const CExcelRecordPALETTE&) = delete;
    virtual ~CExcelRecordPALETTE() = default;

    const CByteBuffer& GetPayload() const { return m_payload; }
    std::uint32_t GetLength() const { return m_length; }

    // The body is a u16 count, then for colour index 8 on red, green, blue
    // and one unused byte each. ColorCount is how many colours the body
    // wholly holds, up to the 56 of a palette, whatever the count says.
    static constexpr std::uint32_t kMaxColors = 56;
    std::uint32_t ColorCount() const;
    // Colour i (0 for index 8) as 0xRRGGBB; i below ColorCount.
    std::uint32_t ColorRgb(std::uint32_t i) const;

private:
    CByteBuffer m_payload;
    std::uint32_t m_length;
};
