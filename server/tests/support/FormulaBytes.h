// Compiled formulas as text for test expectations and failure messages:
// each token in upper-case hex, tokens separated by one blank ("1E0100
// 1E0200 03" for 1+2), split with the token walker.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace servertest {

std::string TokenHex(std::span<const std::uint8_t> tokens);
// Plain hex of bytes without separators.
std::string Hex(std::span<const std::uint8_t> bytes);
// ASCII-only UTF-8 of a UTF-16 text, other characters as "?": enough for
// the compiler's own messages.
std::string Ascii(std::u16string_view text);

}  // namespace servertest
