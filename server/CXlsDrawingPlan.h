// Which sheets the writer gives a drawing and which shape ids each drawing
// uses: one drawing per sheet that has comments, drawing ids 1, 2, ... in
// tab order, and for each drawing the clusters of 1024 shape ids that its
// group shape and its comment boxes need, taken one after another from
// cluster 1. The group shape has the drawing's first id; the comment at
// position k (row-major order, 0-based) has first id + 1 + k.
//
// A sheet that would need a drawing id past 0xFFE, or clusters past the
// last one shape ids may use, gets no drawing and is written without its
// comments. The plan is made from the workbook as it stands and must not
// outlive a change to its comments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "server/CXlsWorkbook.h"

class CXlsDrawingPlan {
public:
    struct Drawing {
        std::uint32_t drawingId = 0;
        std::uint32_t firstShapeId = 0;
        std::uint32_t shapes = 0;  // the group shape and one per comment
        std::uint32_t LastShapeId() const { return firstShapeId + shapes - 1; }
    };
    // One entry of the drawing group's cluster table: the owner of a
    // cluster and how many of its ids are used.
    struct Cluster {
        std::uint32_t drawingId;
        std::uint32_t used;
    };

    explicit CXlsDrawingPlan(const CXlsWorkbook& book);

    bool Empty() const { return m_clusters.empty(); }
    // The drawing of the sheet at a tab position, or null.
    const Drawing* ForSheet(std::size_t position) const;
    // Clusters 1, 2, ... in order.
    const std::vector<Cluster>& Clusters() const { return m_clusters; }
    std::uint32_t ShapesSaved() const { return m_shapes; }
    std::uint32_t DrawingsSaved() const { return m_drawingCount; }
    // The largest shape id used + 1.
    std::uint32_t NextShapeId() const { return m_nextShapeId; }

private:
    std::vector<Drawing> m_drawings;  // by tab position; drawing id 0: none
    std::vector<Cluster> m_clusters;
    std::uint32_t m_shapes = 0;
    std::uint32_t m_drawingCount = 0;
    std::uint32_t m_nextShapeId = 0;
};
