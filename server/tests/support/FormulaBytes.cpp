#include "server/tests/support/FormulaBytes.h"

#include "server/CXlsFormulaTokenWalker.h"

namespace servertest {

std::string Hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
    }
    return text;
}

std::string TokenHex(std::span<const std::uint8_t> tokens) {
    std::vector<std::size_t> offsets;
    if (!CXlsFormulaTokenWalker::Offsets(tokens, offsets)) return "unwalkable " + Hex(tokens);
    std::string text;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::size_t end = i + 1 < offsets.size() ? offsets[i + 1] : tokens.size();
        if (!text.empty()) text.push_back(' ');
        text += Hex(tokens.subspan(offsets[i], end - offsets[i]));
    }
    return text;
}

std::string Ascii(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace servertest
