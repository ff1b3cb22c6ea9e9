// A POSIX file descriptor owned by booklift: the source file opened for
// positioned reads, or an output file opened for writing. Closed on
// destruction. Nothing here throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

class CFileHandle {
public:
    CFileHandle() = default;
    virtual ~CFileHandle();
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    // Opens a regular file for reading and records its length. Anything else
    // (a folder, a FIFO, a device) is refused: it has no length to bound our
    // reads and could block.
    bool OpenForReading(const std::filesystem::path& path);
    // Creates or truncates a file for writing.
    bool CreateForWriting(const std::filesystem::path& path);
    // Closes the file; false when the file was open for writing and the
    // final flush failed.
    bool Close();

    bool IsOpen() const { return m_fd >= 0; }
    // Length recorded at open, in bytes.
    std::uint64_t GetLength() const { return m_length; }

    // Reads exactly n bytes at offset. False on a short read or an error; the
    // caller treats that like a sector outside the file.
    bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t n) const;
    // Writes all n bytes at the current position.
    bool Write(const std::uint8_t* bytes, std::size_t n);

private:
    int m_fd = -1;
    bool m_writing = false;
    std::uint64_t m_length = 0;
};
