// EXTERNSHEET record (0x0017): the REF entries that 3-D references in
// formulas point at by index.
#pragma once

#include <cstdint>

#include "biff/CTList.h"
#include "records/CExcelRecordGWBEXTERNSHEET_REFData.h"

class CExcelRecordGWBEXTERNSHEET : public CTListNode<CExcelRecordGWBEXTERNSHEET> {
public:
    // Any record with a non-empty spill file is taken.
    static bool AcceptsRawLength(std::uint32_t rawLength) { return rawLength != 0; }

    // payload: the record body after its header (n bytes, read, not kept).
    // Takes entries while they are below the declared count and lie wholly
    // inside the payload; an entry cut by the end of the payload is dropped.
    CExcelRecordGWBEXTERNSHEET(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordGWBEXTERNSHEET(const CExcelRecordGWBEXTERNSHEET&) = delete;
    CExcelRecordGWBEXTERNSHEET& operator=(const CExcelRecordGWBEXTERNSHEET&) = delete;
    virtual ~CExcelRecordGWBEXTERNSHEET() = default;

    // The count the record declares (may exceed the entries present).
    std::uint16_t GetDeclaredCount() const { return m_declaredCount; }
    const CTList<CExcelRecordGWBEXTERNSHEET_REFData>& GetEntries() const { return m_entries; }
    // Entry at a 0-based index, or null.
    const CExcelRecordGWBEXTERNSHEET_REFData* GetEntry(std::uint32_t index) const;

private:
    std::uint16_t m_declaredCount = 0;
    CTList<CExcelRecordGWBEXTERNSHEET_REFData> m_entries;
};
