#include "formula/tests/support/FormulaTokenScan.h"

#include <cstdio>

namespace testsupport {

namespace {

constexpr int kUnknown = -1;
constexpr int kVariable = -2;  // ptgStr and ptgAttr: size read from the stream

// Operand bytes after the id, by id for 0x00-0x1F and by base id
// (id & 0x1F | 0x20) for the classed tokens.
int OperandSize(std::uint8_t id) {
    static const int kClassless[32] = {
        kUnknown, 4,         4,        0,        0, 0, 0, 0,
        0,        0,         0,        0,        0, 0, 0, 0,  // 0x00-0x0F
        0,        0,         0,        0,        0, 0, 0, kVariable,
        kUnknown, kVariable, kUnknown, kUnknown, 1, 1, 2, 8};  // 0x10-0x1F
    static const int kClassed[32] = {
        7,        2,        3,        4,        4,        8,        6,        6,        6,
        2,        4,        8,        4,        8,        2,        2,  // 0x20-0x2F
        kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown,
        6,        6,        10,       6,        10,       kUnknown, kUnknown};  // 0x30-0x3F
    if (id < 0x20) return kClassless[id];
    if (id > 0x7F) return kUnknown;
    return kClassed[id & 0x1F];
}

}  // namespace

TokenScan ScanTokens(const std::uint8_t* buffer, std::uint32_t available) {
    TokenScan scan;
    if (!buffer || available < 2) {
        scan.truncated = true;
        return scan;
    }
    const std::uint32_t count = buffer[0] | (buffer[1] << 8);
    scan.deleted = buffer[1] == 0x40;
    if (scan.deleted) return scan;
    const std::uint32_t end = 2 + count;
    if (end > available) scan.truncated = true;
    const std::uint32_t limit = end < available ? end : available;
    for (std::uint32_t at = 2; at < limit;) {
        const std::uint8_t id = buffer[at];
        int size = OperandSize(id);
        if (size == kUnknown) {
            scan.unknown = true;
            return scan;
        }
        ScannedToken token{id, at, 0, 0};
        if (size == kVariable) {
            if (at + 3 > limit) break;
            if (id == 0x17) {
                size = 2 + buffer[at + 1] * ((buffer[at + 2] & 1) ? 2 : 1);
            } else if (buffer[at + 1] == 0x04) {  // choose: its jump table follows
                size = 3 + 2 * ((buffer[at + 2] | (at + 3 < limit ? buffer[at + 3] << 8 : 0)) + 1);
            } else {
                size = 3;
            }
        }
        if (size >= 2 && at + 3 <= limit)
            token.first = static_cast<std::uint16_t>(buffer[at + 1] | (buffer[at + 2] << 8));
        const std::uint8_t base = id < 0x20 ? id : static_cast<std::uint8_t>((id & 0x1F) | 0x20);
        if ((base == 0x21 || base == 0x22) && at + 1 + size <= limit)
            token.function = static_cast<std::uint16_t>(
                (buffer[at + size - 1] | (buffer[at + size] << 8)) & 0x7FFF);
        scan.tokens.push_back(token);
        at += 1 + static_cast<std::uint32_t>(size);
        if (at > limit) scan.truncated = true;
    }
    return scan;
}

std::string Hex(const std::uint8_t* bytes, std::uint32_t count) {
    std::string text;
    char pair[4];
    for (std::uint32_t i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        if (i) text.push_back(' ');
        text += pair;
    }
    return text;
}

}  // namespace testsupport
