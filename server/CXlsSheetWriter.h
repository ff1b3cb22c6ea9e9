// Writes one worksheet substream: BOF, the calculation settings, the
// default sizes (DEFAULTROWHEIGHT, DEFCOLWIDTH), COLINFO, STANDARDWIDTH
// (when the sheet has a standard width of its own), DIMENSIONS, the rows in
// blocks of 32 (the ROW records of a block, then its cells), the comments
// (when the sheet has a drawing), the window (WINDOW2, SCL when zoomed,
// PANE when split or frozen, SELECTION of the active pane), MERGEDCELLS, the CONDFMT records (each
// with its CF records), the HLINK records (each with its QUICKTIP), DVAL with the DV records,
// SHEETEXT (when the sheet's tab has a colour) and EOF. Records go straight to the stream, row by
// row; nothing of the sheet is copied.
#pragma once

#include <cstdint>
#include <vector>

#include "server/CBiffRecordWriter.h"
#include "server/CXlsDrawingPlan.h"
#include "server/CXlsSstTable.h"
#include "server/CXlsStyleTable.h"
#include "server/CXlsWorksheet.h"

class CXlsSheetWriter {
public:
    // Everything must outlive the writer. `selected`: the sheet whose tab
    // is selected when the file is opened.
    CXlsSheetWriter(const CXlsWorksheet& sheet, const CXlsStyleTable& styles,
                    const CXlsSstTable& sst, bool selected);

    bool Write(CBiffRecordWriter& out);
    // The sheet's drawing from the workbook's drawing plan (null: none, and
    // no comments are written); it must outlive the writer.
    void SetDrawing(const CXlsDrawingPlan::Drawing* drawing) { m_drawing = drawing; }
    // Cell records written (FORMULA, NUMBER, RK, LABELSST, BOOLERR, BLANK).
    std::uint64_t CellsWritten() const { return m_cellsWritten; }

    // A column width in characters of the default font (Arial 10, whose
    // digits are 7 pixels wide) as COLINFO stores it: 1/256 of a digit,
    // with the 5 pixels of cell padding included, as the spreadsheet does
    // (below one character, w * 12 pixels), truncated to a whole unit.
    static std::uint16_t ColumnWidthUnits(double characters);
    // The pane that a view's SELECTION and PANE name as active: the bottom
    // right one of four, the lower or right one of two, else the only one.
    static std::uint8_t ActivePane(const CXlsSheetView& view);

private:
    struct RowRef {
        std::uint32_t number;
        const CXlsRow* row;
    };

    bool WriteDefaultSizes(CBiffRecordWriter& out);
    bool WriteColumns(CBiffRecordWriter& out);
    bool WriteStandardWidth(CBiffRecordWriter& out);
    bool WriteWindow(CBiffRecordWriter& out);
    bool WriteDimensions(CBiffRecordWriter& out);
    bool WriteRows(CBiffRecordWriter& out);
    bool WriteBlock(CBiffRecordWriter& out, const std::vector<RowRef>& block);
    bool WriteRowRecord(CBiffRecordWriter& out, const RowRef& ref);
    bool WriteCell(CBiffRecordWriter& out, std::uint32_t row, const CXlsCell& cell);
    // How many blank cells in adjacent columns start at cells[first].
    static std::size_t BlankRun(const std::vector<CXlsCell>& cells, std::size_t first);
    // Those cells as one MULBLANK record.
    bool WriteBlankRun(CBiffRecordWriter& out, std::uint32_t row,
                       const std::vector<CXlsCell>& cells, std::size_t first, std::size_t count);
    bool WriteFormula(CBiffRecordWriter& out, std::uint32_t row, const CXlsCell& cell);
    bool WriteMergedCells(CBiffRecordWriter& out);
    bool WriteConditionalFormats(CBiffRecordWriter& out);
    bool WriteHyperlinks(CBiffRecordWriter& out);
    bool WriteValidations(CBiffRecordWriter& out);
    bool WriteTabColor(CBiffRecordWriter& out);

    const CXlsWorksheet& m_sheet;
    const CXlsStyleTable& m_styles;
    const CXlsSstTable& m_sst;
    bool m_selected;
    const CXlsDrawingPlan::Drawing* m_drawing = nullptr;
    CBiffRecordBuilder m_record;
    std::uint64_t m_cellsWritten = 0;
};
