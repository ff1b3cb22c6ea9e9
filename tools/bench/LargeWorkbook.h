// The large workbook the speed measurements read: 65,000 rows x 20 columns
// of numbers (A:H, not RK values), texts unique to their cell (I:N) and
// formulas over the row's numbers (O:T), on one sheet or spread over
// several. The formatted kind also gives each column a width and a number
// format, bold headings, a fill and lines on every tenth row and a custom
// height on every fifth, as a report a user keeps would have.
#pragma once

#include <cstdint>
#include <filesystem>

struct LargeWorkbookShape {
    std::uint32_t sheets = 1;
    bool formatted = false;
};

// Writes the workbook to `path`; its Workbook stream size into streamSize.
bool MakeLargeWorkbook(const std::filesystem::path& path, const LargeWorkbookShape& shape,
                       std::uint64_t& streamSize);
