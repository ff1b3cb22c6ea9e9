// Writes small version-3 compound files (512-byte sectors, 64-byte mini
// sectors, mini stream cutoff 4096) for tests and sample generators, with
// knobs that damage them the way files are found damaged.
//
//     CompoundFileBuilder b;
//     b.AddStream(u"Workbook", bytes);
//     std::vector<std::uint8_t> file = b.Build();
//     const auto* wb = b.GetLayout().Find(u"Workbook");  // where its sectors went
//
// Sector order in the file: FAT, DIFAT, directory, mini FAT, mini stream,
// then the regular streams in the order they were added, so the stream added
// last ends the file (truncate the file to cut its last sector). The
// directory is one storage, "Root Entry", holding every stream; its tree is
// balanced and ordered as writers order it (shorter names first, then
// case-blind).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CompoundFileBuilder {
public:
    static constexpr std::uint32_t kSectorSize = 512;
    static constexpr std::uint32_t kMiniSectorSize = 64;
    static constexpr std::uint32_t kMiniStreamCutoff = 4096;

    // Where Build() placed one stream.
    struct StreamPlacement {
        std::u16string name;
        std::int32_t directoryId = -1;
        std::uint32_t size = 0;
        bool inMiniStream = false;
        // Its chain in order: sector ids, or mini sector ids for a stream in
        // the mini stream. Empty for a stream of size 0.
        std::vector<std::int32_t> sectors;
    };

    // Where Build() placed everything. Sector ids count from the sector after
    // the header: sector n starts at byte SectorOffset(n).
    struct Layout {
        std::uint32_t sectorCount = 0;  // sectors after the header
        std::int32_t pastEnd = 0;       // a sector id just past the end, inside the FAT's range
        std::vector<std::int32_t> fatSectors;
        std::vector<std::int32_t> difatSectors;
        std::vector<std::int32_t> directorySectors;
        std::vector<std::int32_t> miniFatSectors;
        std::vector<std::int32_t> miniStreamSectors;  // the root entry's chain
        std::vector<StreamPlacement> streams;

        const StreamPlacement* Find(const std::u16string& name) const;
        // File offsets of FAT entry k, mini FAT entry k and directory entry id.
        std::uint64_t FatEntryOffset(std::uint32_t k) const;
        std::uint64_t MiniFatEntryOffset(std::uint32_t k) const;
        std::uint64_t DirectoryEntryOffset(std::uint32_t id) const;
        // File offset of mini sector m inside the mini stream.
        std::uint64_t MiniSectorOffset(std::int32_t m) const;
    };

    enum class DifatBreak { None, Loop, PointsOutside };

    static std::uint64_t SectorOffset(std::int32_t sector) {
        return kSectorSize + static_cast<std::uint64_t>(sector) * kSectorSize;
    }

    // Adds a stream under the root storage. Names of up to 32 UTF-16 units
    // (32 leaves no room for the terminating NUL, as a damaged entry may).
    // Streams shorter than 4096 bytes go to the mini stream.
    CompoundFileBuilder& AddStream(std::u16string name, std::vector<std::uint8_t> bytes);

    // --- Damage and shape knobs, applied by Build() ---
    // Names the root storage otherwise ("Root Entry" by default).
    CompoundFileBuilder& SetRootName(std::u16string name);
    // Puts at most n FAT sector ids in the header; the rest go to DIFAT
    // sectors. 0 forces a DIFAT sector even for the smallest file (a reader
    // that stops at the header's first free slot then finds no FAT at all;
    // for a DIFAT it will use, add more than 109 FAT sectors instead).
    CompoundFileBuilder& SetHeaderDifatLimit(std::uint32_t n);
    // Adds n FAT sectors beyond those needed (their entries are free).
    CompoundFileBuilder& SetExtraFatSectors(std::uint32_t n);
    // Pads the directory with free entries to at least n sectors.
    CompoundFileBuilder& SetMinDirectorySectors(std::uint32_t n);
    // Lists a FAT sector id past the end of the file at this position of the
    // FAT sector list (0: before all real ones).
    CompoundFileBuilder& InsertFatSectorPastEnd(std::uint32_t position);
    // Makes the last DIFAT sector point back to the first one, or past the
    // end of the file. Needs a DIFAT sector (see SetHeaderDifatLimit).
    CompoundFileBuilder& BreakDifatChain(DifatBreak how);
    // Makes sector number `from` of the stream's chain continue to its sector
    // number `to` (in the FAT, or the mini FAT for a mini stream), so that
    // the chain loops when to <= from.
    CompoundFileBuilder& LoopChain(const std::u16string& name, std::uint32_t from,
                                   std::uint32_t to);
    // Replaces directory sector number `index` in the directory chain by a
    // sector past the end of the file; the chain goes on with the next one.
    CompoundFileBuilder& SetDirectorySectorOutside(std::uint32_t index);

    // Lays the file out and returns its bytes; GetLayout() then says where
    // everything went.
    std::vector<std::uint8_t> Build();
    const Layout& GetLayout() const { return m_layout; }

private:
    struct Stream {
        std::u16string name;
        std::vector<std::uint8_t> bytes;
    };
    struct Loop {
        std::u16string name;
        std::uint32_t from;
        std::uint32_t to;
    };

    void PlaceSectors();
    void WriteHeader(std::vector<std::uint8_t>& file) const;
    void WriteDifat(std::vector<std::uint8_t>& file) const;
    void WriteTables(std::vector<std::uint8_t>& file);
    void WriteDirectory(std::vector<std::uint8_t>& file) const;
    void WriteStreams(std::vector<std::uint8_t>& file) const;
    std::vector<std::int32_t> FatSectorList() const;

    std::vector<Stream> m_streams;
    std::u16string m_rootName = u"Root Entry";
    std::uint32_t m_headerDifatLimit = 109;
    std::uint32_t m_extraFatSectors = 0;
    std::uint32_t m_minDirectorySectors = 1;
    std::vector<std::uint32_t> m_fatPastEndPositions;
    DifatBreak m_difatBreak = DifatBreak::None;
    std::vector<Loop> m_loops;
    std::vector<std::uint32_t> m_directoryOutside;

    Layout m_layout;
    std::vector<std::int32_t> m_directoryChain;
    std::uint32_t m_miniSectorCount = 0;
};
