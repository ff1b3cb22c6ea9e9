#include "biff/CInputFile.h"

#include <fcntl.h>
#include <sys/mman.h>
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
// A mapping starts on a multiple of kMapStep and spans two of them, so any
// read of up to kMapStep bytes fits in one; longer reads go through pread.
// Pages of the file count in the process's memory while mapped: a few MiB
// at a time, not the whole stream.
constexpr std::uint64_t kMapStep = 4u << 20;
constexpr std::uint64_t kMapSpan = 2 * kMapStep;

}  // namespace

CInputFile::~CInputFile() {
    Close();
}

bool CInputFile::Open(const std::filesystem::path& path, EAccess access) {
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
    m_mapped = access == EAccess::kMapped;
    return true;
}

void CInputFile::Close() {
    Unmap();
    m_mapped = false;
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

void CInputFile::Unmap() const {
    if (m_map) ::munmap(const_cast<std::uint8_t*>(m_map), m_mapLength);
    m_map = nullptr;
    m_mapStart = 0;
    m_mapLength = 0;
}

bool CInputFile::MapAround(std::uint64_t offset, std::size_t n) const {
    if (m_map && offset >= m_mapStart && offset - m_mapStart + n <= m_mapLength) return true;
    Unmap();
    const std::uint64_t start = offset - offset % kMapStep;
    const auto length = static_cast<std::size_t>(std::min(kMapSpan, m_length - start));
    void* map = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, m_fd, static_cast<off_t>(start));
    if (map == MAP_FAILED) {
        m_mapped = false;
        return false;
    }
    m_map = static_cast<const std::uint8_t*>(map);
    m_mapStart = start;
    m_mapLength = length;
    return true;
}

std::size_t CInputFile::ReadAt(std::uint64_t offset, void* out, std::size_t n) const {
    if (m_fd < 0 || offset >= m_length || n == 0) return 0;
    // Bounded by the length taken at Open, so that a file that grows while
    // we read it cannot make a walk longer than the one we planned.
    const std::uint64_t available = m_length - offset;
    if (n > available) n = static_cast<std::size_t>(available);
    auto* bytes = static_cast<std::uint8_t*>(out);
    if (m_mapped && n <= kMapStep && MapAround(offset, n)) {
        std::memcpy(bytes, m_map + (offset - m_mapStart), n);
        return n;
    }
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
