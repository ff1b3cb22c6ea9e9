// RK numbers: the 32-bit form of a cell number that the RK record holds.
// Bit 0 says the value was multiplied by 100; bit 1 says bits 2-31 are a
// signed integer, otherwise they are the top 30 bits of an IEEE double.
#pragma once

#include <cstdint>

class CXlsRkNumber {
  public:
    // The RK form that gives back exactly `value` (bit for bit), if any.
    static bool Encode(double value, std::uint32_t& rk);
    static double Decode(std::uint32_t rk);
};
