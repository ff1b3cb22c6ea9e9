// The distinct cell formats of one workbook. Each format is kept once and
// named by a small id that never changes; id 0 is the default format.
// Formats are never removed: an id stays valid for the workbook's life.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "server/CXlsCellFormat.h"

class CXlsFormatPool {
  public:
    static constexpr std::uint32_t kDefaultId = 0;

    CXlsFormatPool();
    CXlsFormatPool(const CXlsFormatPool&) = delete;
    CXlsFormatPool& operator=(const CXlsFormatPool&) = delete;

    // The id of an equal format, adding it when it is new.
    std::uint32_t Intern(const CXlsCellFormat& format);
    // The format of an id; an unknown id gives the default format.
    const CXlsCellFormat& Get(std::uint32_t id) const;
    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_formats.size()); }

  private:
    struct Hasher {
        std::size_t operator()(const CXlsCellFormat& format) const { return format.Hash(); }
    };
    std::vector<CXlsCellFormat> m_formats;
    std::unordered_map<CXlsCellFormat, std::uint32_t, Hasher> m_ids;
};
