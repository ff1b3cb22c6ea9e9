// What the save passes for one data validation: the arguments of
// Validation.Add in the object model's numbers (Type 0 any value to 7
// custom, AlertStyle 1 stop to 3 information, Operator 1 between to 8 less
// or equal), its formulas as formula text ("=..."; a list given as items:
// the items separated by commas, without "="; empty when there is none),
// and the properties set after it.
#pragma once

#include <cstdint>
#include <string>

struct CXLValidationRule {
    std::int16_t type = 0;
    std::int16_t alertStyle = 1;
    std::int16_t op = 1;
    std::u16string formula1;
    std::u16string formula2;
    // The server's values after Add are True for the flags and empty for
    // the texts; only what differs is put.
    bool ignoreBlank = true;
    bool inCellDropdown = true;
    bool showInput = true;
    bool showError = true;
    std::u16string inputTitle;
    std::u16string errorTitle;
    std::u16string inputMessage;
    std::u16string errorMessage;
};
