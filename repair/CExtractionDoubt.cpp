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
    {EExtractionDoubt::RepeatedSector, "it holds the same sector twice in a row"},
    {EExtractionDoubt::NothingRecovered, "its scan found neither a sheet nor a cell"},
};

// The copy read in 512-byte sectors: the same bytes twice in a row are what
// a chain that repeats a sector gives. A sound stream holds them only as
// runs of zeros (padding), which are left alone.
constexpr std::size_t kSector = 512;

bool RepeatsASector(std::ifstream& in) {
    std::array<char, kSector> previous{};
    std::array<char, kSector> current{};
    bool havePrevious = false;
    while (in.read(current.data(), kSector)) {
        const bool zero =
            std::all_of(current.begin(), current.end(), [](char c) { return c == 0; });
        if (havePrevious && !zero && current == previous) return true;
        previous = current;
        havePrevious = true;
    }
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
    return RepeatsASector(in) ? EExtractionDoubt::RepeatedSector : EExtractionDoubt::None;
}

const char* CExtractionDoubt::Describe(EExtractionDoubt doubt) {
    for (const DoubtText& entry : kTexts)
        if (entry.doubt == doubt) return entry.text;
    return "unknown";
}
