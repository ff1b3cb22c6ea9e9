#include "server/CXlsCellStore.h"

const CXlsRow* CXlsCellStore::Row(std::uint32_t row) const {
    if (row >= xlsw::kMaxRows) return nullptr;
    const auto& page = m_pages[row / kRowsPerPage];
    return page ? &(*page)[row % kRowsPerPage] : nullptr;
}

CXlsRow* CXlsCellStore::Row(std::uint32_t row) {
    if (row >= xlsw::kMaxRows) return nullptr;
    auto& page = m_pages[row / kRowsPerPage];
    return page ? &(*page)[row % kRowsPerPage] : nullptr;
}

CXlsRow& CXlsCellStore::RowForWrite(std::uint32_t row) {
    auto& page = m_pages[row / kRowsPerPage];
    if (!page) page = std::make_unique<Page>();
    return (*page)[row % kRowsPerPage];
}

std::uint64_t CXlsCellStore::CellCount() const {
    std::uint64_t count = 0;
    ForEachRow([&count](std::uint32_t, const CXlsRow& row) { count += row.Cells().size(); });
    return count;
}
