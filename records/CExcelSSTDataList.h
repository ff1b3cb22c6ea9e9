// The workbook's shared-string table: entries in table order, looked up by
// their 0-based index (the index stored in LABELSST cells).
//
// The list owns its entries. Beside the linked list it keeps a vector of
// pointers so that a lookup by index costs O(1) however large the table.
// An index whose string was lost to damage holds no entry, so that every
// later index still names its own string.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "biff/CTList.h"
#include "records/CExcelSSTData.h"

class CExcelSSTDataList {
public:
    CExcelSSTDataList() = default;
    CExcelSSTDataList(const CExcelSSTDataList&) = delete;
    CExcelSSTDataList& operator=(const CExcelSSTDataList&) = delete;
    virtual ~CExcelSSTDataList() = default;

    // Appends a deep copy of entry; the caller keeps its own.
    void Add(const CExcelSSTData& entry);
    // Appends entry itself, taking ownership (a null entry is ignored).
    void Add(std::unique_ptr<CExcelSSTData> entry);
    // Appends an index whose string is lost: GetAt gives null for it.
    void AddLost();

    // Text of entry index. found is false (and the text empty) when the
    // table holds no such entry.
    std::u16string GetString(std::uint32_t index, bool& found) const;
    // The entry at index, or null past the end.
    const CExcelSSTData* GetAt(std::uint32_t index) const;

    const CExcelSSTData* GetHead() const { return m_entries.GetHead(); }
    // Indices in the table, lost ones included.
    std::uint32_t GetCount() const { return static_cast<std::uint32_t>(m_byIndex.size()); }
    std::uint32_t GetLostCount() const { return GetCount() - m_entries.GetCount(); }

private:
    CTList<CExcelSSTData> m_entries;
    std::vector<CExcelSSTData*> m_byIndex;
};
