// The command-line switches that leave a kind of content out of the saved
// workbook, shared by `repair` and `batch`. Each clears one save-option bit.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

class CSaveOption;

struct CliSaveSwitch {
    std::string_view name;  // "--no-text"
    std::uint32_t bit;      // the CSaveOption bit it clears
    std::string_view what;  // shown in --help
};

// Every switch, in the order --help lists them.
std::span<const CliSaveSwitch> CliSaveSwitches();

// When arg is one of the switches, clears its bit in options and returns
// true; otherwise leaves options alone and returns false.
bool ApplyCliSaveSwitch(std::string_view arg, CSaveOption& options);
