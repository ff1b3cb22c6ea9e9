#include "records/tests/support/MemoryStreamReader.h"

#include <algorithm>
#include <cstring>

namespace testsupport {

MemoryStreamReader::MemoryStreamReader(std::vector<std::uint8_t> bytes)
    : MemoryStreamReader(std::move(bytes), UINT32_MAX) {}

MemoryStreamReader::MemoryStreamReader(std::vector<std::uint8_t> bytes, std::uint32_t end)
    : m_bytes(std::move(bytes)),
      m_end(static_cast<std::uint32_t>(std::min<std::size_t>(end, m_bytes.size()))) {}

bool MemoryStreamReader::Read(std::uint32_t count, std::uint32_t offset, std::uint8_t* out) {
    if (offset > m_end || m_end - offset < count) return false;
    if (count > 0) std::memcpy(out, m_bytes.data() + offset, count);
    return true;
}

}  // namespace testsupport
