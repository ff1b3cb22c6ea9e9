// The workbook's shared-string table: entries in table order, looked up by
// their 0-based index (the index stored in LABELSST cells) in O(1).
//
// The table owns its entries and their texts. Entries lie side by side in
// the blocks of a deque, about twenty to a block, and their characters in a
// text store of chunks up to 1 MiB: a table of a few hundred thousand
// strings costs a few allocations per hundred strings, not two per string.
// An entry, once added, stays where it is, so a pointer from GetAt and the
// text it gives stay valid while the table lives, until SetLost, Resize or
// RemoveAll drops that index.
// An index whose string was lost to damage holds a lost entry that GetAt
// never hands out, so that every later index still names its own string.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "biff/CBulkBlock.h"
#include "records/CExcelSSTData.h"

class CExcelSSTDataList {
public:
    CExcelSSTDataList() = default;
    CExcelSSTDataList(const CExcelSSTDataList&) = delete;
    CExcelSSTDataList& operator=(const CExcelSSTDataList&) = delete;
    virtual ~CExcelSSTDataList() = default;

    // Appends a deep copy of entry; the caller keeps its own.
    void Add(const CExcelSSTData& entry);
    // Appends entry itself, taking its runs (a null entry is ignored).
    void Add(std::unique_ptr<CExcelSSTData> entry);
    // Appends a string whose text is text (its first kMaxChars characters,
    // copied into the store) and whose flags, extension offset and runs are
    // those of attributes, which is left empty; its own text is not used.
    void Add(std::u16string_view text, CExcelSSTData&& attributes);
    // Appends an index whose string is lost: GetAt gives null for it.
    void AddLost();

    // Makes the string at index lost (nothing past the end).
    void SetLost(std::uint32_t index);
    // Drops every index from count on, or appends lost ones up to count.
    void Resize(std::uint32_t count);

    // Text of entry index. found is false (and the text empty) when the
    // table holds no such entry.
    std::u16string GetString(std::uint32_t index, bool& found) const;
    // The entry at index, or null when it is lost or past the end.
    const CExcelSSTData* GetAt(std::uint32_t index) const;

    // Gives back the untouched pages of the text store's last chunk, once
    // the table is read.
    void ReleaseSpare();
    // Deletes every entry and the text store: the table is empty.
    void RemoveAll();

    // Indices in the table, lost ones included.
    std::uint32_t GetCount() const { return static_cast<std::uint32_t>(m_entries.size()); }
    std::uint32_t GetLostCount() const { return m_lostCount; }

private:
    // Copies text into the store; null for an empty text.
    const char16_t* Store(std::u16string_view text);
    // Gives back the store's characters from text on when they are the
    // last of its current chunk (the strings holding them were dropped).
    void Unstore(const char16_t* text);

    std::deque<CExcelSSTData> m_entries;
    std::uint32_t m_lostCount = 0;

    // The text store: characters of every string in table order. Chunks
    // never move; the last one fills up before another is made.
    std::vector<CBulkBlock::Ptr<char16_t>> m_chunks;
    std::size_t m_chunkSize = 0;  // characters of the last chunk
    std::size_t m_chunkUsed = 0;  // of the last chunk
};
