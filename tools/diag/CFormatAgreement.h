// How much of a workbook's cell formatting a copy of it keeps, as our own
// reader reads both: for every cell of the original that holds a value or
// a BLANK/MULBLANK format, the format the copy shows at the same place of
// the sheet at the same position (its own XF, else its row's, else its
// column's, else XF 15), compared attribute by attribute: font name,
// height, weight, italic, underline kind, strikeout, script, colour; the
// number format text; horizontal and vertical alignment, wrap, rotation,
// indent, shrink-to-fit; locked and hidden; the four lines with their
// colours and the diagonals; the fill pattern and both its colours. Colour
// indices from 64 on (the system colours) count as one automatic colour.
#pragma once

#include <cstdint>
#include <map>
#include <string>

class CExcelData;

class CFormatAgreement {
public:
    struct Tally {
        std::uint64_t items = 0;
        std::uint64_t equal = 0;
    };

    // By attribute name ("font.name", "numfmt", ..., "all").
    static std::map<std::string, Tally> Compare(const CExcelData& original, const CExcelData& copy);
};
