// A rectangle of cells, 0-based and inclusive at both ends.
#pragma once

#include <cstdint>

#include "server/XlsRecordLayout.h"

class CXlsCellRange {
  public:
    CXlsCellRange() = default;
    CXlsCellRange(std::uint32_t firstRow, std::uint32_t firstColumn, std::uint32_t lastRow,
                  std::uint32_t lastColumn)
        : m_firstRow(firstRow),
          m_firstColumn(firstColumn),
          m_lastRow(lastRow),
          m_lastColumn(lastColumn) {}
    static CXlsCellRange Cell(std::uint32_t row, std::uint32_t column) {
        return CXlsCellRange(row, column, row, column);
    }

    std::uint32_t FirstRow() const { return m_firstRow; }
    std::uint32_t FirstColumn() const { return m_firstColumn; }
    std::uint32_t LastRow() const { return m_lastRow; }
    std::uint32_t LastColumn() const { return m_lastColumn; }

    // Ordered corners inside a worksheet's 65,536 rows and 256 columns.
    bool IsValid() const {
        return m_firstRow <= m_lastRow && m_firstColumn <= m_lastColumn &&
               m_lastRow < xlsw::kMaxRows && m_lastColumn < xlsw::kMaxColumns;
    }
    bool IsSingleCell() const { return m_firstRow == m_lastRow && m_firstColumn == m_lastColumn; }
    std::uint64_t CellCount() const {
        return static_cast<std::uint64_t>(m_lastRow - m_firstRow + 1) *
               (m_lastColumn - m_firstColumn + 1);
    }
    bool Contains(std::uint32_t row, std::uint32_t column) const {
        return row >= m_firstRow && row <= m_lastRow && column >= m_firstColumn &&
               column <= m_lastColumn;
    }
    bool Contains(const CXlsCellRange& other) const {
        return Contains(other.m_firstRow, other.m_firstColumn) &&
               Contains(other.m_lastRow, other.m_lastColumn);
    }
    bool Intersects(const CXlsCellRange& other) const {
        return m_firstRow <= other.m_lastRow && other.m_firstRow <= m_lastRow &&
               m_firstColumn <= other.m_lastColumn && other.m_firstColumn <= m_lastColumn;
    }
    // The smallest range holding both.
    CXlsCellRange Union(const CXlsCellRange& other) const {
        return CXlsCellRange(
            Min(m_firstRow, other.m_firstRow), Min(m_firstColumn, other.m_firstColumn),
            Max(m_lastRow, other.m_lastRow), Max(m_lastColumn, other.m_lastColumn));
    }

    bool operator==(const CXlsCellRange& other) const = default;

  private:
    static std::uint32_t Min(std::uint32_t a, std::uint32_t b) { return a < b ? a : b; }
    static std::uint32_t Max(std::uint32_t a, std::uint32_t b) { return a > b ? a : b; }

    std::uint32_t m_firstRow = 0;
    std::uint32_t m_firstColumn = 0;
    std::uint32_t m_lastRow = 0;
    std::uint32_t m_lastColumn = 0;
};
