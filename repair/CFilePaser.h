// The three steps of one file's repair, run by RepairFile on the repair
// worker: copy the "Workbook" stream out of the compound file, scan the
// copy (or the damaged file itself) for substreams and build the
// workbooks, then parse the worksheets' records.
//
// Holds the parsed workbook it fills, not owned. Every step returns true or
// false and tests StopRequested where a stop can end it early; a step that
// fails keeps in the model whatever it had built.
#pragma once

#include "compound/EStructureFlag.h"

class CExcelData;

class CFilePaser {
public:
    CFilePaser() = default;
    CFilePaser(const CFilePaser&) = delete;
    CFilePaser& operator=(const CFilePaser&) = delete;
    virtual ~CFilePaser() = default;

    // Always true.
    bool SetData(CExcelData* data);

    // Parses the source file as a compound file and, when that read
    // everything it needed (parse error 0), copies its "Workbook" stream to
    // a new temporary file. Only a copy that is whole becomes the data's
    // extracted path (the data then owns and later deletes the file); an
    // incomplete copy is deleted at once, and the scan reads the damaged
    // file itself. False when the compound file could not be parsed
    // cleanly; true otherwise, also when the copy failed.
    bool ExtractWorkbook();

    // Searches the scan file (the extracted copy, else the source) for BOF
    // records, makes one workbook per globals substream and reads their
    // global records and sheet lists. False when the file cannot be opened
    // or a stop was requested.
    bool ScanFile();

    // Parses every sheet's records into the model. Problems inside the
    // sheets do not fail it: false only for a stop request.
    bool ParseWorksheets();

    // What ExtractWorkbook met, for diagnostics: the compound-file parse
    // error (EErrorCode bits, including the copy's), the header conditions
    // that failed (EStructureFlag bits; StructAll when the analysis did not
    // run), and CopyWorkbook's result (-1 when no copy was tried).
    unsigned long GetParseError() const { return m_parseError; }
    unsigned long GetStructureFlags() const { return m_structureFlags; }
    int GetCopyResult() const { return m_copyResult; }

private:
    CExcelData* m_data = nullptr;
    unsigned long m_parseError = 0;
    unsigned long m_structureFlags = StructAll;
    int m_copyResult = -1;
};
