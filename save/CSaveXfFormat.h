// Turns one XF record of the source (with the FONT and FORMAT records it
// refers to) into the whole cell format the save puts (CXLCellFormat).
//
// Every field is taken from the XF itself, whatever its used-attribute
// bits say: readers show a cell XF's own fields. The number format is the
// text of the first FORMAT record with the XF's format index, else the
// built-in code of that index; an index with neither stays General. A
// missing FONT leaves the default font; a font without a name keeps the
// default name. Palette colours 8-63 become ColorIndex 1-56 and the fixed
// colours 0-7 the palette entries 1-8 that show the same colours. A system
// colour (64 window text, 65 window background, 0x51 tool-tip text, 0x7FFF
// font default) stays automatic where it shows as the field's own automatic
// colour (window text for fonts, lines and pattern colours, window
// background for pattern backgrounds); elsewhere it becomes the palette's
// black or white, as it shows. Anything else is automatic.
#pragma once

#include <cstdint>

#include "biff/CTList.h"
#include "save/CXLCellFormat.h"

class CExcelRecordWBFONT;
class CExcelRecordWBFORMAT;
class CExcelRecordWBXF;

class CSaveXfFormat {
public:
    // font: null when the XF's FONT record is missing.
    static CXLCellFormat Build(const CExcelRecordWBXF& xf, const CExcelRecordWBFONT* font,
                               const CTList<CExcelRecordWBFORMAT>& formats);

    // The text the save puts as NumberFormat for a format index: the
    // workbook's FORMAT record, else the built-in code as the object model
    // spells it, else General.
    static std::u16string NumberFormat(const CTList<CExcelRecordWBFORMAT>& formats,
                                       std::uint16_t index);

    // A colour index of a FONT or XF record as the object model's ColorIndex,
    // every system colour taken as automatic.
    static std::int16_t ColorIndex(std::uint32_t biffIndex);
    // The same for a field whose automatic colour is automaticIndex (64 for
    // lines and pattern colours, 65 for pattern backgrounds, 0x7FFF for
    // fonts): a system colour that shows otherwise keeps how it shows.
    static std::int16_t ColorIndex(std::uint32_t biffIndex, std::uint32_t automaticIndex);
};
