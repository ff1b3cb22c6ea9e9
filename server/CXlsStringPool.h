// The distinct texts of one workbook's cells and cached formula results,
// each kept once and named by an id that never changes. The shared-string
// table of the file is built from the ids that cells still use when the
// workbook is written.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

class CXlsStringPool {
public:
    CXlsStringPool() = default;
    CXlsStringPool(const CXlsStringPool&) = delete;
    CXlsStringPool& operator=(const CXlsStringPool&) = delete;

    // The id of an equal text, adding it when it is new. A text is a cell's,
    // at most 32,767 characters (CXlsWorksheet refuses longer ones).
    std::uint32_t Intern(std::u16string_view text);
    // The text of an id; empty for an unknown id. The view stays valid for
    // the pool's life.
    std::u16string_view Get(std::uint32_t id) const;
    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_entries.size()); }

private:
    // Characters are kept in large blocks that never move, so the views
    // stay valid and a workbook of a million texts costs no allocation per
    // text.
    static constexpr std::size_t kBlockChars = 64 * 1024;
    // 16 bytes a text: its stored characters and the low half of its hash,
    // kept in a deque so that a million texts never sit in a doubled copy.
    struct Entry {
        const char16_t* chars;
        std::uint32_t length;
        std::uint32_t hash;
    };
    static std::uint32_t Hash(std::u16string_view text);
    std::u16string_view Store(std::u16string_view text);
    void Grow();

    std::deque<Entry> m_entries;  // by id
    // Open addressing over the ids: id + 1, or 0 for a free slot; the size
    // is a power of two, at most half full.
    std::vector<std::uint32_t> m_slots;
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    char16_t* m_free = nullptr;
    std::size_t m_freeChars = 0;
};
