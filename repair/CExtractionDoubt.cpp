#include "repair/CExtractionDoubt.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>

#include "biff/BiffRecordIds.h"
#include "biff/CBofSignature.h"
#include "compound/EErrorCode.h"

namespace {

struct DoubtText {
    EExtractionDoubt doubt;
    const char* text;
};

constexpr DoubtText kTexts[] = {
    {EExtractionDoubt::None, "none"},
    {EExtractionDoubt::ChainBroken, "its chain comes back to a sector or runs into the FAT"},
    {EExtractionDoubt::SizeDisagrees, "its size field is 0 or disagrees with its chain"},
    {EExtractionDoubt::NoBofAtStart, "it does not start with the workbook's BOF record"},
    {EExtractionDoubt::RepeatedSector, "it repeats its first sector"},
    {EExtractionDoubt::NothingRecovered, "its scan found no cell"},
    {EExtractionDoubt::Reassembled,
     "it was rebuilt from the file's sectors without a usable chain"},
};

// The copy read in 512-byte sectors: a chain that comes back to where it
// started repeats the stream's first sector, with the globals' BOF. Sound
// streams hold sectors alike (pictures, runs of formatting), but not that
// one; a first sector of zeros is no sign either. The copy is mapped, not
// read: it is as large as the stream, and the scan reads it again anyway.
constexpr std::size_t kSector = 512;

bool RepeatsItsFirstSector(const std::filesystem::path& copy) {
    const int fd = ::open(copy.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    const bool sized = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                       static_cast<std::uint64_t>(info.st_size) >= 2 * kSector;
    const std::size_t length = sized ? static_cast<std::size_t>(info.st_size) : 0;
    void* mapped = sized ? ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0) : MAP_FAILED;
    ::close(fd);
    if (mapped == MAP_FAILED) return false;
    ::madvise(mapped, length, MADV_SEQUENTIAL);
    const auto* bytes = static_cast<const std::uint8_t*>(mapped);
    bool repeats = false;
    if (!std::all_of(bytes, bytes + kSector, [](std::uint8_t b) { return b == 0; })) {
        for (std::size_t at = kSector; at + kSector <= length && !repeats; at += kSector)
            repeats = std::memcmp(bytes, bytes + at, kSector) == 0;
    }
    ::munmap(mapped, length);
    return repeats;
}

}  // namespace

EExtractionDoubt CExtractionDoubt::OfCopy(unsigned long copyBits,
                                          const std::filesystem::path& copy) {
    if (copyBits & ErrStreamChain) return EExtractionDoubt::ChainBroken;
    if (copyBits & ErrStreamSize) return EExtractionDoubt::SizeDisagrees;
    std::ifstream in(copy, std::ios::binary);
    std::array<std::uint8_t, biff::kBofTestSize> start{};
    if (!in.read(reinterpret_cast<char*>(start.data()), start.size()) ||
        CBofSignature::SubstreamAt(start.data()) != biff::kSubstreamGlobals)
        return EExtractionDoubt::NoBofAtStart;
    in.close();
    return RepeatsItsFirstSector(copy) ? EExtractionDoubt::RepeatedSector : EExtractionDoubt::None;
}

const char* CExtractionDoubt::Describe(EExtractionDoubt doubt) {
    for (const DoubtText& entry : kTexts)
        if (entry.doubt == doubt) return entry.text;
    return "unknown";
}
