#include "records/CExcelRecordGWBEXTERNSHEET.h"

#include "biff/CByteBuffer.h"
#include "records/RecordLayout.h"

CExcelRecordGWBEXTERNSHEET::CExcelRecordGWBEXTERNSHEET(const std::uint8_t* payload,
                                                       std::uint32_t n) {
    if (!payload || n < biff8::kExternSheetFirstRef) return;
    m_declaredCount = CDataReader::GetU16(payload + biff8::kExternSheetCount);
    // The count is untrusted: an entry is taken only when all six of its
    // bytes are in the payload; one cut by the end is dropped.
    for (std::uint32_t k = 0; k < m_declaredCount; ++k) {
        const std::uint64_t at = biff8::kExternSheetFirstRef +
                                 static_cast<std::uint64_t>(k) * biff8::kExternSheetRefSize;
        if (at + biff8::kExternSheetRefSize > n) break;
        m_entries.Add(new CExcelRecordGWBEXTERNSHEET_REFData(payload + at));
    }
}

const CExcelRecordGWBEXTERNSHEET_REFData* CExcelRecordGWBEXTERNSHEET::GetEntry(
    std::uint32_t index) const {
    return m_entries.GetAt(index);
}
