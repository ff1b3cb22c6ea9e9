// Builds the record data of FORMULA records and of the SHRFMLA, ARRAY,
// STRING and TABLE records that accompany them, for the tests of the
// formula records and their reader. Record headers come from BiffWriter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

using Bytes = std::vector<std::uint8_t>;

// The eight cached result bytes of a number result.
Bytes NumberResult(double value);
// The eight cached result bytes of a tagged result: kind in byte 0, value in
// byte 2, FF FF in bytes 6 and 7.
Bytes TaggedResult(std::uint8_t kind, std::uint8_t value = 0);

// A FORMULA record body: row, column, XF, the eight result bytes, option
// flags, chn 0, then the token length field (the size of tokens), the
// tokens and the extra data.
Bytes FormulaBody(std::uint16_t row, std::uint16_t column, std::uint16_t xf, const Bytes& result,
                  const Bytes& tokens, const Bytes& extra = {});

// A SHRFMLA body: range, reserved byte and use count, token length, tokens.
Bytes SharedFormulaBody(std::uint16_t firstRow, std::uint16_t lastRow, std::uint8_t firstColumn,
                        std::uint8_t lastColumn, const Bytes& tokens);
// An ARRAY body: range, option flags, chn, token length, tokens.
Bytes ArrayBody(std::uint16_t firstRow, std::uint16_t lastRow, std::uint8_t firstColumn,
                std::uint8_t lastColumn, const Bytes& tokens);
// A STRING body: 16-bit character count, flags, characters (8-bit ones cut
// to their low byte).
Bytes StringBody(const std::u16string& text, bool wide);
// A TABLE body: range, option flags, the two input cells.
Bytes TableBody(std::uint16_t firstRow, std::uint16_t lastRow, std::uint8_t firstColumn,
                std::uint8_t lastColumn, std::uint16_t flags, std::uint16_t row1,
                std::uint16_t column1, std::uint16_t row2, std::uint16_t column2);

}  // namespace testsupport
