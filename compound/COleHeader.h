// The first 512 bytes of a compound file, owned, with typed reads of the
// fields booklift uses. The buffer is zero-filled until Assign() copies the
// header in, so a file too short to hold one reads as all zeros.
#pragma once

#include <array>
#include <cstdint>

#include "compound/CompoundFormat.h"

class COleHeader {
public:
    COleHeader() { m_bytes.fill(0); }
    virtual ~COleHeader() = default;
    COleHeader(const COleHeader&) = default;
    COleHeader& operator=(const COleHeader&) = default;

    // Copies the 512 header bytes.
    void Assign(const std::uint8_t* bytes);
    const std::uint8_t* Data() const { return m_bytes.data(); }

    bool HasSignature() const;
    std::uint16_t GetByteOrder() const;
    std::uint16_t GetSectorShift() const;
    std::uint16_t GetMiniSectorShift() const;
    std::uint32_t GetFatSectorCount() const;
    std::int32_t GetFirstDirectorySector() const;
    std::uint32_t GetMiniStreamCutoff() const;
    std::int32_t GetFirstMiniFatSector() const;
    std::uint32_t GetMiniFatSectorCount() const;
    std::int32_t GetFirstDifatSector() const;
    std::uint32_t GetDifatSectorCount() const;

    // Whether the shifts are those of the sizes booklift reads (sector
    // shift 9, mini sector shift 6); see CompoundFormat.h.
    bool HasReadableSectorSizes() const;

    // The eleven structure conditions for a file of fileLength bytes, as
    // EStructureFlag bits; a set bit is a condition that fails.
    std::uint32_t AnalyzeStructure(std::uint32_t fileLength) const;

private:
    std::array<std::uint8_t, CompoundFormat::kHeaderSize> m_bytes;
};
