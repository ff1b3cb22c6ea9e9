// The substreams found by the BOF search, in file order (the globals entry
// that the search inserts at offset 0 for worksheets without a globals BOF
// comes first). Owned by the parsed workbook; owns its entries.
#pragma once

#include <cstdint>
#include <memory>

#include "biff/CExcelBOFRecord.h"
#include "biff/CTList.h"

class CExcelWorkSheet;

class CExcelBOFRecordList {
public:
    CExcelBOFRecordList() = default;
    CExcelBOFRecordList(const CExcelBOFRecordList&) = delete;
    CExcelBOFRecordList& operator=(const CExcelBOFRecordList&) = delete;
    virtual ~CExcelBOFRecordList() = default;

    // Appends a copy of entry.
    void Add(const CExcelBOFRecord& entry);
    void RemoveAll() { m_entries.RemoveAll(); }

    CExcelBOFRecord* GetHead() const { return m_entries.GetHead(); }
    CExcelBOFRecord* GetTail() const { return m_entries.GetTail(); }
    std::uint32_t GetCount() const { return m_entries.GetCount(); }

    // A new sheet (owned by the caller) for the n-th "Worksheet" entry of
    // workbook k (both from 0; workbook k is the one opened by the k-th
    // "Workbook globals" entry), with the entry's start and end and the name
    // "unknown<m>", m being the number of worksheet entries before it in the
    // whole list. Null when there is no such entry.
    //
    // Walks the list from the head on every call, so asking for every sheet
    // of a file with B entries costs O(B) walks of O(B).
    std::unique_ptr<CExcelWorkSheet> MakeWorksheetFromBOF(std::uint32_t n, std::uint32_t k) const;

private:
    CTList<CExcelBOFRecord> m_entries;
};
