// One 128-byte directory entry, owned, with the sector chain of its stream.
//
// The chain is empty until the chain builder attaches one. Free and damaged
// entries are kept like any other: their fields are read as they stand.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "compound/CSectorList.h"
#include "compound/CompoundFormat.h"

class COleDirectoryEntry {
public:
    // Copies the 128 entry bytes.
    explicit COleDirectoryEntry(const std::uint8_t* bytes);
    virtual ~COleDirectoryEntry() = default;
    COleDirectoryEntry(const COleDirectoryEntry&) = default;
    COleDirectoryEntry& operator=(const COleDirectoryEntry&) = default;
    COleDirectoryEntry(COleDirectoryEntry&&) noexcept = default;
    COleDirectoryEntry& operator=(COleDirectoryEntry&&) noexcept = default;

    const std::uint8_t* Data() const { return m_bytes.data(); }

    // The UTF-16 units of the name up to the first NUL; all 32 units when
    // there is none. The name-length field is not consulted.
    std::u16string GetName() const;
    // The object type byte (5 for the root storage).
    std::uint8_t GetType() const { return m_bytes[CompoundFormat::kEntryTypeOffset]; }
    std::int32_t GetLeftSiblingId() const;
    std::int32_t GetRightSiblingId() const;
    std::int32_t GetChildId() const;
    std::int32_t GetStartingSector() const;
    std::uint32_t GetStreamSize() const;

    const CSectorList& GetChain() const { return m_chain; }
    // Replaces the chain (the old one is freed) and marks it built.
    void SetChain(CSectorList chain);
    // False until SetChain(); the chain builder leaves the chains of some
    // entries to be built when a copy asks for them (see COleChainBuilder).
    bool HasChain() const { return m_hasChain; }

private:
    std::array<std::uint8_t, CompoundFormat::kDirectoryEntrySize> m_bytes;
    CSectorList m_chain;
    bool m_hasChain = false;
};
