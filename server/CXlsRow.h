// One row of a worksheet: its stored cells in column order, its height,
// whether it is hidden (a hidden row keeps its height for when it is shown
// again) and its row format.
#pragma once

#include <cstdint>
#include <vector>

#include "server/CXlsCell.h"

class CXlsRow {
public:
    const std::vector<CXlsCell>& Cells() const { return m_cells; }

    // The stored cell of a column, or null.
    CXlsCell* Find(std::uint16_t column);
    const CXlsCell* Find(std::uint16_t column) const;
    // The stored cell of a column; a new one is blank with formatId.
    CXlsCell& FindOrInsert(std::uint16_t column, std::uint32_t formatId);
    // Every stored cell, for changes that keep the column order.
    std::vector<CXlsCell>& MutableCells() { return m_cells; }

    bool HasCustomHeight() const { return m_customHeight; }
    std::uint16_t HeightTwips() const { return m_heightTwips; }
    void SetHeightTwips(std::uint16_t twips) {
        m_heightTwips = twips;
        m_customHeight = true;
    }

    bool IsHidden() const { return m_hidden; }
    void SetHidden(bool hidden) { m_hidden = hidden; }

    bool HasFormat() const { return m_hasFormat; }
    std::uint32_t FormatId() const { return m_formatId; }
    void SetFormatId(std::uint32_t formatId) {
        m_formatId = formatId;
        m_hasFormat = true;
    }

    // Nothing in it that the file would need a ROW record for.
    bool IsUnused() const {
        return m_cells.empty() && !m_customHeight && !m_hidden && !m_hasFormat;
    }

private:
    std::vector<CXlsCell> m_cells;
    std::uint32_t m_formatId = 0;
    std::uint16_t m_heightTwips = 0;
    bool m_customHeight = false;
    bool m_hidden = false;
    bool m_hasFormat = false;
};
