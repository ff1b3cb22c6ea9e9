#include "repair/CExtractionDoubt.h"

#include <algorithm>
#include <array>
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
    {EExtractionDoubt::NothingRecovered, "its scan found neither a sheet nor a cell"},
    {EExtractionDoubt::Reassembled,
     "it was rebuilt from the file's sectors without a usable chain"},
};

// The copy read in 512-byte sectors: a chain that comes back to where it
// started repeats the stream's first sector, with the globals' BOF. Sound
// streams hold sectors alike (pictures, runs of formatting), but not that
// one; a first sector of zeros is no sign either.
constexpr std::size_t kSector = 512;

bool RepeatsItsFirstSector(std::ifstream& in) {
    std::array<char, kSector> first{};
    std::array<char, kSector> current{};
    if (!in.read(first.data(), kSector)) return false;
    if (std::all_of(first.begin(), first.end(), [](char c) { return c == 0; })) return false;
    while (in.read(current.data(), kSector))
        if (current == first) return true;
    return false;
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
    in.seekg(0);
    return RepeatsItsFirstSector(in) ? EExtractionDoubt::RepeatedSector : EExtractionDoubt::None;
}

const char* CExtractionDoubt::Describe(EExtractionDoubt doubt) {
    for (const DoubtText& entry : kTexts)
        if (entry.doubt == doubt) return entry.text;
    return "unknown";
}
