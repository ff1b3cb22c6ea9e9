// The parsed expression (rgce) of a formula kept in a record other than
// FORMULA (DV, CF), held the way the formula decoder reads it: the 2-byte
// length field (cce) and then the tokens, so that Data() and Size() can be
// handed to CExcelFormulaParser::Decode as they are. Tokens only: these
// records keep no extra data (array constants) after the expression.
#pragma once

#include <cstdint>
#include <vector>

#include "records/CExcelByteCursor.h"

class CExcelStoredFormula {
public:
    CExcelStoredFormula() = default;

    // Takes length bytes of tokens at the cursor; false (the cursor failed)
    // when they are not all there.
    bool Read(CExcelByteCursor& cursor, std::uint16_t length);

    bool IsEmpty() const { return m_bytes.size() <= 2; }
    // The length field and the tokens; null for a formula never read.
    const std::uint8_t* Data() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    std::uint32_t Size() const { return static_cast<std::uint32_t>(m_bytes.size()); }
    // The tokens without the length field.
    const std::uint8_t* Tokens() const { return IsEmpty() ? nullptr : m_bytes.data() + 2; }
    std::uint32_t TokenSize() const { return IsEmpty() ? 0 : Size() - 2; }

private:
    std::vector<std::uint8_t> m_bytes;
};
