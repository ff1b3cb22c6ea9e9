// The cells that a range, and the font, fill and border objects got from
// it, act on: a rectangle of one worksheet of one open workbook. The
// document is held so that the worksheet pointer stays valid (a workbook
// never drops its sheets).
#pragma once

#include <memory>

#include "server/CXlsCellRange.h"
#include "server/CXlsWorksheet.h"
#include "server/automation/CXlsServerDocument.h"

struct CXlsRangeTarget {
    std::shared_ptr<CXlsServerDocument> document;
    CXlsWorksheet* sheet = nullptr;
    CXlsCellRange range;

    // What the object model reports for a range: the top-left cell's.
    const CXlsCellFormat& TopLeftFormat() const {
        return sheet->GetFormat(range.FirstRow(), range.FirstColumn());
    }
};
