// Rebuilding the "Workbook" stream from a damaged compound file's sectors
// when its header, FAT, DIFAT or directory cannot say which sectors hold the
// stream, nor in what order.
//
// The stream's records are framed by their declared lengths, and sectors
// cut them anywhere. The walk starts at a sector whose first record is the
// workbook globals' BOF, follows the records by their lengths and, at each
// sector's end, takes as the next sector one where, past the bytes the cut
// record still owes, sound record headers start. It tries the next sector
// in file order first (writers lay streams out in runs), stepping over
// sectors that hold FAT, DIFAT or directory entries; only when that one
// does not fit are the unused sectors searched, within one budget of header
// reads for the whole file. Inside a shared-string table's body, where
// records show only at its end, the strings frame the sectors instead.
// Where nothing fits, the walk takes file order inside a substream and ends
// between substreams.
//
// Blocks are 512 bytes after a 512-byte header, or 4,096 bytes when the
// header is sound and says so. A workbook kept in the mini stream (under
// 4,096 bytes) starts no sector: when no sector starts with the globals'
// BOF, the same walk runs over the file's 64-byte mini sectors instead, as
// the sectors that hold the mini stream cut them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Consecutive sectors the rebuilt stream took in one piece. Sector 0 is the
// first after the header.
struct CSectorRun {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

class CSectorReassembly {
public:
    // Files larger than this are not read whole into memory, nor rebuilt.
    static constexpr std::uint64_t kMaxFileSize = 512ull << 20;

    // Reads source and, when a stream is found, writes it to destination:
    // the sectors it took, whole, in stream order (the last one may end in
    // bytes after the stream's last record). False, and nothing written,
    // when neither a sector nor a mini sector starts with the globals' BOF,
    // for a file too large or unreadable, for a stop request, or when
    // destination cannot be written.
    bool Rebuild(const std::filesystem::path& source, const std::filesystem::path& destination);

    // The sectors of the last Rebuild's stream, in stream order; empty when
    // it found none. Mini sectors when InMiniSectors(): block m then starts
    // m * 64 bytes after the header.
    const std::vector<std::uint32_t>& GetSectors() const { return m_sectors; }
    std::uint32_t GetSectorSize() const { return m_sectorSize; }
    bool InMiniSectors() const { return m_miniSectors; }
    // The file's sectors the stream came from, in stream order: the
    // sectors, or those that hold the mini sectors, each once where mini
    // sectors that follow one another share it.
    std::vector<std::uint32_t> GetFileSectors() const;

    // The sectors as runs of consecutive numbers, in the order given.
    static std::vector<CSectorRun> Runs(const std::vector<std::uint32_t>& sectors);

private:
    std::vector<std::uint32_t> m_sectors;
    std::uint32_t m_sectorSize = 512;
    bool m_miniSectors = false;
};
