#include "save/CSaveFileMover.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Closes a descriptor on every path out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    bool Close() {
        if (m_fd < 0) return true;
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies everything from in to out; false on any read or write error.
bool CopyContents(int in, int out) {
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (!WriteAll(out, buffer.data(), static_cast<std::size_t>(got))) return false;
    }
}

// Flushes the folder so that a rename made in it survives a crash; a folder
// that cannot be opened or flushed does not undo a rename already made.
void SyncFolder(const std::filesystem::path& folder) {
    const FileDescriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) ::fsync(fd.Get());
}

}  // namespace

bool CSaveFileMover::MoveIntoPlace(const std::filesystem::path& temp,
                                   const std::filesystem::path& destination) {
    return MoveIntoPlace(temp, destination, EMethod::RenameFirst);
}

bool CSaveFileMover::MoveIntoPlace(const std::filesystem::path& temp,
                                   const std::filesystem::path& destination, EMethod method) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(temp, ec)) return false;
    // Copying a file onto itself and then removing the "temporary" one would
    // delete the only copy.
    if (std::filesystem::equivalent(temp, destination, ec)) return true;
    if (method == EMethod::RenameFirst) {
        // rename(2) replaces the destination in one step: readers see the
        // old file or the new one, never a mix and never no file.
        if (::rename(temp.c_str(), destination.c_str()) == 0) {
            SyncFolder(destination.parent_path());
            return true;
        }
        if (errno != EXDEV) return false;
    }
    return CopyIntoPlace(temp, destination);
}

bool CSaveFileMover::CopyIntoPlace(const std::filesystem::path& temp,
                                   const std::filesystem::path& destination) {
    const FileDescriptor in(::open(temp.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0) return false;
    struct stat inStatus {};
    if (::fstat(in.Get(), &inStatus) != 0) return false;

    // The copy is made beside the destination, on its file system, so the
    // final step is again a rename that replaces the destination whole.
    const std::filesystem::path folder = destination.parent_path();
    std::string pattern = (folder / ("." + destination.filename().native() + ".XXXXXX")).native();
    FileDescriptor out(::mkostemp(pattern.data(), O_CLOEXEC));
    if (out.Get() < 0) return false;
    const std::filesystem::path sibling = pattern;

    const bool complete = CopyContents(in.Get(), out.Get()) &&
                          ::fchmod(out.Get(), inStatus.st_mode & 07777) == 0 &&
                          ::fsync(out.Get()) == 0 && out.Close() &&
                          ::rename(sibling.c_str(), destination.c_str()) == 0;
    if (!complete) {
        out.Close();
        ::unlink(sibling.c_str());
        return false;
    }
    SyncFolder(folder);
    // The destination is complete; a temporary file that cannot be removed
    // is left behind in the temporary folder but does not undo the save.
    ::unlink(temp.c_str());
    return true;
}
