// A cell or area reference of formula text in A1 notation: "B3", "$B$3",
// "A1:C4", whole columns "A:C" and whole rows "2:5" (the sheet part before
// it is the lexer's: CXlsFormulaSheets). Rows and columns are 0-based; a
// part written without "$" is relative.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// One corner of a reference.
struct CXlsReferenceCorner {
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    bool rowRelative = true;
    bool columnRelative = true;

    bool operator==(const CXlsReferenceCorner& other) const = default;
};

class CXlsFormulaReference {
public:
    enum class EKind : std::uint8_t {
        kCell,     // first corner only
        kArea,     // first to last, as written
        kDeleted,  // "Sheet2!#REF!": a reference that points nowhere
    };

    EKind kind = EKind::kCell;
    CXlsReferenceCorner first;
    CXlsReferenceCorner last;

    // Reads the cell, area, whole-column or whole-row reference (without a
    // sheet part) at the start of `text`: the number of characters it takes,
    // 0 when there is none there. A reference is never directly followed by
    // a letter, digit, "_", "." or "(" (the text is then a name or a
    // function: LOG10, A1B). Columns run A to IV, rows 1 to 65536.
    static std::size_t Parse(std::u16string_view text, CXlsFormulaReference& out);

    // The same area with its corners in order (first row/column <= last),
    // each row and column keeping its own "$". With keepRelative, a row or
    // column pair that is relative on both corners stays as written: in a
    // defined name such a pair is a pair of offsets from the cell that uses
    // the name, taken modulo the sheet's size, and swapping them would name
    // other cells.
    CXlsFormulaReference Ordered(bool keepRelative = false) const;

    // Characters that continue a name: letters, digits, "_", ".", "\", "?"
    // and every character from U+0080 up.
    static bool IsNameCharacter(char16_t c);

    bool operator==(const CXlsFormulaReference& other) const = default;
};
