// Writes the workbook's drawing group: one MSODRAWINGGROUP record (CONTINUE
// records carry what passes its 8,224 bytes) holding the drawing group
// container with the FDGG block and its cluster table, the default shape
// options and the split-menu colours. It goes in the globals after the
// sheet references and before the SST. A plan without drawings writes
// nothing, so a workbook without comments is written as before.
#pragma once

#include "server/CBiffRecordWriter.h"
#include "server/CXlsDrawingPlan.h"

class CXlsDrawingGroupWriter {
public:
    // The plan must outlive the writer.
    explicit CXlsDrawingGroupWriter(const CXlsDrawingPlan& plan) : m_plan(plan) {}

    bool Write(CBiffRecordWriter& out) const;

private:
    const CXlsDrawingPlan& m_plan;
};
