// The rows of one worksheet, kept sparsely: rows are grouped in pages of
// 256, and a page exists only once one of its rows was touched. Memory
// grows with the cells and rows used, not with the sheet's 65,536 rows.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "server/CXlsRow.h"
#include "server/XlsRecordLayout.h"

class CXlsCellStore {
  public:
    static constexpr std::uint32_t kRowsPerPage = 256;
    static constexpr std::uint32_t kPageCount = xlsw::kMaxRows / kRowsPerPage;

    CXlsCellStore() = default;
    CXlsCellStore(const CXlsCellStore&) = delete;
    CXlsCellStore& operator=(const CXlsCellStore&) = delete;

    // A row that was touched, or null (also for rows past the sheet).
    const CXlsRow* Row(std::uint32_t row) const;
    CXlsRow* Row(std::uint32_t row);
    // The row, creating its page; row must be below 65,536.
    CXlsRow& RowForWrite(std::uint32_t row);

    // Calls visit(rowNumber, row) for every row that is in use, in row order.
    template <class Visit>
    void ForEachRow(Visit visit) const {
        for (std::uint32_t p = 0; p < kPageCount; ++p) {
            if (!m_pages[p]) continue;
            for (std::uint32_t i = 0; i < kRowsPerPage; ++i) {
                const CXlsRow& row = (*m_pages[p])[i];
                if (!row.IsUnused()) visit(p * kRowsPerPage + i, row);
            }
        }
    }
    template <class Visit>
    void ForEachRowForWrite(Visit visit) {
        for (std::uint32_t p = 0; p < kPageCount; ++p) {
            if (!m_pages[p]) continue;
            for (std::uint32_t i = 0; i < kRowsPerPage; ++i) {
                CXlsRow& row = (*m_pages[p])[i];
                if (!row.IsUnused()) visit(p * kRowsPerPage + i, row);
            }
        }
    }

    std::uint64_t CellCount() const;

  private:
    using Page = std::array<CXlsRow, kRowsPerPage>;
    std::array<std::unique_ptr<Page>, kPageCount> m_pages;
};
