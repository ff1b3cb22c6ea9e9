// A parsed formula as a tree of tokens: each node is one token (its id and
// operand bytes) with the operand subtrees it consumes, in written order,
// each with the class rule its operator or function gives it. The parser
// builds it, the classifier sets the class bits of its token ids, the
// emitter writes it out in reverse Polish order.
//
// Nodes live in one vector and refer to their operands by index; a node is
// always added after its operands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "server/CXlsFormulaSheets.h"
#include "server/CXlsFunctionClasses.h"

// Cell formulas calculate one value; array formulas (FormulaArray) calculate
// over arrays, which changes the classes their tokens get. The formulas of
// defined names (Names.Add's RefersTo) are calculated where the name is
// used: their references are 3-D, their root keeps a reference a reference,
// and their values are converted as in array formulas.
enum class EXlsFormulaKind : std::uint8_t { kCell, kArray, kName };

enum class EXlsNodeKind : std::uint8_t {
    kToken,    // the token id, its operand bytes, after its operands
    kParen,    // ptgParen: invisible to operand classes
    kMemFunc,  // ptgMemFunc: before its one operand, with that operand's size
};

struct CXlsFormulaNode {
    struct Operand {
        std::uint32_t node;
        CXlsOperandRule rule;
    };

    EXlsNodeKind kind = EXlsNodeKind::kToken;
    // With the class bits of its initial class for classed tokens.
    std::uint8_t tokenId = 0;
    std::vector<std::uint8_t> bytes;  // operand bytes after the id
    std::vector<std::uint8_t> extra;  // array constant values
    // Unless kNone, the token's first two operand bytes take the
    // EXTERNSHEET index of these sheets when the formula is compiled (3-D
    // references, ptgNameX); a ptgNameX's next two the index of the
    // EXTERNNAME `externName` of that SUPBOOK.
    CXlsFormulaSheets sheets;
    std::u16string externName;
    std::vector<Operand> operands;
};

struct CXlsFormulaTree {
    std::vector<CXlsFormulaNode> nodes;
    std::uint32_t root = 0;
    // Calls a volatile function: the formula starts with ptgAttr volatile.
    bool isVolatile = false;
};
