#include "server/CCompoundFileWriter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "server/CLittleEndian.h"
#include "server/XlsRecordLayout.h"

using namespace xlsw;

namespace {

using Sector = std::array<std::uint8_t, kSectorSize>;

// The class id the spreadsheet gives a BIFF8 workbook's root storage,
// {00020820-0000-0000-C000-000000000046}, in its stored byte order.
constexpr std::uint8_t kWorkbookClassId[16] = {0x20, 0x08, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                               0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

std::uint32_t CeilDiv(std::uint64_t n, std::uint64_t d) {
    return static_cast<std::uint32_t>((n + d - 1) / d);
}

void PutEntry(std::uint8_t* entry, std::u16string_view name, std::uint8_t type, std::uint32_t child,
              std::uint32_t start, std::uint32_t size) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        CLittleEndian::PutU16(entry + kDirName + 2 * i, name[i]);
    }
    CLittleEndian::PutU16(entry + kDirNameLength,
                          static_cast<std::uint16_t>(2 * (name.size() + 1)));
    entry[kDirType] = type;
    entry[kDirColor] = kDirBlack;
    CLittleEndian::PutU32(entry + kDirLeft, kNoStream);
    CLittleEndian::PutU32(entry + kDirRight, kNoStream);
    CLittleEndian::PutU32(entry + kDirChild, child);
    CLittleEndian::PutU32(entry + kDirStartSector, start);
    CLittleEndian::PutU32(entry + kDirSize, size);
}

}  // namespace

CCompoundFileWriter::CCompoundFileWriter(CByteSink& sink) : m_sink(sink) {}

bool CCompoundFileWriter::Begin() {
    // The header's place; its content depends on the sector counts.
    m_begun = true;
    Sector zeros{};
    if (m_sink.Position() != 0 || !m_sink.Write(zeros.data(), zeros.size())) return Fail();
    return true;
}

bool CCompoundFileWriter::Write(const std::uint8_t* bytes, std::size_t n) {
    if (!m_begun && !Begin()) return false;
    if (m_failed || m_finished) return false;
    if (n > kMaxStreamSize - m_streamSize || !m_sink.Write(bytes, n)) return Fail();
    m_streamSize += n;
    return true;
}

bool CCompoundFileWriter::Overwrite(std::uint64_t offset, const std::uint8_t* bytes,
                                    std::size_t n) {
    if (m_failed || m_finished || offset > m_streamSize || n > m_streamSize - offset) return false;
    return m_sink.Overwrite(kHeaderSize + offset, bytes, n);
}

bool CCompoundFileWriter::WriteZeros(std::uint64_t n) {
    Sector zeros{};
    while (n > 0) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(n, zeros.size()));
        if (!m_sink.Write(zeros.data(), chunk)) return false;
        n -= chunk;
    }
    return true;
}

bool CCompoundFileWriter::Finish() {
    if (!m_begun && !Begin()) return false;
    if (m_failed || m_finished) return false;
    m_finished = true;

    // The padding belongs to the stream (its size says 4096) up to the
    // cutoff; past that, only the last sector is filled up.
    const std::uint64_t padded = std::max<std::uint64_t>(m_streamSize, kMiniStreamCutoff);
    m_streamSectors = CeilDiv(padded, kSectorSize);
    if (!WriteZeros(static_cast<std::uint64_t>(m_streamSectors) * kSectorSize - m_streamSize)) {
        return Fail();
    }
    m_streamSize = padded;

    // The FAT covers every sector, its own and the DIFAT's included; each
    // count depends on the other, and both only grow, so a few rounds settle.
    std::uint32_t fat = 0;
    std::uint32_t difat = 0;
    for (;;) {
        const std::uint64_t total = static_cast<std::uint64_t>(m_streamSectors) + 1 + fat + difat;
        const std::uint32_t needFat = CeilDiv(total, kSectorIdsPerSector);
        const std::uint32_t needDifat =
            needFat > kHeaderDifatSlots ? CeilDiv(needFat - kHeaderDifatSlots, kDifatIdsPerSector)
                                        : 0;
        if (needFat == fat && needDifat == difat) break;
        fat = needFat;
        difat = needDifat;
    }
    m_fatSectors = fat;
    m_difatSectors = difat;

    if (!WriteDirectory() || !WriteFat() || !WriteDifat() || !WriteHeader()) {
        return Fail();
    }
    return true;
}

