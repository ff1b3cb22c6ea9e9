// The repair of one file as the desktop program runs it, for the commands
// that report on what it recovered: a fresh model for the file, the repair
// counters zeroed, the worker started through CFileParsingManager, and a
// wait on ParsingDone. While the worker runs, a progress line is kept up to
// date on standard error when that is a terminal (and only then, so that a
// redirected run prints nothing there but the repair's own messages).
#pragma once

#include <filesystem>

class CExcelData;
struct CRepairTrace;

// Repairs source into data (which must be new) and returns
// ParsingSucceeded. trace, when given, is filled with what the repair met.
bool RunCliRepair(const std::filesystem::path& source, CExcelData& data, CRepairTrace* trace);
