// The parsed model of one compound file: header, DIFAT, FAT, mini FAT,
// directory and the chains attached to the directory entries.
//
// Created empty by CInterfaceOle::ParseFile and filled by COleFileReader and
// COleChainBuilder; a damaged file leaves it partly filled. Owned by the
// CInterfaceOle that created it. A directory entry's id is its position in
// GetEntries().
#pragma once

#include <cstdint>
#include <filesystem>
#include <utility>
#include <vector>

#include "compound/COleDirectoryEntry.h"
#include "compound/COleHeader.h"
#include "compound/CSectorList.h"
#include "compound/CStreamDamage.h"

class CDataContainerOle {
public:
    explicit CDataContainerOle(std::filesystem::path fileName) : m_fileName(std::move(fileName)) {}
    virtual ~CDataContainerOle() = default;
    CDataContainerOle(const CDataContainerOle&) = delete;
    CDataContainerOle& operator=(const CDataContainerOle&) = delete;

    // Length of the source file in bytes, recorded when it was opened; every
    // range test compares against it.
    std::uint32_t GetFileLength() const { return m_fileLength; }
    void SetFileLength(std::uint32_t length) { m_fileLength = length; }
    const std::filesystem::path& GetFileName() const { return m_fileName; }

    COleHeader& GetHeader() { return m_header; }
    const COleHeader& GetHeader() const { return m_header; }
    // Ids of the DIFAT sectors visited, starting with the header's first
    // DIFAT sector id (negative when there is none).
    CSectorList& GetDifatSectorIds() { return m_difatSectorIds; }
    const CSectorList& GetDifatSectorIds() const { return m_difatSectorIds; }
    // FAT sector ids: the header's 109, then 127 from each DIFAT sector.
    CSectorList& GetDifatEntries() { return m_difatEntries; }
    const CSectorList& GetDifatEntries() const { return m_difatEntries; }
    // FAT entries in file order: entry k is the successor of sector k.
    CSectorList& GetFat() { return m_fat; }
    const CSectorList& GetFat() const { return m_fat; }
    // Mini FAT entries in file order: entry k is the successor of mini sector k.
    CSectorList& GetMiniFat() { return m_miniFat; }
    const CSectorList& GetMiniFat() const { return m_miniFat; }
    CSectorList& GetMiniFatChain() { return m_miniFatChain; }
    const CSectorList& GetMiniFatChain() const { return m_miniFatChain; }
    CSectorList& GetDirectoryChain() { return m_directoryChain; }
    const CSectorList& GetDirectoryChain() const { return m_directoryChain; }

    std::vector<COleDirectoryEntry>& GetEntries() { return m_entries; }
    const std::vector<COleDirectoryEntry>& GetEntries() const { return m_entries; }
    std::uint32_t GetEntryCount() const { return static_cast<std::uint32_t>(m_entries.size()); }
    // Entry number id, or null when there is none (negative ids included).
    COleDirectoryEntry* GetEntry(std::int32_t id);
    const COleDirectoryEntry* GetEntry(std::int32_t id) const;

    // What the last stream copy skipped and where its chain was cut; empty
    // before any copy.
    CStreamDamage& GetStreamDamage() { return m_streamDamage; }
    const CStreamDamage& GetStreamDamage() const { return m_streamDamage; }

private:
    std::uint32_t m_fileLength = 0;
    std::filesystem::path m_fileName;
    COleHeader m_header;
    CSectorList m_difatSectorIds;
    CSectorList m_difatEntries;
    CSectorList m_fat;
    CSectorList m_miniFat;
    CSectorList m_miniFatChain;
    CSectorList m_directoryChain;
    std::vector<COleDirectoryEntry> m_entries;
    CStreamDamage m_streamDamage;
};
