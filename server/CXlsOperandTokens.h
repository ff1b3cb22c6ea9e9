// The tokens of formula operands, as the formula parser puts them into the
// tree: numbers (ptgInt for whole numbers 0 to 65535, else ptgNum), texts
// (ptgStr), TRUE and FALSE, error values, references (2-D or with the
// sheets the compiler links), and array constants with their values in the
// extra data. Tokens that have a class get the reference or array class;
// the classifier converts them later.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "server/CXlsFormulaReference.h"
#include "server/CXlsFormulaSheets.h"
#include "server/CXlsFormulaTree.h"

class CXlsOperandTokens {
public:
    static CXlsFormulaNode Number(double value);
    // At most 255 characters (the lexer refuses longer texts).
    static CXlsFormulaNode Text(const std::u16string& text);
    static CXlsFormulaNode Boolean(bool value);
    // An error value: ptgErr, but #REF! in a cell's formula, which is a
    // reference whose cells were deleted and is stored as ptgRefErr wherever
    // it stands (that, not a #REF! constant, is what readers compute to
    // #REF!). A name's formula that is #REF! is the constant, as writers
    // store a name whose range is gone without a sheet.
    static CXlsFormulaNode Error(std::uint8_t code, EXlsFormulaKind kind);
    // With sheets (anything but kNone) a 3-D token whose EXTERNSHEET index
    // the compiler fills in.
    static CXlsFormulaNode Reference(const CXlsFormulaReference& reference,
                                     const CXlsFormulaSheets& sheets);
    // ptgArray of `columns` by `rows` values, `values` as the Append...
    // members wrote them row by row.
    static CXlsFormulaNode Array(std::uint32_t columns, std::uint32_t rows,
                                 const std::vector<std::uint8_t>& values);

    // One value of an array constant.
    static void AppendArrayNumber(std::vector<std::uint8_t>& values, double value);
    static void AppendArrayText(std::vector<std::uint8_t>& values, const std::u16string& text);
    static void AppendArrayBoolean(std::vector<std::uint8_t>& values, bool value);
    static void AppendArrayError(std::vector<std::uint8_t>& values, std::uint8_t code);
};
