// Steps over the tokens of a BIFF8 formula: the size of each token from its
// id and, for the two tokens of variable length (ptgStr, ptgAttr), from its
// operand bytes. Used by whatever rewrites compiled formulas in place (the
// reference shifter) and by tests that pick tokens apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CXlsFormulaTokenWalker {
public:
    // The size in bytes of the token at `offset`, its id included; 0 when the
    // id is not a BIFF8 token of a worksheet formula (0x18, 0x1A, 0x1B,
    // 0x30-0x38, 0x3E, 0x3F and their classes, everything from 0x80) or its
    // bytes run past the end of `tokens`.
    static std::size_t TokenSize(std::span<const std::uint8_t> tokens, std::size_t offset);

    // The offsets of every token, in order; false when some token is
    // unknown or cut short (`offsets` then holds those before it).
    static bool Offsets(std::span<const std::uint8_t> tokens, std::vector<std::size_t>& offsets);
};
