// The number format a cell shows, by the format index of its XF record:
// the text the preview renders the cell's number with and the save pipeline
// hands on as the cell's number format.
//
// Indices 0-5 are always the built-in codes, whatever FORMAT records the
// workbook holds. From 6 on, the first FORMAT record of the workbook with
// that index wins; without one, the built-in code of the index is used,
// which is empty for 23-36 and from 50 on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "biff/CTList.h"

class CExcelRecordWBFORMAT;
class CExcelWorkbookGlobals;

class CExcelFormatText {
public:
    // First index that a FORMAT record may define for itself.
    static constexpr std::uint32_t kFirstRedefinable = 6;
    // Indices from here on have no built-in code.
    static constexpr std::uint32_t kBuiltInCount = 50;

    // The built-in code of formatIndex (en-US); empty where there is none.
    static std::u16string_view BuiltIn(std::uint32_t formatIndex);

    // The format text of formatIndex over a FORMAT list (searched from its
    // head to its end, never further).
    static std::u16string Lookup(const CTList<CExcelRecordWBFORMAT>& formats,
                                 std::uint32_t formatIndex);
    // The same over the workbook's FORMAT list.
    static std::u16string Lookup(const CExcelWorkbookGlobals& workbook, std::uint32_t formatIndex);
};
