// What one repair met on its way, for the command-line tool's report and for
// tests: how the extraction went, which file was scanned, and why a repair
// that recovered nothing failed. Filled by RepairFile when it is given one.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "compound/CStreamDamage.h"
#include "compound/EStructureFlag.h"
#include "repair/CExtractionDoubt.h"
#include "repair/CSectorReassembly.h"
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
    // The sectors the copy skipped and where its chain was cut.
    CStreamDamage m_streamDamage;
    // The file the kept model was scanned from: the extracted copy or the
    // source itself.
    std::filesystem::path m_scanPath;
    bool m_scannedExtractedCopy = false;
    // Why the copy was doubted (None when it was not, or none was kept);
    // whether the damaged file was then scanned too, and the recovered
    // cells of each side (the kept side is told by m_scannedExtractedCopy).
    EExtractionDoubt m_copyDoubt = EExtractionDoubt::None;
    bool m_rawCrossChecked = false;
    std::size_t m_copyCells = 0;
    std::size_t m_rawCells = 0;
    // The sectors the kept model's stream was rebuilt from, in stream
    // order; empty when the kept stream was not rebuilt.
    std::vector<CSectorRun> m_reassembledFrom;
    // Whether the kept model was read from Excel 5.0/95 records translated
    // to BIFF8.
    bool m_translatedOlderRecords = false;
    // Set when the repair failed because nothing was recovered (or the
    // workbook is encrypted); the message shown says the same.
    bool m_nothingRecovered = false;
    ESourceKind m_failureKind = ESourceKind::Unrecognised;
};
