// Gives every classed token of a formula tree the operand class that BIFF8
// requires of it, so that the spreadsheet calculates what the text says:
// reference class where a function takes a reference (SUM(A1:A3)), value
// class where a value is wanted (A1+1, ABS(A1)), array class where a
// function or an array formula works on arrays.
//
// It walks the tree from the root, which wants a value (in a name's formula
// it keeps its class, as the spreadsheet stores names). At each token:
//   1. a reference-class token whose operand rule wants a value becomes
//      value class;
//   2. the rule's conversion (EXlsClassConversion), resolved against the
//      conversion that reached the enclosing token, gives this token's
//      conversion: keep, to value, or to array;
//   3. "to value" turns array class into value class, "to array" value class
//      into array class, and "keep" turns value class into array class in
//      array and name formulas only;
//   4. its operands follow, each with its own rule.
// Parentheses are transparent: their operand is classified as if they were
// not there. Tokens without a class (operators, numbers, texts) keep their
// ids but pass the conversion on.
#pragma once

#include "server/CXlsFormulaTree.h"

class CXlsOperandClassifier {
public:
    // Rewrites the class bits of the tree's token ids. The tree must be
    // complete (its root and every operand index valid).
    static void Run(CXlsFormulaTree& tree, EXlsFormulaKind kind);
};
