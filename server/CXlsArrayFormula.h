// An array formula: one compiled formula over a range of cells. Its tokens
// go into the ARRAY record that follows the range's top-left FORMULA record.
#pragma once

#include "server/CXlsCellRange.h"
#include "server/CXlsFormulaTokens.h"

class CXlsArrayFormula {
  public:
    CXlsArrayFormula() = default;
    CXlsArrayFormula(const CXlsCellRange& range, const CXlsFormulaTokens& tokens)
        : m_range(range), m_tokens(tokens), m_inUse(true) {}

    const CXlsCellRange& Range() const { return m_range; }
    const CXlsFormulaTokens& Tokens() const { return m_tokens; }
    // False once the array was replaced or cleared; its slot may be reused.
    bool InUse() const { return m_inUse; }

  private:
    CXlsCellRange m_range;
    CXlsFormulaTokens m_tokens;
    bool m_inUse = false;
};
