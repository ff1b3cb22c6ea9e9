// What one repair met on its way, for the command-line tool's report and for
// tests: how the extraction went, which file was scanned, and why a repair
// that recovered nothing failed. Filled by RepairFile when it is given one.
#pragma once

#include <filesystem>

#include "compound/EStructureFlag.h"
#include "repair/CSourceFileKind.h"

struct CRepairTrace {
    // The compound-file parse error (EErrorCode bits, with the copy's bit
    // when the copy failed); 0 also when the extraction step did not run.
    unsigned long m_parseError = 0;
    // Header conditions that failed (EStructureFlag bits); StructAll when
    // the analysis did not run because the parse already failed.
    unsigned long m_structureFlags = StructAll;
    // CopyWorkbook's result; -1 when no copy was tried.
    int m_copyResult = -1;
    // The file the scan read: the extracted copy or the source itself.
    std::filesystem::path m_scanPath;
    bool m_scannedExtractedCopy = false;
    // Set when the repair failed because nothing was recovered (or the
    // workbook is encrypted); the message shown says the same.
    bool m_nothingRecovered = false;
    ESourceKind m_failureKind = ESourceKind::Unrecognised;
};
