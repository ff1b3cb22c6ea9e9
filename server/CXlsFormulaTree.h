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
#include <vector>

#include "server/CXlsFunctionClasses.h"

// Cell formulas calculate one value; array formulas (FormulaArray) calculate
// over arrays, which changes the classes their tokens get.
enum class EXlsFormulaKind : std::uint8_t { kCell, kArray };

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
    // A 3-D reference: its first two operand bytes take the EXTERNSHEET
    // index of these sheet positions when the formula is emitted.
    bool is3d = false;
    std::size_t firstSheet = 0;
    std::size_t lastSheet = 0;
    std::vector<Operand> operands;
};

struct CXlsFormulaTree {
    std::vector<CXlsFormulaNode> nodes;
    std::uint32_t root = 0;
    // Calls a volatile function: the formula starts with ptgAttr volatile.
    bool isVolatile = false;
};
