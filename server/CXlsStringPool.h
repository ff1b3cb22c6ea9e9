// The distinct texts of one workbook's cells and cached formula results,
// each kept once and named by an id that never changes. The shared-string
// table of the file is built from the ids that cells still use when the
// workbook is written.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

class CXlsStringPool {
  public:
    CXlsStringPool() = default;
    CXlsStringPool(const CXlsStringPool&) = delete;
    CXlsStringPool& operator=(const CXlsStringPool&) = delete;

    // The id of an equal text, adding it when it is new.
    std::uint32_t Intern(std::u16string_view text);
    // The text of an id; empty for an unknown id. The view stays valid for
    // the pool's life.
    std::u16string_view Get(std::uint32_t id) const;
    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_texts.size()); }

  private:
    // A deque never moves its elements, so the map's keys can view them.
    std::deque<std::u16string> m_texts;
    std::unordered_map<std::u16string_view, std::uint32_t> m_ids;
};
