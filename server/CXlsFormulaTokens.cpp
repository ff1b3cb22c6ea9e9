#include "server/CXlsFormulaTokens.h"

#include "server/XlsRecordLayout.h"

bool CXlsFormulaTokens::IsValid() const {
    if (m_tokens.empty() || m_tokens.size() > kMaxTokenBytes) return false;
    // The FORMULA record has the longer fixed part of the two records that
    // may carry these bytes.
    return xlsw::kFormulaTokens + m_tokens.size() + m_extra.size() <= xlsw::kMaxRecordBody;
}
