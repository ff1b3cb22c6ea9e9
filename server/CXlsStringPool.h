// The distinct texts of one workbook's cells and cached formula results,
// each kept once and named by an id that never changes. The shared-string
// table of the file is built from the ids that cells still use when the
// workbook is written.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
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
    // The text of an id; empty for an unknown id. A text kept in eight bits
    // is widened into scratch and the view is into it, valid until scratch
    // changes; another text's view stays valid for the pool's life.
    std::u16string_view Get(std::uint32_t id, std::u16string& scratch) const;
    // A copy of the text of an id; empty for an unknown id.
    std::u16string Text(std::uint32_t id) const;
    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_entries.size()); }

private:
    // Characters are kept in large blocks that never move, so the views
    // stay valid and a workbook of a million texts costs no allocation per
    // text. A text whose characters all lie below U+0100 (most cell texts,
    // and what the SST itself would store in eight bits) takes one byte a
    // character, in blocks of its own.
    static constexpr std::size_t kBlockChars = 64 * 1024;
    template <class Char>
    struct Blocks {
        std::vector<std::unique_ptr<Char[]>> blocks;
        Char* free = nullptr;
        std::size_t freeChars = 0;
        // Room for n characters that never moves.
        Char* Take(std::size_t n);
    };
    // 16 bytes a text: its stored characters, its length with kNarrow set
    // for eight-bit characters, and the low half of its hash, kept in a
    // deque so that a million texts never sit in a doubled copy.
    static constexpr std::uint32_t kNarrow = 0x80000000;
    struct Entry {
        const void* chars;
        std::uint32_t length;
        std::uint32_t hash;
    };
    static std::uint32_t Hash(std::u16string_view text);
    static bool Equal(const Entry& entry, std::u16string_view text);
    Entry Store(std::u16string_view text, std::uint32_t hash);
    void Grow();

    std::deque<Entry> m_entries;  // by id
    // Open addressing over the ids: the text's hash in the high half and
    // id + 1 in the low one, or 0 for a free slot; the size is a power of
    // two, at most half full. With the hash beside the id, a probe past
    // another text reads no entry: a new text costs one look at the slots.
    std::vector<std::uint64_t> m_slots;
    static std::uint64_t Slot(std::uint32_t hash, std::uint32_t id) {
        return static_cast<std::uint64_t>(hash) << 32 | (id + 1);
    }
    Blocks<char16_t> m_wide;
    Blocks<std::uint8_t> m_narrow;
};
