#include "server/automation/CXlsRangeTarget.h"

CXlsRangeTarget CXlsRangeTarget::OfStyle(std::shared_ptr<CXlsServerDocument> document,
                                         std::size_t position) {
    CXlsRangeTarget target;
    target.document = std::move(document);
    target.range = CXlsCellRange::Cell(0, 0);
    target.style = position;
    return target;
}

const CXlsCellFormat& CXlsRangeTarget::FormatAt(std::uint32_t row, std::uint32_t column) const {
    if (style != kNoStyle) return document->Book().Styles().At(style).format;
    return sheet->GetFormat(row, column);
}

bool CXlsRangeTarget::Modify(const CXlsCellRange& cells, std::uint8_t group,
                             const CXlsWorksheet::FormatChange& change) const {
    if (style != kNoStyle) {
        CXlsCellFormat changed = document->Book().Styles().At(style).format;
        if (!change(changed)) return false;
        document->Book().Styles().At(style).format = changed;
        return true;
    }
    return sheet->ModifyFormat(cells, [group, &change](CXlsCellFormat& format) {
        if (!change(format)) return false;
        format.MarkOwn(group);
        return true;
    });
}
