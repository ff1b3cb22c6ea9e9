// Reads the metadata of a compound file into a CDataContainerOle: header,
// DIFAT, FAT, mini FAT and directory sectors, each step tolerant of damage.
// Also runs the stream copy on the file it holds open.
//
// One reader per parse and one per copy. Every operation returns 0 or one
// EErrorCode bit (the copy one per step: see COleStreamCopy) and carries on
// with what it could read. Metadata sectors
// are 512 bytes; metadata sector n is in range only when it lies wholly
// inside the file length recorded at Open(). A sector that cannot be read in
// full counts as out of range.
#pragma once

#include <cstdint>
#include <filesystem>

#include "compound/CFileHandle.h"
#include "compound/CompoundFormat.h"

class CDataContainerOle;

class COleFileReader {
public:
    // container must outlive the reader.
    explicit COleFileReader(CDataContainerOle* container) : m_container(container) {}
    virtual ~COleFileReader() { Close(); }
    COleFileReader(const COleFileReader&) = delete;
    COleFileReader& operator=(const COleFileReader&) = delete;

    // Opens the container's file and records its length in the reader and
    // the container. ErrOpenFile when it cannot be opened.
    std::uint32_t Open();
    // Fills the container's header and appends its 109 DIFAT entries.
    // ErrHeaderTooShort, or ErrSectorShift when the header's shifts are not
    // those of the sector sizes read (the parse goes on at those sizes).
    std::uint32_t ReadHeader();
    // Follows the DIFAT sector chain from the header. ErrDifatChain when a
    // DIFAT sector lies outside the file or the chain comes back to a sector
    // it has visited.
    std::uint32_t ReadDifat();
    // Reads the FAT sectors named by the DIFAT entries up to the first
    // negative one. ErrFatSector when one lies outside the file.
    std::uint32_t ReadFat();
    // Reads the sectors of the mini FAT sector chain (built beforehand by
    // COleChainBuilder). ErrMiniFatSector when one lies outside the file.
    std::uint32_t ReadMiniFat();
    // Reads the sectors of the directory sector chain, four entries each.
    // ErrDirectorySector when one lies outside the file.
    std::uint32_t ReadDirectory();
    // Copies the stream of directory entry id to output (see COleStreamCopy).
    std::uint32_t CopyStream(std::int32_t id, const std::filesystem::path& output);
    void Close() { m_file.Close(); }

    std::uint32_t GetFileLength() const { return m_fileLength; }

private:
    bool IsSectorInRange(std::int32_t n) const;
    // Reads metadata sector n into out (512 bytes); false when it is out of
    // range or cannot be read in full.
    bool ReadSector(std::int32_t n, std::uint8_t* out) const;
    // Metadata sectors that fit wholly in the file after the header.
    std::uint32_t SectorsInFile() const;

    CFileHandle m_file;
    const std::uint32_t m_sectorSize = CompoundFormat::kSectorSize;
    const std::uint32_t m_headerSize = CompoundFormat::kHeaderSize;
    std::uint32_t m_fileLength = 0;
    CDataContainerOle* m_container;
};
