#include "biff/CExcelContinueRecordOffset.h"

std::uint32_t CExcelContinueRecordOffsetList::Add(std::uint32_t offset, std::uint8_t flag,
                                                  bool damaged) {
    m_entries.Add(new CExcelContinueRecordOffset(offset, flag, damaged));
    return m_entries.GetCount();
}

void CExcelContinueRecordOffsetList::Remove(CExcelContinueRecordOffset* entry) {
    if (entry) m_entries.Remove(entry);
}
