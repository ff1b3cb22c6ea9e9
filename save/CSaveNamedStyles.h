// The named styles of a source workbook (its STYLE records with the style
// XFs they name) and what the save makes of them: each style but Normal is
// made in the saved workbook through Workbook.Styles with its XF's values
// and the groups the XF includes (a cleared used-attribute bit in a style
// XF), and a cell XF whose parent is such a style XF names it.
//
// Normal keeps the server's values, as a fresh cell's: the save's
// "unchanged" test compares with a fresh cell. Built-in styles are known by
// the names of ids 3-9; outline level styles (ids 1, 2) and ids past 9
// (whose names live in other records) are not made, and their cells take
// Normal. A user style without a name is not made either.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "save/CXLCellFormat.h"

class CExcelWorkBook;
class CXLEzAutomation;

class CSaveNamedStyles {
public:
    struct Style {
        std::u16string name;  // empty: not made (Normal, unknown built-ins)
        CXLStyleBase base;    // what a cell shows once the style is put
    };

    // Indexes the workbook's STYLE records against its XF list (by
    // position) and FONT list (by position, as CExcelGlobalLookup maps
    // font indices). The first STYLE record naming an XF wins.
    explicit CSaveNamedStyles(const CExcelWorkBook& workbook);

    // The style whose XF is at `xfIndex`, or null (Normal, no style, or a
    // style that is not made).
    const Style* Of(std::uint32_t xfIndex) const;
    // Makes every style this workbook names (but Normal) in the saved one.
    void Make(CXLEzAutomation& automation) const;

    // The name the save gives a built-in style id; empty for Normal and
    // for ids it does not make.
    static std::u16string_view BuiltinName(std::uint8_t id);

private:
    std::vector<Style> m_byXf;           // by style XF index; empty when unnamed
    std::vector<std::uint32_t> m_order;  // the XF indices in STYLE record order
};
