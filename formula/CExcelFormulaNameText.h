// The text of a defined name that a ptgName token refers to by its 1-based
// position in the workbook's list of NAME records.
//
// A workbook-global name prints bare (Rates); a built-in name by the name
// the spreadsheet gives it (Print_Area); a name that belongs to a sheet
// prints bare on that sheet and with its sheet in front elsewhere
// (Sheet2!Rates, 'Q1 2009'!Print_Area).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CExcelFormulaWorkbook;
class CExcelSheetFormulas;

class CExcelFormulaNameText {
public:
    // True with text set when the name at index (1-based) exists and its
    // text reads back as the same name from worksheet (a sheet of
    // workbook, or null when unknown). False, text unchanged, for no
    // workbook, index 0 or past the list, a name with no text, a sheet-level
    // name of a sheet that is not in the list, and a global name hidden on
    // this sheet by a sheet-level name of the same text (its bare text would
    // select the sheet's own name).
    static bool Resolve(const CExcelFormulaWorkbook* workbook, const CExcelSheetFormulas* worksheet,
                        std::uint32_t index, std::u16string& text);

    // The function that a call through a name (function 255) invokes, as
    // the user types it: the name without the "_xlfn." prefix (any case)
    // under which functions newer than the file format are stored.
    static std::u16string FunctionName(std::u16string_view name);
};
