// What one repair recovered and what it knows it lost, for the user: the
// source file, each workbook and sheet with its cells by kind and the area
// they cover, the cells whose value or formula could not come back (a text
// whose shared string is missing, a formula kept as its cached value and
// why), the texts that held broken characters, cell formats that name
// records the file no longer has, the save, and a one-line verdict. Plain
// values; CRepairReportBuilder fills it from a repaired model and
// CRepairReportJson writes it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "repair/CSectorReassembly.h"

// A cell position, 0-based, as the records hold it.
struct CReportCell {
    std::uint16_t row = 0;
    std::uint16_t column = 0;
};

struct CReportFormulaAsValue {
    CReportCell cell;
    std::string reason;  // "unknown token", "no formula text", ...
};

// Bytes of the scan file the readers could not use, with the sheet whose
// records they fell among and the rows of the cells around them.
struct CReportDamage {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    std::string reason;  // "zeroed bytes", "record longer than any record", ...
    std::optional<std::uint32_t> sheetPosition;
    std::u16string sheetName;
    std::optional<std::uint16_t> rowBefore;  // 0-based
    std::optional<std::uint16_t> rowAfter;
    // Among the workbook's global records rather than a sheet's.
    bool globals = false;
};

struct CReportSheet {
    std::uint32_t position = 0;  // in the workbook's sheet order
    std::u16string name;         // empty: the save gives it a name of its own
    // The name holds a surrogate that is not half of a pair; the save
    // stores U+FFFD for each such unit.
    bool brokenName = false;
    std::uint64_t numbers = 0;
    std::uint64_t texts = 0;
    std::uint64_t booleans = 0;
    std::uint64_t errors = 0;
    std::uint64_t formulas = 0;  // formula cells, whatever their cached result
    std::uint64_t empty = 0;     // formulas whose cached result is empty
    // The smallest rectangle holding every recovered cell; none when the
    // sheet has no cell.
    std::optional<CReportCell> first;
    std::optional<CReportCell> last;
    std::vector<CReportCell> lostStrings;
    std::vector<CReportFormulaAsValue> formulasAsValues;
    // Text cells (shared, inline, or a formula's string result) holding a
    // surrogate that is not half of a pair: saved with U+FFFD in its place.
    std::vector<CReportCell> brokenTexts;

    std::uint64_t Cells() const { return numbers + texts + booleans + errors + empty; }
};

// Cells whose format names a record the workbook does not hold: they keep
// the workbook's default format.
struct CReportFormatShortfall {
    std::uint64_t cellsWithoutXf = 0;
    std::uint64_t cellsWithoutFont = 0;
    std::uint64_t cellsWithoutNumberFormat = 0;

    std::uint64_t Total() const {
        return cellsWithoutXf + cellsWithoutFont + cellsWithoutNumberFormat;
    }
};

struct CReportWorkbook {
    bool encrypted = false;
    bool date1904 = false;
    std::vector<CReportSheet> sheets;
    CReportFormatShortfall formats;
};

struct CReportRefusal {
    std::string call;  // the member and what the server said
    std::uint64_t count = 0;
};

// Where the walk of the copied stream's chain stopped short, and why.
struct CReportChainCut {
    std::uint32_t sector = 0;  // a mini sector number when mini
    bool mini = false;
    std::string reason;  // "loop", "outside the file", ...
};

enum class EReportOutcome : std::uint8_t { Complete, Partial, Failed };

struct CRepairReport {
    static constexpr int kVersion = 1;

    // ---- The source.
    std::filesystem::path source;
    std::uint64_t sourceSize = 0;
    std::string kind;  // CSourceFileKind's name of what the bytes show
    std::vector<std::string> compoundErrors;
    // Header conditions that failed; not checked when the compound file was
    // unusable.
    std::optional<std::vector<std::string>> headerConditionsFailed;
    bool scannedExtractedStream = false;
    // The records read were an Excel 5.0/95 workbook's, translated to BIFF8.
    bool translatedOlderRecords = false;
    // The sectors the scanned stream was rebuilt from, in stream order, when
    // no chain was usable; empty when it was copied or the raw file scanned.
    std::vector<CSectorRun> reassembledFrom;
    std::string copyDoubt;  // why the stream copy was doubted; empty when it was not
    // Sectors and mini sectors of the stream that the copy skipped, the
    // first of them in chain order; the totals count all.
    std::vector<std::uint32_t> skippedSectors;
    std::uint64_t skippedSectorsTotal = 0;
    std::vector<std::uint32_t> skippedMiniSectors;
    std::uint64_t skippedMiniSectorsTotal = 0;
    std::optional<CReportChainCut> chainCut;

    std::vector<CReportWorkbook> workbooks;
    // What the readers skipped; more may have been reported than kept.
    std::vector<CReportDamage> damage;
    std::uint64_t damageReported = 0;

    // ---- The save, when there was one.
    std::optional<std::filesystem::path> destination;
    bool saved = false;
    // Calls the spreadsheet server refused, by what it said, with counts;
    // refusedCalls counts them all, listed or not.
    std::vector<CReportRefusal> refused;
    std::uint64_t refusedCalls = 0;

    // ---- The verdict.
    EReportOutcome outcome = EReportOutcome::Failed;
    std::string reason;  // why it failed, or what a partial repair lost

    std::uint64_t LostStringCells() const;
    std::uint64_t FormulasAsValues() const;
    std::uint64_t UnnamedSheets() const;
    std::uint64_t BrokenTextCells() const;
    std::uint64_t SheetsWithBrokenName() const;
    std::uint64_t CellsWithoutFormat() const;
    std::uint64_t RecoveredCells() const;
    // The memory the report holds, roughly: itself, its lists and their
    // texts. Grows with the cell addresses it lists.
    std::uint64_t ApproximateBytes() const;
};
