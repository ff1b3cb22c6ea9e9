// One substream found by the BOF search: a "Workbook globals" or a
// "Worksheet" entry with its offsets in the scan file (start = the BOF
// record's first byte, end = the next entry's start, or the file length for
// the last entry).
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"

class CExcelBOFRecord : public CTListNode<CExcelBOFRecord> {
public:
    static constexpr char16_t kGlobalsName[] = u"Workbook globals";
    static constexpr char16_t kWorksheetName[] = u"Worksheet";

    CExcelBOFRecord(std::u16string name, std::uint32_t start, std::uint32_t end = 0)
        : m_name(std::move(name)), m_end(end), m_start(start) {}
    CExcelBOFRecord(const CExcelBOFRecord& other)
        : CTListNode<CExcelBOFRecord>(),
          m_name(other.m_name),
          m_end(other.m_end),
          m_start(other.m_start) {}
    CExcelBOFRecord& operator=(const CExcelBOFRecord&) = delete;
    virtual ~CExcelBOFRecord() = default;

    const std::u16string& GetName() const { return m_name; }
    bool IsGlobals() const { return m_name == kGlobalsName; }
    bool IsWorksheet() const { return m_name == kWorksheetName; }

    std::uint32_t GetStart() const { return m_start; }
    std::uint32_t GetEnd() const { return m_end; }
    void SetEnd(std::uint32_t end) { m_end = end; }

private:
    std::u16string m_name;
    std::uint32_t m_end;
    std::uint32_t m_start;
};
