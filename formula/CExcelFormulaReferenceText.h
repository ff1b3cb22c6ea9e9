// Cell and area references of formula tokens as A1 text: column letters
// (A to IV), then the 1-based row, with "$" before each part that the
// column field marks absolute. The parts keep their kind, so that a formula
// filled over a range moves exactly the parts that move in the spreadsheet.
//
// A column field holds the column in its low byte, bit 14 set for a
// relative column and bit 15 set for a relative row. Rows are the 0-based
// values as stored.
#pragma once

#include <cstdint>
#include <string>

class CExcelFormulaReferenceText {
public:
    // ptgRef, ptgRef3d: the cell at row and the column of columnField, e.g.
    // row 2 with field 0xC001 gives B3, with 0x0001 $B$3, with 0x4001 B$3.
    static std::u16string Cell(std::uint16_t row, std::uint16_t columnField);
    // ptgArea, ptgArea3d: first ":" last, each part marked by its own field.
    static std::u16string Area(std::uint16_t firstRow, std::uint16_t lastRow,
                               std::uint16_t firstColumnField, std::uint16_t lastColumnField);

    // ptgRefN: a relative row is a signed 16-bit offset from baseRow and a
    // relative column a signed 8-bit offset (the low byte) from baseColumn;
    // the sums wrap round the 65536 x 256 grid. Absolute parts are plain row
    // and column numbers.
    static std::u16string RelativeCell(std::uint16_t row, std::uint16_t columnField,
                                       std::uint32_t baseRow, std::uint16_t baseColumn);
    // ptgAreaN: both corners as RelativeCell resolves them.
    static std::u16string RelativeArea(std::uint16_t firstRow, std::uint16_t lastRow,
                                       std::uint16_t firstColumnField,
                                       std::uint16_t lastColumnField, std::uint32_t baseRow,
                                       std::uint16_t baseColumn);

    // The same texts appended to out, for a caller that builds a longer
    // text and wants no string of its own per reference.
    static void AppendCell(std::u16string& out, std::uint16_t row, std::uint16_t columnField);
    static void AppendArea(std::u16string& out, std::uint16_t firstRow, std::uint16_t lastRow,
                           std::uint16_t firstColumnField, std::uint16_t lastColumnField);
    static void AppendRelativeCell(std::u16string& out, std::uint16_t row,
                                   std::uint16_t columnField, std::uint32_t baseRow,
                                   std::uint16_t baseColumn);
    static void AppendRelativeArea(std::u16string& out, std::uint16_t firstRow,
                                   std::uint16_t lastRow, std::uint16_t firstColumnField,
                                   std::uint16_t lastColumnField, std::uint32_t baseRow,
                                   std::uint16_t baseColumn);
    // The digits of value, as a row number or an integer token shows them.
    static void AppendDecimal(std::u16string& out, std::uint32_t value);
};
