#include "records/CFormatingRuns.h"

CFormatingRuns::CFormatingRuns(const std::uint8_t* bytes) : m_bytes(bytes, 4) {}

CFormatingRuns::CFormatingRuns(std::uint16_t firstChar, std::uint16_t fontIndex) {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(firstChar & 0xFF), static_cast<std::uint8_t>(firstChar >> 8),
        static_cast<std::uint8_t>(fontIndex & 0xFF), static_cast<std::uint8_t>(fontIndex >> 8)};
    m_bytes.Assign(bytes, 4);
}

CFormatingRuns::CFormatingRuns(const CFormatingRuns& other)
    : CTListNode<CFormatingRuns>(), m_bytes(other.m_bytes) {}
