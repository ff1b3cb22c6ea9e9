// Writes a version-3 compound file (512-byte sectors) that holds one
// stream, "Workbook", under the Root Entry.
//
// The stream's bytes go to the sink as they come: the stream occupies
// sectors 0, 1, 2 ... right after the header, so stream offset o lands at
// sink offset 512 + o. Finish pads the stream to at least 4096 bytes (so
// that it never belongs in the mini stream) and to a whole sector, then
// appends the directory sector, the FAT sectors and, for more than 109 FAT
// sectors, the DIFAT sectors, and writes the header last.
//
// As a CByteSink, offsets and positions count from the stream's first byte.
#pragma once

#include <cstdint>

#include "server/CByteSink.h"

class CCompoundFileWriter : public CByteSink {
public:
    // The largest stream written: its size field is 32 bits.
    static constexpr std::uint64_t kMaxStreamSize = 0xFFFF0000;

    // The sink must be empty; it must outlive the writer.
    explicit CCompoundFileWriter(CByteSink& sink);
    CCompoundFileWriter(const CCompoundFileWriter&) = delete;
    CCompoundFileWriter& operator=(const CCompoundFileWriter&) = delete;

    bool Write(const std::uint8_t* bytes, std::size_t n) override;
    bool Overwrite(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n) override;
    std::uint64_t Position() const override { return m_streamSize; }

    // Completes the file. No stream bytes may follow.
    bool Finish();

    // Sector counts of the finished file (for tests and reports).
    std::uint32_t FatSectors() const { return m_fatSectors; }
    std::uint32_t DifatSectors() const { return m_difatSectors; }

private:
    bool Begin();
    bool Fail() {
        m_failed = true;
        return false;
    }
    bool WriteZeros(std::uint64_t n);
    bool WriteDirectory();
    bool WriteFat();
    bool WriteDifat();
    bool WriteHeader();

    CByteSink& m_sink;
    std::uint64_t m_streamSize = 0;
    std::uint32_t m_streamSectors = 0;
    std::uint32_t m_fatSectors = 0;
    std::uint32_t m_difatSectors = 0;
    bool m_begun = false;
    bool m_finished = false;
    bool m_failed = false;
};
