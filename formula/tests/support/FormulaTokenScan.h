// Lists the tokens of a BIFF8 token stream without decoding them, so that
// a test can say why a formula did not decode (which tokens it holds). Only
// for diagnostics: the decoder under test is the judge of the text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct ScannedToken {
    std::uint8_t id;
    std::uint32_t offset;    // of the id, counted from the length field
    std::uint16_t first;     // the first 16 bits of the operand (name index,
                             // EXTERNSHEET index), 0 when it has fewer
    std::uint16_t function;  // ptgFunc / ptgFuncVar: the function index
};

struct TokenScan {
    std::vector<ScannedToken> tokens;
    bool deleted = false;    // the length field's high byte is 0x40
    bool truncated = false;  // the tokens run past the bytes at hand
    bool unknown = false;    // a byte that is no token ended the scan
};

// buffer points at the 2-byte length field; available counts the bytes
// from there on.
TokenScan ScanTokens(const std::uint8_t* buffer, std::uint32_t available);

// The bytes as hex pairs separated by spaces.
std::string Hex(const std::uint8_t* bytes, std::uint32_t count);

}  // namespace testsupport
