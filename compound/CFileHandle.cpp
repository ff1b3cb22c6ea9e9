#include "compound/CFileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

CFileHandle::~CFileHandle() {
    Close();
}

bool CFileHandle::OpenForReading(const std::filesystem::path& path) {
    Close();
    // O_NONBLOCK so that a FIFO named as the source cannot stall the open;
    // it is refused just below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_writing = false;
    m_length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool CFileHandle::CreateForWriting(const std::filesystem::path& path) {
    Close();
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return false;
    m_fd = fd;
    m_writing = true;
    m_length = 0;
    return true;
}

bool CFileHandle::Close() {
    if (m_fd < 0) return true;
    const int result = ::close(m_fd);
    m_fd = -1;
    return result == 0 || !m_writing;
}

bool CFileHandle::ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t n) const {
    if (m_fd < 0) return false;
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(m_fd, out + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        // 0 is the end of the file: it shrank since it was opened.
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool CFileHandle::Write(const std::uint8_t* bytes, std::size_t n) {
    if (m_fd < 0 || !m_writing) return false;
    std::size_t done = 0;
    while (done < n) {
        const ssize_t put = ::write(m_fd, bytes + done, n - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}
