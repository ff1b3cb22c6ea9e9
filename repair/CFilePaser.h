// The steps of one file's repair, run by RepairFile on the repair worker:
// copy the "Workbook" stream out of the compound file, scan the copy (or
// the damaged file itself) for substreams and build the workbooks, parse
// the worksheets' records, and, when the copy is doubted, scan and parse the
// damaged file too and keep the recovery with more cells.
//
// Holds the parsed workbook it fills, not owned. Every step returns true or
// false and tests StopRequested where a stop can end it early; a step that
// fails keeps in the model whatever it had built.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compound/CStreamDamage.h"
#include "compound/EStructureFlag.h"
#include "platform/RunState.h"
#include "repair/CExtractionDoubt.h"
#include "repair/CSectorReassembly.h"

class CExcelData;

class CFilePaser {
public:
    using Counters = std::array<std::uint32_t, RepairCounterCount>;

    CFilePaser() = default;
    CFilePaser(const CFilePaser&) = delete;
    CFilePaser& operator=(const CFilePaser&) = delete;
    virtual ~CFilePaser() = default;

    // Always true.
    bool SetData(CExcelData* data);

    // Parses the source file as a compound file and, when that read
    // everything it needed (parse error 0), copies its "Workbook" stream to
    // a new temporary file. A copy that is whole, or whose only faults are a
    // broken chain or a size that disagrees with it (ErrStreamChain,
    // ErrStreamSize), becomes the data's extracted path (the data then owns
    // and later deletes the file), and GetDoubt() says what the copy shows
    // against it; a copy with pieces missing is deleted at once, and the
    // scan reads the damaged file itself. When the compound file could not
    // be parsed cleanly or its copy was deleted, the stream is rebuilt from
    // the file's sectors instead (CSectorReassembly); a rebuilt stream
    // becomes the extracted path with the doubt Reassembled, so that the
    // damaged file is scanned too. False when the compound file could not
    // be parsed cleanly; true otherwise, also when the copy failed.
    bool ExtractWorkbook();

    // Searches the scan file (the extracted copy, else the source) for BOF
    // records, makes one workbook per globals substream and reads their
    // global records and sheet lists. A scan file without a BIFF8 globals
    // BOF that holds an Excel 5.0/95 workbook is read through its records
    // translated to BIFF8 (the data's translated path). False when the
    // file cannot be opened or a stop was requested.
    bool ScanFile();

    // Parses every sheet's records into the model. Problems inside the
    // sheets do not fail it: false only for a stop request.
    bool ParseWorksheets();

    // After the extracted copy was scanned and parsed: when it is doubted
    // (GetDoubt(), or a model without a cell record),
    // scans and parses the damaged file into a model of its own and
    // counts the recovered cells of both; a copy that was not itself
    // rebuilt from the sectors also meets the stream rebuilt from them
    // (CSectorReassembly). When another gives more, the data's model is
    // rebuilt from it and the copy deleted (the rebuilt stream, winning,
    // becomes the extracted path, and a tie with the raw scan goes to it);
    // on a tie with the copy the copy's model stays (it is read again: one
    // model at a time is held). The repair counters end as the kept model's
    // scan left them. Does nothing without an extracted copy or a doubt.
    // False only for a stop request (the model may then be either).
    bool CrossCheckWithRawScan();

    // Why the copy was doubted; None when it was not or no copy was kept.
    EExtractionDoubt GetDoubt() const { return m_doubt; }
    // Whether CrossCheckWithRawScan() scanned the damaged file, the
    // recovered cells it counted on each side, and which side it kept.
    bool RawScanned() const { return m_rawScanned; }
    std::size_t GetCopyCells() const { return m_copyCells; }
    std::size_t GetRawCells() const { return m_rawCells; }
    bool KeptRawScan() const { return m_keptRaw; }
    // The sectors ExtractWorkbook() rebuilt the stream from, in stream
    // order; empty when it did not rebuild one. The rebuilt stream is the
    // one kept when it was and !KeptRawScan().
    const std::vector<CSectorRun>& GetReassembledFrom() const { return m_reassembledFrom; }

    // What ExtractWorkbook met, for diagnostics: the compound-file parse
    // error (EErrorCode bits, including the copy's), the header conditions
    // that failed (EStructureFlag bits; StructAll when the analysis did not
    // run), and CopyWorkbook's result (-1 when no copy was tried).
    unsigned long GetParseError() const { return m_parseError; }
    unsigned long GetStructureFlags() const { return m_structureFlags; }
    int GetCopyResult() const { return m_copyResult; }
    // The sectors the copy skipped and where its chain was cut; empty when
    // no copy was tried.
    const CStreamDamage& GetStreamDamage() const { return m_streamDamage; }

private:
    // Rebuilds the stream from the source's sectors into a new extracted
    // copy; false when no stream was found.
    bool ReassembleWorkbook();
    // Empties the data's model: its substreams, workbooks and damage log.
    void DropModel();
    // The BOF search and the workbooks it makes, over the data's scan file.
    bool ScanRecords();
    // When the scan file holds an Excel 5.0/95 workbook: its records
    // translated to BIFF8 become the data's translated path, and true.
    bool TranslateOlderRecords();
    // Whether a globals substream the scan found starts at a BIFF8 BOF.
    static bool HoldsBiff8Globals(const CExcelData& data);
    // A larger scan file is not read whole to be translated.
    static constexpr std::uint64_t kMaxTranslatedBytes = 256u << 20;

    CExcelData* m_data = nullptr;
    unsigned long m_parseError = 0;
    unsigned long m_structureFlags = StructAll;
    int m_copyResult = -1;
    CStreamDamage m_streamDamage;
    EExtractionDoubt m_doubt = EExtractionDoubt::None;
    bool m_rawScanned = false;
    bool m_keptRaw = false;
    std::size_t m_copyCells = 0;
    std::size_t m_rawCells = 0;
    std::vector<CSectorRun> m_reassembledFrom;
    // The repair counters as ExtractWorkbook() found them.
    Counters m_countersAtStart{};
};
