// The repair report as plain text for a person to read: the same facts as
// CRepairReportJson, one line each, indented by workbook and sheet. Long
// lists of cells are cut short (the JSON holds them all). Texts are UTF-8;
// cells are A1 addresses, rows 1-based.
#pragma once

#include <cstddef>
#include <string>

#include "repair/CRepairReport.h"

class CRepairReportText {
public:
    // The most cells one list shows before "and N more".
    static constexpr std::size_t kListedCells = 50;

    static std::string Write(const CRepairReport& report);

    // The one-line verdict: "complete", "partial: REASON" or
    // "failed: REASON".
    static std::string Verdict(const CRepairReport& report);
};
