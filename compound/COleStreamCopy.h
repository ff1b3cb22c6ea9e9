// Copies the bytes of one directory entry's stream from the open source
// file into a new file.
//
// COleStreamChain first walks the entry's chain and settles the sectors and
// the length to copy. A stream in the mini stream (the chain of directory
// entry 0) is read in 64-byte mini sectors; any other in 512-byte sectors,
// whatever the header's shifts say. A piece that lies wholly or partly
// outside the file is skipped whole and leaves no gap: the output is the
// concatenation of the pieces that could be read, in chain order, at most
// the settled length. The numbers of the pieces skipped and where the
// walk was cut go to the container's CStreamDamage. Memory use is two bounded buffers (the file
// read ahead, the output not yet written), never the stream size field.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

class CDataContainerOle;
class CFileHandle;
class COleStreamChain;

class COleStreamCopy {
public:
    // source must be open; both must outlive the copy.
    COleStreamCopy(const CFileHandle& source, CDataContainerOle& container)
        : m_source(source), m_container(container) {}
    virtual ~COleStreamCopy() = default;

    // Copies entry id to output (created or truncated). Returns 0,
    // ErrEntryIndex (no such entry; nothing is created) or ErrCreateOutput
    // (the output cannot be created or written) alone, or else the bits of
    // the walk (ErrStreamChain or ErrStreamSize, see COleStreamChain) and of
    // the pieces (ErrStreamSector: pieces skipped) ORed.
    std::uint32_t Copy(std::int32_t id, const std::filesystem::path& output);

private:
    enum class EPiece { Copied, Skipped, WriteFailed };
    // What the chain walk does after one piece.
    enum class EStep { Next, Last, Stop };

    // The loops over the walked chain; each returns 0, ErrStreamSector or
    // ErrCreateOutput.
    std::uint32_t CopyRegular(const COleStreamChain& chain, CFileHandle& out);
    std::uint32_t CopyMini(const COleStreamChain& chain, CFileHandle& out);
    // One piece of `unit` bytes (sector or mini sector `number`) at file
    // offset p: range tests, copy, and the bit to OR into result.
    EStep CopyUnit(std::int32_t number, std::uint64_t p, std::uint64_t unit, std::uint64_t size,
                   CFileHandle& out, std::uint32_t& result);
    // Counts piece `number` as skipped: ErrStreamSector, and its number kept.
    void Skip(std::int32_t number, std::uint32_t& result);
    // Reads c bytes at file offset p and appends them, after the range tests
    // every piece passes.
    EPiece CopyPiece(std::uint64_t p, std::uint64_t c, CFileHandle& out);
    // c bytes at file offset p (inside the file) into `into`, through the
    // read-ahead window.
    bool ReadPiece(std::uint64_t p, std::uint8_t* into, std::uint64_t c);
    // Writes the pieces held back; false when the output would not take them.
    bool Flush(CFileHandle& out);

    static constexpr std::uint64_t kReadWindow = 64 * 1024;
    static constexpr std::size_t kWriteBuffer = 1024 * 1024;

    const CFileHandle& m_source;
    CDataContainerOle& m_container;
    std::uint64_t m_written = 0;
    bool m_mini = false;                  // the pieces are mini sectors
    std::vector<std::uint8_t> m_pending;  // copied, not yet written
    std::vector<std::uint8_t> m_window;   // the file from m_windowAt on
    std::uint64_t m_windowAt = 0;
};
