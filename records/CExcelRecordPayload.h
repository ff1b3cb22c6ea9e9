// The private copy of one record's payload that the raw-record cell objects
// keep, with the payload length (the fixed size of the type, or the
// record's size for variable-size types). Fields are read on demand at
// payload offsets; a field that lies beyond the copied bytes reads as 0.
#pragma once

#include <cstdint>

#include "biff/CByteBuffer.h"

class CExcelRecordPayload {
public:
    // payload: n bytes after the record header, copied (null only with n 0).
    CExcelRecordPayload(const std::uint8_t* payload, std::uint32_t n);
    virtual ~CExcelRecordPayload() = default;
    CExcelRecordPayload(const CExcelRecordPayload&) = delete;
    CExcelRecordPayload& operator=(const CExcelRecordPayload&) = delete;

    std::uint32_t GetLength() const { return m_length; }
    const CByteBuffer& GetPayload() const { return m_payload; }

protected:
    std::uint8_t U8(std::uint32_t offset) const { return m_payload.ReadU8(offset); }
    std::uint16_t U16(std::uint32_t offset) const { return m_payload.ReadU16(offset); }
    std::uint32_t U32(std::uint32_t offset) const { return m_payload.ReadU32(offset); }

private:
    CByteBuffer m_payload;
    std::uint32_t m_length;
};
