// The names phase of the save: re-creates the defined names (NAME records)
// of a model's workbook in the server's workbook, after the worksheets
// exist and before any cell formula is written, since formulas may use them.
//
// Each name goes through Workbook.Names.Add, or Worksheets(i).Names.Add for
// a name that belongs to one sheet (the NAME's sheet index, counted in the
// model's sheet list, mapped to the saved sheet), with its display name
// (built-in names by their English texts: Print_Area, _FilterDatabase),
// RefersTo "=" and its decoded formula, Visible false for a hidden name and
// MacroType 1 for a function name, 2 for a command. A name without tokens
// (a function name such as "_xlfn.IFERROR", a macro) is added without
// RefersTo. A formula that cannot be decoded faithfully is never written as
// text: a single reference-error token keeps its value as "=#REF!", any
// other such name is not added.
//
// A name whose formula uses a name not yet added may be refused: the
// refused names are tried again after the others, pass after pass, until a
// pass adds nothing. What cannot be added is counted and named, with the
// reason, for the save's report.
//
// The phase makes the stop check before every call. It keeps no reference
// to the model or the automation after Write returns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CExcelRecordNAME;
class CExcelWorkBook;
class CXLEzAutomation;

class CSaveNamesPhase {
public:
    // A name that could not be added: its text ("Sheet2!Print_Area" for a
    // sheet's name; the stored characters when it has no display name) and
    // why.
    struct Failure {
        std::u16string name;
        std::u16string reason;
    };

    // Adds the names of workbook, whose first sheet was saved as worksheet
    // firstSheet (1-based) of the server's workbook. False when a stop
    // request ended the phase. Counts and failures add up over calls.
    bool Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook,
               std::int32_t firstSheet);

    std::uint32_t GetAddedCount() const { return m_added; }
    const std::vector<Failure>& GetFailures() const { return m_failures; }

private:
    // One Names.Add call to make.
    struct Definition {
        std::int32_t sheet = 0;  // 0: the workbook's own names
        std::u16string name;
        std::u16string label;  // the name as failures show it
        std::u16string refersTo;
        bool visible = true;
        std::int16_t macroType = 0;
    };

    // Fills definition from the record; false with a failure recorded when
    // the name cannot be made at all.
    bool Define(const CExcelWorkBook& workbook, const CExcelRecordNAME& record,
                std::int32_t firstSheet, Definition& definition);
    static bool Add(CXLEzAutomation& automation, const Definition& definition);

    std::uint32_t m_added = 0;
    std::vector<Failure> m_failures;
};
