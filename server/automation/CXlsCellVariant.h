// Cell values as automation variants, both ways: what Range.Value reads
// and what a Value put (or a constant entered through Formula) stores.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/automation/CVariant.h"
#include "server/CXlsCellRange.h"
#include "server/CXlsCellValue.h"
#include "server/CXlsWorksheet.h"

class CXlsCellVariant {
public:
    // Number -> double, text -> text, Boolean -> Boolean, error -> a cell
    // error value, empty -> empty.
    static CVariant FromValue(const CXlsCellValue& value);

    // Stores the variant in every cell of the range: numbers (16-bit,
    // 32-bit, double), texts, Booleans, cell error values; empty, null and
    // an empty text clear the cells. DISP_E_TYPEMISMATCH for other kinds
    // (nothing changed), E_FAIL when the sheet refuses a cell (the cells
    // before it keep their new value).
    // An array variant gives each cell its own element and must have the
    // range's rows and columns (else E_INVALIDARG), each stored as above:
    // an empty element clears its cell, as an empty value does. An element of
    // another kind is DISP_E_TYPEMISMATCH before any cell changes.
    static HRESULT Put(CXlsWorksheet& sheet, const CXlsCellRange& range, const CVariant& value);

    // The value a variant stands for: numbers (16-bit, 32-bit, double),
    // texts (an empty one too), Booleans and cell error values; false for
    // any other kind.
    static bool ToValue(const CVariant& variant, CXlsCellValue& value);

    // Formula text that does not start with "=": a number when all of it
    // reads as one, TRUE or FALSE (any case) as a Boolean, else the text.
    static CVariant FromEntry(std::u16string_view text);
};
