// Fills a CRepairReport from a repair's model and trace, and closes it with
// its verdict: failed when the repair failed (the reason is what the user
// was told), partial when a cell is known lost (a missing shared string, a
// formula kept as its value, a format record missing, a sheet without its
// name), a text or a sheet name had broken characters, or the compound file
// was damaged, else complete.
#pragma once

#include <filesystem>

#include "repair/CRepairReport.h"

class CExcelData;
class CRefusedCalls;
struct CRepairTrace;

class CRepairReportBuilder {
public:
    // repaired: what RepairFile returned.
    static CRepairReport Build(const CExcelData& data, const CRepairTrace& trace, bool repaired);

    // Adds the save's outcome and what the server refused during it, and
    // settles the verdict again: a save that failed fails the report.
    static void AddSave(CRepairReport& report, const std::filesystem::path& destination, bool saved,
                        const CRefusedCalls& refused);
};
