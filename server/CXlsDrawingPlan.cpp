#include "server/CXlsDrawingPlan.h"

#include <algorithm>

#include "server/XlsDrawingLayout.h"

using namespace xlsd;

CXlsDrawingPlan::CXlsDrawingPlan(const CXlsWorkbook& book) : m_drawings(book.SheetCount()) {
    for (std::size_t i = 0; i < book.SheetCount(); ++i) {
        const std::size_t comments = book.Sheet(i)->Comments().Count();
        if (comments == 0) continue;
        // At most 65,535 comments a sheet, so this stays far inside 32 bits.
        const auto shapes = static_cast<std::uint32_t>(comments + 1);
        const std::uint32_t clusters = (shapes + kShapeIdsPerCluster - 1) / kShapeIdsPerCluster;
        const auto firstCluster = static_cast<std::uint32_t>(m_clusters.size() + 1);
        if (m_drawingCount >= kMaxDrawingId || firstCluster + clusters - 1 > kLastCluster) break;

        Drawing& drawing = m_drawings[i];
        drawing.drawingId = ++m_drawingCount;
        drawing.firstShapeId = firstCluster * kShapeIdsPerCluster;
        drawing.shapes = shapes;
        for (std::uint32_t left = shapes; left > 0;) {
            const std::uint32_t used = std::min(left, kShapeIdsPerCluster);
            m_clusters.push_back({drawing.drawingId, used});
            left -= used;
        }
        m_shapes += shapes;
        m_nextShapeId = drawing.LastShapeId() + 1;
    }
}

const CXlsDrawingPlan::Drawing* CXlsDrawingPlan::ForSheet(std::size_t position) const {
    if (position >= m_drawings.size() || m_drawings[position].drawingId == 0) return nullptr;
    return &m_drawings[position];
}
