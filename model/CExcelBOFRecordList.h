// The substreams found by the BOF search, in file order (the globals entry
// that the search inserts at offset 0 for worksheets without a globals BOF
// comes first). Owned by the parsed workbook; owns its entries.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

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
    CExcelBOFRecord* GetAt(std::uint32_t index) const { return m_entries.GetAt(index); }
    CTList<CExcelBOFRecord>::Iterator begin() const { return m_entries.begin(); }
    CTList<CExcelBOFRecord>::Iterator end() const { return m_entries.end(); }

    // A new sheet (owned by the caller) for the n-th "Worksheet" entry of
    // workbook k (both from 0; workbook k is the one opened by the k-th
    // "Workbook globals" entry), with the entry's start and end and the name
    // "unknown<m>", m being the number of worksheet entries before it in the
    // whole list. Null when there is no such entry.
    //
    // Walks the list from the head on every call, so asking for every sheet
    // of a file with B entries costs O(B) walks of O(B).
    std::unique_ptr<CExcelWorkSheet> MakeWorksheetFromBOF(std::uint32_t n, std::uint32_t k) const;

    // The same answers for every (n, k) from one walk: entry k of the result
    // lists workbook k's "Worksheet" entries in order, each with the number
    // its "unknown<m>" name carries. For callers that ask for all sheets of
    // files with many BOFs.
    struct WorksheetEntry {
        const CExcelBOFRecord* entry;
        std::uint32_t number;
    };
    std::vector<std::vector<WorksheetEntry>> GroupWorksheets() const;
    // The sheet MakeWorksheetFromBOF gives for that entry.
    static std::unique_ptr<CExcelWorkSheet> MakeWorksheet(const WorksheetEntry& worksheet);

private:
    CTList<CExcelBOFRecord> m_entries;
};
