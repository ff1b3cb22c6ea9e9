// What the multiple-file job did with one source file, and why when the
// file was not saved. The job worker writes it once per file; the screens
// and the command-line tool read it after the job has ended.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Defined by the repair's report; held here only by pointer.
struct CRepairReport;

enum class EFileOutcome : std::uint8_t {
    NotBegun,  // the job ended (Skip All, a stop) before it reached the file
    Saved,     // repaired, and the recovered workbook written to its destination
    Failed,    // nothing recovered, or the recovered workbook could not be written
    Skipped,   // the user skipped the file while it was repaired or saved
};

struct CMFSFileResult {
    EFileOutcome outcome = EFileOutcome::NotBegun;
    // Empty for a saved file that lost nothing; otherwise the text shown to
    // the user, the same text the repair or the save gave for it, or for a
    // partial file what its repair knows it lost.
    std::u16string reason;
    // The file's repair report as JSON, when the job keeps reports (the
    // command-line tool's batch --report); empty otherwise.
    std::string report;
    // Saved, but the repair knows it lost something (lost strings, formulas
    // kept as values, damaged ranges, missing formats): the report's
    // "partial" verdict.
    bool partial = false;
    // The file's repair report itself, when the job keeps reports for the
    // screens and its budget for them had room (CMFSDataContainer); null
    // otherwise. A shared pointer keeps the result copyable and lets its
    // holders destroy it without the report's definition.
    std::shared_ptr<const CRepairReport> reportObject = nullptr;
};
