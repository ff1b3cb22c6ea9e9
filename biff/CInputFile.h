// A file opened read-only for positioned reads: the scan file that the
// substream search, the globals scan and the worksheet parser walk.
//
// Reads never go past the end of the file: a read that asks for more bytes
// than remain returns the bytes that exist. Offsets count from the first
// byte of the file. The length is taken once, at Open. Small reads are
// served from a window of the file kept in memory, so that walking records
// of a few bytes each does not cost a system call per record.
//
// A file this process wrote itself and that nobody else changes (the copy
// of the Workbook stream) may be opened mapped: reads then copy from a
// mapping of a few MiB of the file that moves with them, without a system
// call or a kernel copy per window. Only such a file: a mapped file that
// shrinks under the reader faults instead of giving a short read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

class CInputFile {
public:
    CInputFile() = default;
    CInputFile(const CInputFile&) = delete;
    CInputFile& operator=(const CInputFile&) = delete;
    virtual ~CInputFile();

    enum class EAccess : std::uint8_t {
        kReads,   // positioned reads: any file
        kMapped,  // a moving mapping: a file of our own that does not shrink
    };

    // Opens path for reading (closing any file held before); false when it
    // cannot be opened or is not a regular file. A mapping that cannot be
    // made falls back to reads.
    bool Open(const std::filesystem::path& path, EAccess access = EAccess::kReads);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // Length in bytes when opened (0 when closed).
    std::uint64_t Length() const { return m_length; }

    // Copies up to n bytes at offset into out and returns how many were
    // copied: fewer than n at the end of the file or on a read error, 0 for
    // an offset at or past the end.
    std::size_t ReadAt(std::uint64_t offset, void* out, std::size_t n) const;

private:
    std::size_t ReadDirect(std::uint64_t offset, std::uint8_t* out, std::size_t n) const;
    // Moves the mapping so that it holds [offset, offset + n); false when it
    // cannot (the reads then go through the window for good).
    bool MapAround(std::uint64_t offset, std::size_t n) const;
    void Unmap() const;

    int m_fd = -1;
    std::uint64_t m_length = 0;
    // The window: m_window holds the file's bytes from m_windowStart on.
    mutable std::vector<std::uint8_t> m_window;
    mutable std::uint64_t m_windowStart = 0;
    // The mapping: m_mapLength bytes of the file from m_mapStart on.
    mutable bool m_mapped = false;
    mutable const std::uint8_t* m_map = nullptr;
    mutable std::uint64_t m_mapStart = 0;
    mutable std::size_t m_mapLength = 0;
};
