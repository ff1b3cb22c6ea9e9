#include "server/CXlsFormulaTokenWalker.h"

#include <array>

#include "server/XlsFormulaLayout.h"

namespace {

constexpr std::int8_t kUnknown = -1;
constexpr std::int8_t kVariable = -2;

// Operand bytes after the id, by reference-class id (0x00 to 0x3F), sixteen
// ids a row.
// clang-format off
constexpr std::array<std::int8_t, 0x40> kOperandSizes = {
    // 0x00: -, ptgExp, ptgTbl, then the binary operators
    kUnknown, 4, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0x10: union, range, uplus, uminus, percent, paren, missarg, str, (0x18),
    // attr, (0x1A), (0x1B), err, bool, int, num
    0, 0, 0, 0, 0, 0, 0, kVariable, kUnknown, kVariable, kUnknown, kUnknown, 1, 1, 2, 8,
    // 0x20: array, func, funcvar, name, ref, area, memarea, memerr, memnomem,
    // memfunc, referr, areaerr, refn, arean, memarean, memnomemn
    7, 2, 3, 4, 4, 8, 6, 6, 6, 2, 4, 8, 4, 8, 2, 2,
    // 0x30 to 0x38 unused, namex, ref3d, area3d, referr3d, areaerr3d
    kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown,
    6, 6, 10, 6, 10, kUnknown, kUnknown,
};
// clang-format on

}  // namespace

std::size_t CXlsFormulaTokenWalker::TokenSize(std::span<const std::uint8_t> tokens,
                                              std::size_t offset) {
    if (offset >= tokens.size()) return 0;
    const std::uint8_t id = tokens[offset];
    if (id >= 0x80) return 0;
    const std::int8_t fixed = kOperandSizes[xlsw::BaseId(id)];
    if (fixed == kUnknown) return 0;

    const std::size_t available = tokens.size() - offset - 1;
    std::size_t operand = 0;
    if (fixed >= 0) {
        operand = static_cast<std::size_t>(fixed);
    } else if (id == xlsw::kPtgStr) {
        if (available < 2) return 0;
        const std::size_t characters = tokens[offset + 1];
        const bool wide = (tokens[offset + 2] & xlsw::kStringUtf16) != 0;
        operand = 2 + characters * (wide ? 2 : 1);
    } else {
        // ptgAttr: a kind byte and a u16, and for choose the u16 jump offsets
        // of every case plus the one after the last.
        if (available < 3) return 0;
        operand = 3;
        if (tokens[offset + 1] == xlsw::kAttrChoose) {
            const std::size_t cases = tokens[offset + 2] | (tokens[offset + 3] << 8);
            operand += 2 * (cases + 1);
        }
    }
    return operand <= available ? operand + 1 : 0;
}

bool CXlsFormulaTokenWalker::Offsets(std::span<const std::uint8_t> tokens,
                                     std::vector<std::size_t>& offsets) {
    offsets.clear();
    // Every token takes at least its id byte: one allocation, not one per
    // doubling.
    offsets.reserve(tokens.size());
    std::size_t offset = 0;
    while (offset < tokens.size()) {
        const std::size_t size = TokenSize(tokens, offset);
        if (size == 0) return false;
        offsets.push_back(offset);
        offset += size;
    }
    return true;
}
