// The values of other workbooks' cells that this workbook's formulas read,
// as they were when the source was saved: written after each other
// workbook's SUPBOOK as its XCT and CRN records, so that a reader computes
// those formulas without the other file. Sheets are found by the other
// workbook's readable path and the sheet's name, both compared without
// regard to case, as the link table compares them. Values of workbooks or
// sheets no formula refers to are kept but never written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "server/CXlsCellValue.h"

class CXlsLinkCache {
public:
    // Cells kept at most, over every sheet, and sheets.
    static constexpr std::size_t kMaxCells = 1 << 20;
    static constexpr std::size_t kMaxSheets = 4096;

    // (row, column), both 0-based, to the value.
    using Cells = std::map<std::pair<std::uint16_t, std::uint8_t>, CXlsCellValue>;

    // Sets one cell; false when it is outside a sheet's 65536 rows and 256
    // columns, the value is empty, or the cache is full.
    bool Set(std::u16string_view path, std::u16string_view sheet, std::uint32_t row,
             std::uint32_t column, CXlsCellValue value);

    // The cells of that sheet of that workbook, or null when none is kept.
    const Cells* Find(std::u16string_view path, std::u16string_view sheet) const;

private:
    struct Sheet {
        std::u16string path;
        std::u16string name;
        Cells cells;
    };
    std::vector<Sheet> m_sheets;
    std::size_t m_cells = 0;
};
