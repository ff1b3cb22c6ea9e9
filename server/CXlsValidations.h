// The data validations of one worksheet, in the order they were added. A
// cell has at most one validation: a new one over a cell that already has
// one is refused, as the spreadsheet refuses Validation.Add there.
#pragma once

#include <cstddef>
#include <vector>

#include "server/CXlsValidation.h"

class CXlsValidations {
public:
    // The most validations one worksheet holds here; each Add compares its
    // range with every one before it.
    static constexpr std::size_t kMaxPerSheet = 65534;

    // False, changing nothing, when the range lies outside the sheet or
    // overlaps a validation's range, or the sheet is full.
    bool Add(CXlsValidation validation);
    // The validation whose range holds the cell, or null. Valid until the
    // next Add.
    CXlsValidation* FindAt(std::uint32_t row, std::uint32_t column);
    const std::vector<CXlsValidation>& Items() const { return m_items; }

private:
    std::vector<CXlsValidation> m_items;
};
