// make-damaged KIND SEED INPUT OUTPUT: writes INPUT with one kind of damage
// applied, chosen by name, the same every time for the same seed.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/damage/CWorkbookDamage.h"

namespace {

void PrintUsage() {
    std::fprintf(stderr, "Usage: make-damaged KIND SEED INPUT OUTPUT\nKinds:");
    for (EDamageKind kind : CWorkbookDamage::GetKinds())
        std::fprintf(stderr, " %s", std::string(CWorkbookDamage::GetName(kind)).c_str());
    std::fprintf(stderr, "\n");
}

}  // namespace

int main(int argc, char** argv) {
    EDamageKind kind;
    char* end = nullptr;
    const unsigned long seed = argc == 5 ? std::strtoul(argv[2], &end, 10) : 0;
    if (argc != 5 || !CWorkbookDamage::FindByName(argv[1], kind) || !end || *end != '\0') {
        PrintUsage();
        return 64;
    }
    std::ifstream in(argv[3], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make-damaged: cannot read %s\n", argv[3]);
        return 1;
    }
    std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
    if (!CWorkbookDamage::Apply(kind, static_cast<std::uint32_t>(seed), file)) {
        std::fprintf(stderr, "make-damaged: %s has nothing that %s damages\n", argv[3], argv[1]);
        return 2;
    }
    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make-damaged: cannot write %s\n", argv[4]);
        return 1;
    }
    std::printf("wrote %s damaged by %s, seed %lu (%zu bytes)\n", argv[4], argv[1], seed,
                file.size());
    return 0;
}
