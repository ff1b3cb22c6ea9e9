#include "compound/COleHeader.h"

#include <cstring>

#include "compound/EStructureFlag.h"
#include "compound/LittleEndian.h"

using namespace CompoundFormat;

void COleHeader::Assign(const std::uint8_t* bytes) {
    std::memcpy(m_bytes.data(), bytes, m_bytes.size());
}

bool COleHeader::HasSignature() const {
    return std::memcmp(&m_bytes[kSignatureOffset], kSignature, kSignatureSize) == 0;
}

std::uint16_t COleHeader::GetByteOrder() const {
    return LittleEndian::U16(&m_bytes[kByteOrderOffset]);
}
std::uint16_t COleHeader::GetSectorShift() const {
    return LittleEndian::U16(&m_bytes[kSectorShiftOffset]);
}
std::uint16_t COleHeader::GetMiniSectorShift() const {
    return LittleEndian::U16(&m_bytes[kMiniSectorShiftOffset]);
}
std::uint32_t COleHeader::GetFatSectorCount() const {
    return LittleEndian::U32(&m_bytes[kFatSectorCountOffset]);
}
std::int32_t COleHeader::GetFirstDirectorySector() const {
    return LittleEndian::I32(&m_bytes[kFirstDirectorySectorOffset]);
}
std::uint32_t COleHeader::GetMiniStreamCutoff() const {
    return LittleEndian::U32(&m_bytes[kMiniStreamCutoffOffset]);
}
std::int32_t COleHeader::GetFirstMiniFatSector() const {
    return LittleEndian::I32(&m_bytes[kFirstMiniFatSectorOffset]);
}
std::uint32_t COleHeader::GetMiniFatSectorCount() const {
    return LittleEndian::U32(&m_bytes[kMiniFatSectorCountOffset]);
}
std::int32_t COleHeader::GetFirstDifatSector() const {
    return LittleEndian::I32(&m_bytes[kFirstDifatSectorOffset]);
}
std::uint32_t COleHeader::GetDifatSectorCount() const {
    return LittleEndian::U32(&m_bytes[kDifatSectorCountOffset]);
}
bool COleHeader::HasReadableSectorSizes() const {
    return GetSectorShift() == kSectorShiftV3 && GetMiniSectorShift() == kMiniSectorShift;
}

std::uint32_t COleHeader::AnalyzeStructure(std::uint32_t fileLength) const {
    // N - 1 and N - 2 go negative for files shorter than two sectors; signed
    // 64-bit keeps those comparisons honest.
    const std::int64_t n = static_cast<std::int64_t>(fileLength / kSectorSize);
    const std::uint16_t byteOrder = GetByteOrder();
    const std::int64_t firstDirectory = GetFirstDirectorySector();

    struct Check {
        bool holds;
        std::uint32_t bit;
    };
    const Check checks[] = {
        {HasSignature(), StructSignature},
        {byteOrder == 0xFEFF || byteOrder == 0xFFFE, StructByteOrder},
        {GetSectorShift() == kSectorShiftV3, StructSectorShift},
        {GetMiniSectorShift() == kMiniSectorShift, StructMiniSectorShift},
        {GetFatSectorCount() <= n - 1, StructFatSectorCount},
        {firstDirectory >= 0 && firstDirectory <= n - 2, StructFirstDirectory},
        {GetMiniStreamCutoff() == kMiniStreamCutoff, StructMiniStreamCutoff},
        {GetFirstMiniFatSector() <= n - 2, StructFirstMiniFat},
        {GetMiniFatSectorCount() <= n - 1, StructMiniFatSectorCount},
        {GetFirstDifatSector() <= n - 2, StructFirstDifat},
        {GetDifatSectorCount() <= n - 1, StructDifatSectorCount},
    };
    std::uint32_t failures = 0;
    for (const Check& check : checks) {
        if (!check.holds) failures |= check.bit;
    }
    return failures;
}
