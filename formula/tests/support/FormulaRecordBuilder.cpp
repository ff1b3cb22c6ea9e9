#include "formula/tests/support/FormulaRecordBuilder.h"

#include <cstring>

namespace testsupport {

namespace {

void PutU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutRange(Bytes& out, std::uint16_t firstRow, std::uint16_t lastRow, std::uint8_t firstColumn,
              std::uint8_t lastColumn) {
    PutU16(out, firstRow);
    PutU16(out, lastRow);
    out.push_back(firstColumn);
    out.push_back(lastColumn);
}

void PutTokens(Bytes& out, const Bytes& tokens) {
    PutU16(out, static_cast<std::uint16_t>(tokens.size()));
    out.insert(out.end(), tokens.begin(), tokens.end());
}

}  // namespace

Bytes NumberResult(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Bytes out;
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    return out;
}

Bytes TaggedResult(std::uint8_t kind, std::uint8_t value) {
    return {kind, 0, value, 0, 0, 0, 0xFF, 0xFF};
}

Bytes FormulaBody(std::uint16_t row, std::uint16_t column, std::uint16_t xf, const Bytes& result,
                  const Bytes& tokens, const Bytes& extra) {
    Bytes out;
    PutU16(out, row);
    PutU16(out, column);
    PutU16(out, xf);
    out.insert(out.end(), result.begin(), result.end());
    PutU16(out, 0);              // option flags
    out.resize(out.size() + 4);  // chn
    PutTokens(out, tokens);
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

Bytes SharedFormulaBody(std::uint16_t firstRow, std::uint16_t lastRow, std::uint8_t firstColumn,
                        std::uint8_t lastColumn, const Bytes& tokens) {
    Bytes out;
    PutRange(out, firstRow, lastRow, firstColumn, lastColumn);
    out.push_back(0);  // reserved
    out.push_back(1);  // use count
    PutTokens(out, tokens);
    return out;
}

Bytes ArrayBody(std::uint16_t firstRow, std::uint16_t lastRow, std::uint8_t firstColumn,
                std::uint8_t lastColumn, const Bytes& tokens) {
    Bytes out;
    PutRange(out, firstRow, lastRow, firstColumn, lastColumn);
    PutU16(out, 0);              // option flags
    out.resize(out.size() + 4);  // chn
    PutTokens(out, tokens);
    return out;
}

Bytes StringBody(const std::u16string& text, bool wide) {
    Bytes out;
    PutU16(out, static_cast<std::uint16_t>(text.size()));
    out.push_back(wide ? 1 : 0);
    for (char16_t ch : text) {
        if (wide)
            PutU16(out, ch);
        else
            out.push_back(static_cast<std::uint8_t>(ch));
    }
    return out;
}

Bytes TableBody(std::uint16_t firstRow, std::uint16_t lastRow, std::uint8_t firstColumn,
                std::uint8_t lastColumn, std::uint16_t flags, std::uint16_t row1,
                std::uint16_t column1, std::uint16_t row2, std::uint16_t column2) {
    Bytes out;
    PutRange(out, firstRow, lastRow, firstColumn, lastColumn);
    for (std::uint16_t word : {flags, row1, column1, row2, column2}) PutU16(out, word);
    return out;
}

}  // namespace testsupport
