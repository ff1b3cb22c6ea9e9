// Constant tables of the record decoders: the BIFF8 default colour palette
// and the texts of the cell error codes.
#pragma once

#include <cstdint>
#include <string>

class CConstData {
public:
    // Windows colour value (red in the low byte, then green, then blue) of
    // palette index; found tells whether the default palette defines it.
    // Indices 8-63 are defined; every other index (the system colours from
    // 64 on among them) gives white with found false. A PALETTE record does
    // not change this table.
    static std::uint32_t GetDefaultColor(std::uint32_t index, bool& found);

    // The text a spreadsheet shows for an error code of a BOOLERR cell or a
    // formula result: "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?",
    // "#NUM!", "#N/A"; empty for any other code.
    static std::u16string GetErrorText(std::uint32_t code);
};