bool CCompoundFileWriter::WriteDirectory() {
    Sector sector{};
    PutEntry(sector.data(), u"Root Entry", kDirTypeRoot, 1, kEndOfChain, 0);
    std::memcpy(sector.data() + kDirClassId, kWorkbookClassId, sizeof kWorkbookClassId);
    PutEntry(sector.data() + kDirEntrySize, u"Workbook", kDirTypeStream, kNoStream, 0,
             static_cast<std::uint32_t>(m_streamSize));
    // Unused entries: no name, no type, empty links.
    for (std::uint32_t i = 2; i < kDirEntriesPerSector; ++i) {
        std::uint8_t* entry = sector.data() + i * kDirEntrySize;
        CLittleEndian::PutU32(entry + kDirLeft, kNoStream);
        CLittleEndian::PutU32(entry + kDirRight, kNoStream);
        CLittleEndian::PutU32(entry + kDirChild, kNoStream);
    }
    return m_sink.Write(sector.data(), sector.size());
}

bool CCompoundFileWriter::WriteFat() {
    const std::uint32_t directory = m_streamSectors;
    const std::uint32_t firstFat = directory + 1;
    const std::uint32_t firstDifat = firstFat + m_fatSectors;
    const std::uint32_t end = firstDifat + m_difatSectors;
    std::uint32_t id = 0;
    for (std::uint32_t s = 0; s < m_fatSectors; ++s) {
        Sector sector;
        for (std::uint32_t i = 0; i < kSectorIdsPerSector; ++i, ++id) {
            std::uint32_t next = kFreeSect;
            if (id + 1 < directory)
                next = id + 1;  // the stream's chain runs straight on
            else if (id + 1 == directory || id == directory)
                next = kEndOfChain;
            else if (id < firstDifat)
                next = kFatSect;
            else if (id < end)
                next = kDifSect;
            CLittleEndian::PutU32(sector.data() + 4 * i, next);
        }
        if (!m_sink.Write(sector.data(), sector.size())) return false;
    }
    return true;
}

bool CCompoundFileWriter::WriteDifat() {
    const std::uint32_t firstFat = m_streamSectors + 1;
    const std::uint32_t firstDifat = firstFat + m_fatSectors;
    std::uint32_t fatIndex = kHeaderDifatSlots;
    for (std::uint32_t d = 0; d < m_difatSectors; ++d) {
        Sector sector;
        for (std::uint32_t i = 0; i < kDifatIdsPerSector; ++i, ++fatIndex) {
            CLittleEndian::PutU32(sector.data() + 4 * i,
                                  fatIndex < m_fatSectors ? firstFat + fatIndex : kFreeSect);
        }
        const std::uint32_t next = d + 1 < m_difatSectors ? firstDifat + d + 1 : kEndOfChain;
        CLittleEndian::PutU32(sector.data() + 4 * kDifatIdsPerSector, next);
        if (!m_sink.Write(sector.data(), sector.size())) return false;
    }
    return true;
}

bool CCompoundFileWriter::WriteHeader() {
    Sector header{};
    std::memcpy(header.data(), kSignature, sizeof kSignature);
    CLittleEndian::PutU16(header.data() + kHdrMinorVersion, 0x003E);
    CLittleEndian::PutU16(header.data() + kHdrMajorVersion, 3);
    CLittleEndian::PutU16(header.data() + kHdrByteOrder, 0xFFFE);
    CLittleEndian::PutU16(header.data() + kHdrSectorShift, 9);
    CLittleEndian::PutU16(header.data() + kHdrMiniSectorShift, 6);
    CLittleEndian::PutU32(header.data() + kHdrFatSectors, m_fatSectors);
    CLittleEndian::PutU32(header.data() + kHdrFirstDirSector, m_streamSectors);
    CLittleEndian::PutU32(header.data() + kHdrMiniCutoff, kMiniStreamCutoff);
    CLittleEndian::PutU32(header.data() + kHdrFirstMiniFat, kEndOfChain);
    CLittleEndian::PutU32(header.data() + kHdrMiniFatSectors, 0);
    const std::uint32_t firstFat = m_streamSectors + 1;
    CLittleEndian::PutU32(header.data() + kHdrFirstDifat,
                          m_difatSectors > 0 ? firstFat + m_fatSectors : kEndOfChain);
    CLittleEndian::PutU32(header.data() + kHdrDifatSectors, m_difatSectors);
    for (std::uint32_t i = 0; i < kHeaderDifatSlots; ++i) {
        CLittleEndian::PutU32(header.data() + kHdrDifat + 4 * i,
                              i < m_fatSectors ? firstFat + i : kFreeSect);
    }
    return m_sink.Overwrite(0, header.data(), header.size());
}
