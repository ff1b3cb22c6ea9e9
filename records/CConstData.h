// Constant tables of the record decoders: the BIFF8 default colour palette.
#pragma once

#include <cstdint>

class CConstData {
public:
    // Windows colour value (red in the low byte, then green, then blue) of
    // palette index; found tells whether the default palette defines it.
    // Indices 8-23 and 40-63 are defined; every other index (including the
    // chart colours 24-39 and the system colours from 64 on) gives white
    // with found false. A PALETTE record does not change this table.
    static std::uint32_t GetDefaultColor(std::uint32_t index, bool& found);
};
