// Sheet names in formula text: the "Sheet2!" in front of a 3-D reference or
// a sheet-level defined name. A name that the spreadsheet could not read
// bare goes between single quotes, with any single quote inside doubled:
// 'Q1 2009'!A1, 'Bob''s'!A1. Quoting a name that does not need it is
// harmless, so every doubtful case is quoted.
//
// Sheets and names of another workbook carry the workbook's directory and,
// in brackets, its file name; that form is always quoted:
// '[book.xls]Sheet1'!, 'C:\dir\[book.xls]Jan:Mar'!, '[book.xls]'! (the
// whole workbook, for its workbook-level names).
#pragma once

#include <string>
#include <string_view>

class CExcelFormulaSheetName {
public:
    // True unless name is made of ASCII letters, digits, underscores and
    // periods only, starts with a letter or underscore, and does not read
    // as something else: an A1 cell reference (up to three letters then
    // digits: A1, IV65536, XFD1), an R1C1 reference (R, C, RC, R1C1, R2,
    // C3, ...) or a boolean constant (TRUE, FALSE). False for an empty name.
    static bool NeedsQuotes(std::u16string_view name);
    // "first!" for one sheet, "first:last!" for a range of sheets; quoted as
    // a whole ('Jan 1:Mar 1'!) when either name needs quotes.
    static std::u16string Prefix(std::u16string_view first, std::u16string_view last);
    static std::u16string Prefix(std::u16string_view sheet) { return Prefix(sheet, sheet); }
    // "'directory[file]first:last'!", last left out when it equals first and
    // both when first is empty.
    static std::u16string BookPrefix(std::u16string_view directory, std::u16string_view file,
                                     std::u16string_view first, std::u16string_view last);
};
