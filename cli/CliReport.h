// Where the command-line tool puts a repair report: the JSON into a file or
// onto standard output, and a one-line summary onto standard error.
#pragma once

#include <filesystem>

#include "repair/CRepairReport.h"

// Writes the report's JSON to target ("-": standard output; empty: nowhere).
// False, after saying why on standard error, when the file cannot be
// written.
bool WriteCliReport(const CRepairReport& report, const std::filesystem::path& target);

// "mendwell-cli: SOURCE: partial: 3 cells whose shared string is lost" on
// standard error, for a repair that was not complete.
void PrintCliReportSummary(const CRepairReport& report);
