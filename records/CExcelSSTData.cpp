#include "records/CExcelSSTData.h"

CExcelSSTData::CExcelSSTData(const CExcelSSTData& other)
    : CTListNode<CExcelSSTData>(),
      m_rich(other.m_rich),
      m_extended(other.m_extended),
      m_text(other.m_text),
      m_extensionOffset(other.m_extensionOffset) {
    for (const CFormatingRuns& run : other.m_runs) m_runs.Add(new CFormatingRuns(run));
}
