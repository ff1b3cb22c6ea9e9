// Writes one sheet's comments into its substream, after the cell records
// and before WINDOW2: per comment, in row-major order, the MSODRAWING with
// its shape container (the first one opening the sheet's drawing and group
// containers), the OBJ record, the MSODRAWING with the client text box, the
// TXO record with the text and formatting runs in CONTINUE records; then
// one NOTE record per comment.
//
// Comment k (0-based) has object id k + 1 and shape id first + 1 + k of the
// sheet's drawing. Its box is a hidden text box (shown when the comment is
// visible) with the comment box's fill and shadow, anchored one column
// right of its cell, from the row above it, two columns wide and four rows
// high, moved in from the sheet's last column and row. The text's runs all
// take font 0.
#pragma once

#include <cstdint>
#include <string_view>

#include "server/CBiffRecordWriter.h"
#include "server/CXlsDrawingPlan.h"
#include "server/CXlsWorksheet.h"

class CXlsCommentWriter {
public:
    // Both must outlive the writer; the drawing is the sheet's, from the plan.
    CXlsCommentWriter(const CXlsWorksheet& sheet, const CXlsDrawingPlan::Drawing& drawing);

    bool Write(CBiffRecordWriter& out);

private:
    // The MSODRAWING with comment k's shape container up to its client
    // data, after the drawing's opening containers when k is 0.
    bool WriteShape(CBiffRecordWriter& out, std::uint32_t k, std::uint32_t row,
                    std::uint32_t column, bool visible);
    bool WriteObject(CBiffRecordWriter& out, std::uint32_t k);
    bool WriteText(CBiffRecordWriter& out, std::u16string_view text);
    bool WriteNote(CBiffRecordWriter& out, std::uint32_t k, std::uint32_t row, std::uint32_t column,
                   const CXlsComment& comment);

    const CXlsWorksheet& m_sheet;
    const CXlsDrawingPlan::Drawing& m_drawing;
    CBiffRecordBuilder m_record;
};
