// Writes a classified formula tree as BIFF8 tokens in reverse Polish order:
// each token after the operands it consumes, ptgMemFunc before its operand
// with that operand's size, ptgAttr volatile first when the formula calls a
// volatile function, IF with its ptgAttrIf and ptgAttrSkip jumps, array
// constant values to the extra data in the order of their tokens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "server/CXlsFormulaTree.h"

class CXlsFormulaEmitter {
public:
    // Where the EXTERNSHEET index of a token with sheets goes (and, for
    // ptgNameX, its EXTERNNAME index after it): the offset of its two bytes
    // in the tokens and the tree node the token was made from.
    struct SheetSlot {
        std::size_t offset;
        std::uint32_t node;
    };

    // Appends the tree's tokens, extra data and sheet slots (left 0 in the
    // tokens). False, with the output incomplete, when a ptgMemFunc operand
    // or a jump grows past what its 16-bit size can say.
    static bool Run(const CXlsFormulaTree& tree, std::vector<std::uint8_t>& tokens,
                    std::vector<std::uint8_t>& extra, std::vector<SheetSlot>& slots);
};
