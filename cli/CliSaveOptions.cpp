#include "cli/CliSaveOptions.h"

#include "model/CSaveOption.h"

namespace {

// Blank-cell formats (bit 16) have no switch: the save screens always keep
// them, and so does the command line.
constexpr CliSaveSwitch kSwitches[] = {
    {"--no-numbers", CSaveOption::Numbers, "leave out number and date cells"},
    {"--no-formulas", CSaveOption::Formulas, "leave out formulas"},
    {"--no-bools", CSaveOption::BooleansAndErrors, "leave out Boolean and error cells"},
    {"--no-text", CSaveOption::Texts, "leave out text cells"},
    {"--no-merged", CSaveOption::MergedRanges, "leave out merged ranges"},
    {"--no-columns", CSaveOption::ColumnInformation, "leave out column widths and formats"},
    {"--no-rows", CSaveOption::RowInformation, "leave out row heights and formats"},
};

}  // namespace

std::span<const CliSaveSwitch> CliSaveSwitches() {
    return kSwitches;
}

bool ApplyCliSaveSwitch(std::string_view arg, CSaveOption& options) {
    for (const CliSaveSwitch& entry : kSwitches) {
        if (entry.name == arg) {
            options.Clear(entry.bit);
            return true;
        }
    }
    return false;
}
