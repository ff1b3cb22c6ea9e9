// The cell comments of one worksheet, at most one per cell, in row-major
// order (row by row, left to right), which is how the object model's
// Comments collection counts them and how the writer writes them.
//
// A sheet holds at most kMaxComments: each comment is a drawing object with
// a 16-bit object id, and ids start at 1. Texts hold at most kMaxTextLength
// characters, what a text object's 16-bit count can say. Positions are
// 0-based, inside a worksheet's 65,536 rows and 256 columns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string_view>

#include "server/CXlsComment.h"
#include "server/XlsDrawingLayout.h"

class CXlsCommentStore {
public:
    static constexpr std::size_t kMaxComments = 65535;
    static constexpr std::size_t kMaxTextLength = xlsd::kMaxTextLength;

    // A new comment with this text, hidden and without an author. Null when
    // the cell is outside the sheet, already has a comment, the sheet is
    // full or the text too long.
    CXlsComment* Add(std::uint32_t row, std::uint32_t column, std::u16string_view text);
    // The cell's comment, or null.
    CXlsComment* Find(std::uint32_t row, std::uint32_t column);
    const CXlsComment* Find(std::uint32_t row, std::uint32_t column) const;
    // False when the cell has no comment.
    bool Remove(std::uint32_t row, std::uint32_t column);

    std::size_t Count() const { return m_comments.size(); }
    bool Empty() const { return m_comments.empty(); }
    // The cell of the comment at a 0-based position in row-major order;
    // false past the end. Walks from the first comment.
    bool CellAt(std::size_t position, std::uint32_t& row, std::uint32_t& column) const;
    // Every comment in row-major order.
    void ForEach(const std::function<void(std::uint32_t row, std::uint32_t column,
                                          const CXlsComment& comment)>& visit) const;

private:
    static std::uint32_t Key(std::uint32_t row, std::uint32_t column) {
        return (row << 8) | column;
    }

    std::map<std::uint32_t, CXlsComment> m_comments;
};
