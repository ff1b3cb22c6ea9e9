// An ordered list of signed 32-bit sector ids or table entries: the FAT, the
// mini FAT, the DIFAT lists and every sector chain of a compound file.
//
// Lookup by position is O(1); a position past the last value yields -2 (end
// of chain), so a walk through a short table ends instead of reading beyond
// it. The list owns its values.
#pragma once

#include <cstdint>
#include <vector>

class CSectorList {
public:
    CSectorList() = default;
    virtual ~CSectorList() = default;
    CSectorList(const CSectorList&) = default;
    CSectorList& operator=(const CSectorList&) = default;
    CSectorList(CSectorList&&) noexcept = default;
    CSectorList& operator=(CSectorList&&) noexcept = default;

    void Add(std::int32_t value) { m_values.push_back(value); }
    // Appends count little-endian 32-bit values read from bytes.
    void AddLittleEndian(const std::uint8_t* bytes, std::uint32_t count);
    void RemoveAll() { m_values.clear(); }

    std::uint32_t GetCount() const { return static_cast<std::uint32_t>(m_values.size()); }
    bool IsEmpty() const { return m_values.empty(); }
    // The value at position pos, or -2 (end of chain) past the last one.
    std::int32_t GetAt(std::uint32_t pos) const;
    // Same lookup for a sector id used as a position: negative ids are no
    // position and yield -2 as well.
    std::int32_t Lookup(std::int32_t id) const;

    const std::vector<std::int32_t>& Values() const { return m_values; }

private:
    std::vector<std::int32_t> m_values;
};
