// The project's own sample workbook: a small BIFF8 workbook stream with the
// cell kinds a repair has to recover (shared strings, numbers, RK numbers,
// formulas with cached results, Booleans, errors, dates, merged cells,
// column widths, row heights), and the damage we apply to it.
#pragma once

#include <cstdint>
#include <vector>

// The Workbook stream of the undamaged sample: sheets "Sales" and "Notes".
std::vector<std::uint8_t> BuildSampleWorkbookStream();

// The sample as a damaged .xls: the compound file's sector table lists a FAT
// sector past the end of the file, so its structure cannot be trusted and
// the repair has to find the records in the raw file.
std::vector<std::uint8_t> BuildDamagedSampleFile();
