// Byte-level damage for files held in memory: overwrite a little-endian
// integer at an offset, or cut the file short. Offsets count from the start
// of the file; writes past the end are ignored so that a helper cannot grow
// the file by accident.
#pragma once

#include <cstdint>
#include <vector>

namespace ByteMutation {

inline void SetU8(std::vector<std::uint8_t>& file, std::uint64_t at, std::uint8_t value) {
    if (at < file.size()) file[at] = value;
}

inline void SetU16(std::vector<std::uint8_t>& file, std::uint64_t at, std::uint16_t value) {
    SetU8(file, at, static_cast<std::uint8_t>(value));
    SetU8(file, at + 1, static_cast<std::uint8_t>(value >> 8));
}

inline void SetU32(std::vector<std::uint8_t>& file, std::uint64_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) SetU8(file, at + i, static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void SetI32(std::vector<std::uint8_t>& file, std::uint64_t at, std::int32_t value) {
    SetU32(file, at, static_cast<std::uint32_t>(value));
}

inline std::uint32_t GetU32(const std::vector<std::uint8_t>& file, std::uint64_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | (at + i < file.size() ? file[at + i] : 0);
    }
    return value;
}

// Keeps the first n bytes (no effect when the file is shorter).
inline void Truncate(std::vector<std::uint8_t>& file, std::uint64_t n) {
    if (n < file.size()) file.resize(n);
}

}  // namespace ByteMutation
