// What the built-in functions demand of their operands' token classes, and
// what class their own call token has: the part of the function table that
// only a formula compiler needs (names and argument counts are in
// CExcelFunctionTable). Indexed like that table, by function index.
//
// A call token's class is the class of what the function returns: value for
// most, reference for IF, CHOOSE, INDEX, OFFSET and INDIRECT, array for the
// functions that return arrays (TRANSPOSE, MMULT, LINEST...). Each argument
// has a rule: whether it wants a value (a reference-class token there turns
// into value class) and how its class is converted (EXlsClassConversion).
// The rule of the last listed argument holds for all further ones.
//
// Static read-only data: every member may be called from any thread.
#pragma once

#include <cstdint>

// How the class of an operand token is converted; applied from the root of
// the formula down to its operands (CXlsOperandClassifier).
enum class EXlsClassConversion : std::uint8_t {
    kKeep,   // the class the token has (in array formulas value turns into array)
    kValue,  // array class turns into value class
    kArray,  // value class turns into array class
    // The conversion of the enclosing call, except under a reference-class
    // call, where it is kValue.
    kRepeat,
    // The enclosing call's conversion where the operand is still of
    // reference class or the enclosing one converts to array; else kKeep.
    kRepeatForReference,
    // An operator's operand: the conversion that reached its operator.
    kOperator,
};

struct CXlsOperandRule {
    EXlsClassConversion conversion = EXlsClassConversion::kKeep;
    // The operand wants a value: a reference-class token there becomes value
    // class.
    bool valueType = true;

    bool operator==(const CXlsOperandRule& other) const = default;
};

struct CXlsFunctionClasses {
    // The class bits (xlsw::kClassReference, kClassValue, kClassArray) of a
    // call token of the function; value class for indexes without a row.
    static std::uint8_t ReturnClass(std::uint32_t index);
    // The rule for the argument at 0-based position `argument`.
    static CXlsOperandRule Argument(std::uint32_t index, std::uint32_t argument);
    // Functions whose result changes without their arguments changing (RAND,
    // NOW, TODAY, OFFSET, INDIRECT, CELL, INFO): formulas calling them are
    // marked volatile.
    static bool IsVolatile(std::uint32_t index);
};
