// The repair report as JSON, in the documented layout of docs/report.md
// (field names stable; "version" changes when one changes meaning). Texts
// are UTF-8; cells are A1 addresses.
#pragma once

#include <string>

#include "repair/CRepairReport.h"

class CRepairReportJson {
public:
    static std::string Write(const CRepairReport& report);
    // "A1" for row 0, column 0; "IV65536" for the last cell.
    static std::string Address(const CReportCell& cell);
};
