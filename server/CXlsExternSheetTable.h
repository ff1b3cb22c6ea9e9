// The 3-D references of a workbook's formulas: each entry names a first and
// a last sheet, and compiled formulas refer to an entry by its index (the
// EXTERNSHEET index in ptgRef3d, ptgArea3d and the like). Entries name
// sheets by their ids, so that an entry follows its sheets when they move;
// the file gets their positions at the time of writing.
#pragma once

#include <cstdint>
#include <vector>

class CXlsExternSheetTable {
  public:
    struct Entry {
        std::uint32_t firstSheetId;
        std::uint32_t lastSheetId;
        bool operator==(const Entry& other) const = default;
    };

    // The index of the entry for these sheets, adding it when it is new;
    // -1 when the table is full (one EXTERNSHEET record's worth, 1370).
    int Register(std::uint32_t firstSheetId, std::uint32_t lastSheetId);
    const std::vector<Entry>& Entries() const { return m_entries; }

  private:
    std::vector<Entry> m_entries;
};
