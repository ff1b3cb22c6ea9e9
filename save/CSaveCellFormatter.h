// Carries the whole format of one XF record (number format, alignment,
// protection, font, fill and borders) onto a cell, a run of cells, a row or
// a run of columns of the active worksheet through the automation facade.
// All positions are 1-based, as the facade takes them.
//
// A cell's XF index n is the XF record at position n of the workbook's list;
// the XF's font index f is the FONT record at position f below 4 and f - 1
// from 4 on (the font table has no entry 4). Each XF is turned into its
// format once (CSaveXfFormat) and put by one facade call per cell, run, row
// or column run. A cell XF whose parent is a named style (CSaveNamedStyles)
// puts that style first, and the groups its used-attribute bits mark as its
// own are put on the cell even where they equal the style's, so that the
// saved XF keeps its parent and bits. A missing XF is not an error: the
// cell keeps the format it has. Failed facade calls are not reported; the save goes on with the
// cell as the server left it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "save/CSaveNamedStyles.h"
#include "save/CXLCellFormat.h"

class CXLEzAutomation;
class CExcelWorkBook;
class CExcelRecordWBFONT;
class CExcelRecordWBXF;

class CSaveCellFormatter {
public:
    // The last column and row a BIFF8 sheet holds (1-based). Row formats
    // cover the whole row (columns 1..256), column formats the whole column
    // (rows 1..65536), as the ROW and COLINFO records they come from do.
    static constexpr std::int32_t kLastColumn = 256;
    static constexpr std::int32_t kLastRow = 65536;

    // Holds both by reference; they must outlive the formatter, and the
    // workbook's XF, FONT and FORMAT lists must not change while it is used
    // (it indexes them once, here).
    CSaveCellFormatter(CXLEzAutomation& automation, const CExcelWorkBook& workbook);

    // The XF's format on one cell, or on columns first..last of one row. A
    // format equal to a fresh cell's is not put, unless the cells lie in a
    // row or column this formatter formatted, or got a format from it
    // before: then every value is put, so that the cell does not show the
    // row's, column's or earlier format instead.
    //
    // A cell's format is held until FlushCellFormats (or the next run, row
    // or column format, which flushes first): a cell given two formats keeps
    // the later, and cells of one column in consecutive rows with the same
    // XF are put as one range, one facade call for a formatted column
    // instead of one a cell.
    void ApplyCellFormat(std::int32_t row, std::int32_t column, std::uint32_t xfIndex);
    void FlushCellFormats();
    void ApplyRunFormat(std::int32_t row, std::int32_t first, std::int32_t last,
                        std::uint32_t xfIndex);
    // The XF's format on the whole row.
    void ApplyRowFormat(std::int32_t row, std::uint32_t xfIndex);
    // The XF's format on the whole columns first..last (their widths are
    // CSaveSheetLayoutWriter's). Columns past the sheet's last column are
    // not touched.
    void ApplyColumnInfo(std::int32_t first, std::int32_t last, std::uint32_t xfIndex);

private:
    struct CachedFormat {
        bool built = false;
        bool fresh = false;  // equal to a fresh cell's format
        CXLCellFormat format;
        const CXLStyleBase* base = nullptr;  // its named style's; null for Normal
    };

    const CExcelRecordWBFONT* FindFont(const CExcelRecordWBXF& xf) const;
    // The format of an XF, built on first use; null for a missing XF.
    const CachedFormat* Format(std::uint32_t xfIndex);
    // Whether one of the cells may show a format other than a fresh cell's.
    bool MayHoldFormat(std::int32_t row, std::int32_t first, std::int32_t last) const;
    // Rows first..last of one column, all of one XF; complete as for a run.
    void ApplyColumnRun(std::int32_t column, std::int32_t first, std::int32_t last,
                        std::uint32_t xfIndex);
    void MarkFormatted(std::int32_t row, std::int32_t column);

    // Cell formats held back: rows first..last (1-based) of one column, one
    // XF. A phase gives its cells row by row, so a column's cells in
    // consecutive rows with one XF extend one run: a big sheet holds a few
    // runs a column, not one entry a cell. Twelve bytes, as a sheet whose
    // XF changes from row to row holds one run a cell.
    struct HeldRun {
        std::uint32_t column : 9;  // 1..256
        std::uint32_t first : 17;  // 1..65536
        std::uint32_t last;
        std::uint32_t xfIndex;
    };
    // The runs of one column, in the order given, as rows in ascending
    // order each with the format given last; calls PutRows for each
    // stretch of consecutive rows of one XF.
    void FlushColumn(std::span<const HeldRun> runs);
    // Rows first..last of one column, one XF, as runs short of the whole
    // column, which the server would take for the column's own format.
    void PutRows(std::int32_t column, std::int32_t first, std::int32_t last, std::uint32_t xfIndex);

    CXLEzAutomation& m_automation;
    const CExcelWorkBook& m_workbook;
    CSaveNamedStyles m_styles;
    std::vector<const CExcelRecordWBXF*> m_xfs;
    std::vector<const CExcelRecordWBFONT*> m_fonts;
    std::vector<CachedFormat> m_formats;   // by XF index
    std::vector<bool> m_formattedRows;     // by row - 1
    std::vector<bool> m_formattedColumns;  // by column - 1
    // Cells given a format of their own, by (row - 1) * 256 + column - 1:
    // one bit a cell of the sheet (2 MB), made at the first such cell. A
    // set of a big sheet's cells took tens of megabytes.
    std::vector<bool> m_formattedCells;
    std::vector<HeldRun> m_held;
    // By column - 1: 1 + the position in m_held of the column's latest
    // run, 0 for none since the last flush.
    std::array<std::uint32_t, kLastColumn> m_latestRun{};
};
