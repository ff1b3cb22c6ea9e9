#include "server/CMemoryByteSink.h"

#include <cstring>

bool CMemoryByteSink::Write(const std::uint8_t* bytes, std::size_t n) {
    if (n > 0) m_bytes.insert(m_bytes.end(), bytes, bytes + n);
    return true;
}

bool CMemoryByteSink::Overwrite(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n) {
    if (offset > m_bytes.size() || n > m_bytes.size() - offset) return false;
    if (n > 0) std::memcpy(m_bytes.data() + offset, bytes, n);
    return true;
}
