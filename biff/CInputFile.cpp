#include "biff/CInputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Reads up to this size go through the window; the window is refilled with
// this many bytes from the first byte asked for.
constexpr std::size_t kSmallRead = 4096;
constexpr std::size_t kWindowSize = 64 * 1024;

}  // namespace

CInputFile::~CInputFile() {
    Close();
}

bool CInputFile::Open(const std::filesystem::path& path) {
    Close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    // A folder or a device has no byte stream of its own to scan.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

void CInputFile::Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_length = 0;
    m_window.clear();
    m_windowStart = 0;
}

std::size_t CInputFile::ReadDirect(std::uint64_t offset, std::uint8_t* out, std::size_t n) const {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(m_fd, out + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // read error, or the file shrank under us
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t CInputFile::ReadAt(std::uint64_t offset, void* out, std::size_t n) const {
    if (m_fd < 0 || offset >= m_length || n == 0) return 0;
    // Bounded by the length taken at Open, so that a file that grows while
    // we read it cannot make a walk longer than the one we planned.
    const std::uint64_t available = m_length - offset;
    if (n > available) n = static_cast<std::size_t>(available);
    auto* bytes = static_cast<std::uint8_t*>(out);
    if (n > kSmallRead) return ReadDirect(offset, bytes, n);

    const bool inWindow = offset >= m_windowStart && offset - m_windowStart + n <= m_window.size();
    if (!inWindow) {
        m_window.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, available)));
        m_window.resize(ReadDirect(offset, m_window.data(), m_window.size()));
        m_windowStart = offset;
        if (m_window.size() < n) n = m_window.size();
    }
    std::memcpy(bytes, m_window.data() + (offset - m_windowStart), n);
    return n;
}
