// Stores integers and doubles little-endian into caller-provided bytes; the
// caller guarantees the room.
#pragma once

#include <bit>
#include <cstdint>

class CLittleEndian {
  public:
    static void PutU16(std::uint8_t* p, std::uint16_t v) {
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
    }
    static void PutU32(std::uint8_t* p, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    static void PutU64(std::uint8_t* p, std::uint64_t v) {
        for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    static void PutDouble(std::uint8_t* p, double v) { PutU64(p, std::bit_cast<std::uint64_t>(v)); }
};
