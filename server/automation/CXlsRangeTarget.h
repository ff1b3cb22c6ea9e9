// The cells that a range, and the font, fill and border objects got from
// it, act on: a rectangle of one worksheet of one open workbook. The
// document is held so that the worksheet pointer stays valid (a workbook
// never drops its sheets).
//
// The same objects got from a named style act on that style's format
// instead: then `style` is its position in the workbook's styles, the sheet
// is null and the range is one cell (A1), so that Borders(1-4) name the
// style's own edges.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "server/CXlsCellRange.h"
#include "server/CXlsWorksheet.h"
#include "server/automation/CXlsServerDocument.h"

struct CXlsRangeTarget {
    static constexpr std::size_t kNoStyle = static_cast<std::size_t>(-1);

    std::shared_ptr<CXlsServerDocument> document;
    CXlsWorksheet* sheet = nullptr;
    CXlsCellRange range;
    std::size_t style = kNoStyle;

    // A target for the style at `position` of the document's workbook.
    static CXlsRangeTarget OfStyle(std::shared_ptr<CXlsServerDocument> document,
                                   std::size_t position);

    // What the object model reports for a range: the top-left cell's.
    const CXlsCellFormat& TopLeftFormat() const {
        return FormatAt(range.FirstRow(), range.FirstColumn());
    }
    const CXlsCellFormat& FormatAt(std::uint32_t row, std::uint32_t column) const;
    // Applies a change of one attribute group (CXlsCellFormat::EGroup) to
    // the cells, which then hold that group as their own; or to the style.
    // False when the change refuses its value.
    bool Modify(const CXlsCellRange& cells, std::uint8_t group,
                const CXlsWorksheet::FormatChange& change) const;
    bool Modify(std::uint8_t group, const CXlsWorksheet::FormatChange& change) const {
        return Modify(range, group, change);
    }
};
