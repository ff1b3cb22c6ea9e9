// Feeds arbitrary bytes to the Excel 5.0/95 record translator and checks the
// bound it promises whatever the bytes: a translation a few times the
// input's size at most. A broken bound aborts, so libFuzzer keeps the
// input; the sanitizers catch every read past the input.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "biff/CBiff5Upgrade.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    (void)CBiff5Upgrade::HoldsBiff5Workbook(bytes);
    const std::vector<std::uint8_t> translated = CBiff5Upgrade::Upgrade(bytes);
    Check(translated.size() <= size * 6 + (128u << 10));
    return 0;
}
