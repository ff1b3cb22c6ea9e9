// The sheet part of a reference or name in formula text, as the lexer
// resolves it: "Sheet2!", "'Q1 2009'!", "Sheet1:Sheet3!" (sheets of this
// workbook), "#REF!" (a sheet that was deleted), "'C:\dir\[book.xls]Sheet1'!"
// and "'[book.xls]'!" (sheets or the whole of another workbook). The
// compiler turns it into the EXTERNSHEET index of a 3-D token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct CXlsFormulaSheets {
    enum class EKind : std::uint8_t {
        kNone,           // no sheet part: the formula's own sheet
        kThisWorkbook,   // sheets first..last of this workbook, by position
        kDeleted,        // a sheet of this workbook that no longer exists
        kOtherWorkbook,  // sheets of the workbook at `path`, by name
        kAddIns,         // the add-in functions (never written in text)
    };

    EKind kind = EKind::kNone;
    // kThisWorkbook: positions, first <= last.
    std::size_t first = 0;
    std::size_t last = 0;
    // kOtherWorkbook: the readable path or URL, and the first and last
    // sheet names, both empty for a name of the whole workbook.
    std::u16string path;
    std::u16string firstName;
    std::u16string lastName;

    bool operator==(const CXlsFormulaSheets& other) const = default;
};
