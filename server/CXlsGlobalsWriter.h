// Writes the workbook-globals substream: BOF, the interface and protection
// records, WINDOW1, DATEMODE, the style table, one BOUNDSHEET per sheet,
// COUNTRY, the SUPBOOKs with their EXTERNNAMEs and the EXTERNSHEET when
// formulas link to sheets, add-in functions or other workbooks, the NAME
// records, the drawing group when sheets have drawings, the SST with its
// EXTSST, and EOF.
#pragma once

#include <cstdint>
#include <vector>

#include "server/CBiffRecordWriter.h"
#include "server/CXlsDrawingPlan.h"
#include "server/CXlsSstTable.h"
#include "server/CXlsStyleTable.h"
#include "server/CXlsWorkbook.h"

class CXlsGlobalsWriter {
public:
    // Everything must outlive the writer.
    CXlsGlobalsWriter(const CXlsWorkbook& book, const CXlsStyleTable& styles,
                      const CXlsSstTable& sst);

    // Writes the substream. sheetPositionFields receives, per sheet in tab
    // order, the stream position of its BOUNDSHEET's 4-byte position field,
    // which holds 0 until the caller overwrites it with the stream position
    // of the sheet's BOF.
    bool Write(CBiffRecordWriter& out, std::vector<std::uint64_t>& sheetPositionFields) const;
    // The workbook's drawing plan (null: no drawing group); it must outlive
    // the writer.
    void SetDrawingPlan(const CXlsDrawingPlan* plan) { m_drawings = plan; }

private:
    bool WriteFixed(CBiffRecordWriter& out, std::size_t first, std::size_t end) const;

    const CXlsWorkbook& m_book;
    const CXlsStyleTable& m_styles;
    const CXlsSstTable& m_sst;
    const CXlsDrawingPlan* m_drawings = nullptr;
};
