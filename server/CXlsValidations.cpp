#include "server/CXlsValidations.h"

#include <algorithm>

bool CXlsValidations::Add(CXlsValidation validation) {
    if (!validation.range.IsValid() || m_items.size() >= kMaxPerSheet) return false;
    const bool overlaps = std::any_of(m_items.begin(), m_items.end(), [&](const CXlsValidation& v) {
        return v.range.Intersects(validation.range);
    });
    if (overlaps) return false;
    m_items.push_back(std::move(validation));
    return true;
}

CXlsValidation* CXlsValidations::FindAt(std::uint32_t row, std::uint32_t column) {
    for (CXlsValidation& validation : m_items) {
        if (validation.range.Contains(row, column)) return &validation;
    }
    return nullptr;
}
