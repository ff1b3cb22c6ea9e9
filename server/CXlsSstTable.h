// The shared-string table of a workbook being written: every text that a
// cell shows, once, in the order the cells first use them. Writes the SST
// record with its CONTINUE records and the EXTSST index that follows it.
#pragma once

#include <cstdint>
#include <vector>

#include "server/CBiffRecordWriter.h"
#include "server/CXlsStringPool.h"

class CXlsSstTable {
public:
    static constexpr std::uint32_t kNotInTable = 0xFFFFFFFF;

    // The pool must outlive the table.
    explicit CXlsSstTable(const CXlsStringPool& pool);

    // Counts one cell that shows the pooled string `stringId`.
    void Add(std::uint32_t stringId);
    // The SST index of a pooled string, or kNotInTable.
    std::uint32_t IndexOf(std::uint32_t stringId) const;

    std::uint32_t UniqueCount() const { return static_cast<std::uint32_t>(m_order.size()); }

    // SST (+ CONTINUE) and EXTSST.
    bool Write(CBiffRecordWriter& out) const;

private:
    const CXlsStringPool& m_pool;
    std::vector<std::uint32_t> m_indexOf;  // by string id
    std::vector<std::uint32_t> m_order;    // string ids by SST index
    std::uint32_t m_total = 0;
};
