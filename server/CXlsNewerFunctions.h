// The spreadsheet's functions that are newer than the BIFF8 function table
// (IFERROR, SUMIFS, IFNA, CONCAT, XLOOKUP...). A BIFF8 file cannot call
// them by index: it calls them by name, through a NAME or an add-in
// EXTERNNAME whose text carries the prefix "_xlfn." (the two array
// functions FILTER and SORT "_xlfn._xlws."), which readers that know the
// function strip again. The Analysis ToolPak functions (NETWORKDAYS,
// EOMONTH...) are add-in functions and are not listed: they are called by
// their plain names.
#pragma once

#include <string>
#include <string_view>

class CXlsNewerFunctions {
public:
    static constexpr std::u16string_view kPrefix = u"_xlfn.";

    // The stored name of a function called as `name` (any case): with its
    // prefix when it is one of the newer functions (and does not carry the
    // prefix already), else `name` itself.
    static std::u16string StoredName(std::u16string_view name);
    // Whether `name` is one of the newer functions, without its prefix.
    static bool IsNewer(std::u16string_view name);
};
