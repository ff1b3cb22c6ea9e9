#include "server/CFileByteSink.h"

#include <sys/types.h>

#include <cstring>

namespace {

// Cell records are a few bytes each; gathering them costs one system call
// per megabyte instead of one per record.
constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

CFileByteSink::~CFileByteSink() {
    if (m_file) std::fclose(m_file);
}

bool CFileByteSink::Open(const std::filesystem::path& path) {
    if (m_file) return false;
    m_file = std::fopen(path.c_str(), "wb");
    m_buffer.clear();
    m_buffer.reserve(kBufferSize);
    m_flushed = 0;
    m_failed = m_file == nullptr;
    return !m_failed;
}

bool CFileByteSink::Close() {
    if (!m_file) return false;
    const bool flushed = Flush();
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return flushed && closed && !m_failed;
}

bool CFileByteSink::Write(const std::uint8_t* bytes, std::size_t n) {
    if (m_failed || !m_file) return false;
    if (m_buffer.size() + n > kBufferSize && !Flush()) return false;
    if (n >= kBufferSize) {
        if (std::fwrite(bytes, 1, n, m_file) != n)
            m_failed = true;
        else
            m_flushed += n;
        return !m_failed;
    }
    m_buffer.insert(m_buffer.end(), bytes, bytes + n);
    return true;
}

bool CFileByteSink::Overwrite(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n) {
    if (m_failed || !m_file || offset > Position() || n > Position() - offset) return false;
    if (offset >= m_flushed) {
        std::memcpy(m_buffer.data() + (offset - m_flushed), bytes, n);
        return true;
    }
    if (!Flush()) return false;
    const bool done = fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) == 0 &&
                      std::fwrite(bytes, 1, n, m_file) == n && fseeko(m_file, 0, SEEK_END) == 0;
    if (!done) m_failed = true;
    return done;
}

bool CFileByteSink::Flush() {
    if (m_failed || !m_file) return false;
    if (!m_buffer.empty()) {
        if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size()) {
            m_failed = true;
            return false;
        }
        m_flushed += m_buffer.size();
        m_buffer.clear();
    }
    return true;
}
