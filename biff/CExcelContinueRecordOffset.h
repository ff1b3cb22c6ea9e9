// The CONTINUE boundaries of one joined record, remembered while the record
// is read so that the shared-string decoder can rebuild strings that cross
// them.
//
// CExcelContinueRecordOffset is one boundary; CExcelContinueRecordOffsetList
// holds them in the order of the CONTINUE records and owns them. The two
// live in one header because an entry exists only inside its list.
#pragma once

#include <cstdint>

#include "biff/CTList.h"

class CExcelContinueRecordOffset : public CTListNode<CExcelContinueRecordOffset> {
public:
    CExcelContinueRecordOffset(std::uint32_t offset, std::uint8_t flag, bool damaged = false)
        : m_offset(offset), m_flag(flag), m_damaged(damaged) {}
    virtual ~CExcelContinueRecordOffset() = default;

    // Position in the joined record's spill file (counting its 4-byte
    // header) where this CONTINUE's data begins: the joined size just before
    // the data was appended.
    std::uint32_t GetOffset() const { return m_offset; }
    // The CONTINUE body's first byte, which is not in the spill file (for a
    // string continued inside its characters, the string's option flags).
    std::uint8_t GetFlag() const { return m_flag; }
    // The CONTINUE's header was damaged and the record after it was found
    // again by the framing: its first bytes may not be what they were.
    bool IsDamaged() const { return m_damaged; }

private:
    std::uint32_t m_offset;
    std::uint8_t m_flag;
    bool m_damaged;
};

class CExcelContinueRecordOffsetList {
public:
    CExcelContinueRecordOffsetList() = default;
    CExcelContinueRecordOffsetList(const CExcelContinueRecordOffsetList&) = delete;
    CExcelContinueRecordOffsetList& operator=(const CExcelContinueRecordOffsetList&) = delete;
    virtual ~CExcelContinueRecordOffsetList() = default;

    // Appends a boundary and returns the new count.
    std::uint32_t Add(std::uint32_t offset, std::uint8_t flag, bool damaged = false);
    // Unlinks entry from the list and frees it; an entry that is not in the
    // list is left alone. Removing the head, as a decoder consuming the
    // boundaries in order does, takes constant time.
    void Remove(CExcelContinueRecordOffset* entry);

    CExcelContinueRecordOffset* GetHead() const { return m_entries.GetHead(); }
    CExcelContinueRecordOffset* GetTail() const { return m_entries.GetTail(); }
    std::uint32_t GetCount() const { return m_entries.GetCount(); }

private:
    CTList<CExcelContinueRecordOffset> m_entries;
};
