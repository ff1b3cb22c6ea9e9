// Decides whether a repair recovered anything it may call a workbook.
//
// A scan that met no BOF record at all has only assumed a workbook at
// offset 0 of something that is not one; a model with neither a sheet nor a
// cell record has nothing to preview or save (a workbook whose sheets are
// all empty is still a workbook: its sheets come back); an encrypted
// workbook's record
// bodies after FILEPASS are ciphertext, so cells decoded from them would be
// garbage presented as data. Each of these makes the repair fail, with the
// kind of file named where its bytes tell it (CSourceFileKind).
#pragma once

#include <cstdint>
#include <optional>

#include "repair/CSourceFileKind.h"

class CExcelData;

class CRepairVerdict {
public:
    // After the scan: NoWorkbookRecords, or the kind that the source file's
    // bytes show, when no BOF was found; Encrypted when a workbook holds a
    // FILEPASS record; nothing when the parse may go on.
    static std::optional<ESourceKind> AfterScan(const CExcelData& data);

    // After the worksheets were parsed: NoSheets (or the source file's kind)
    // when the model holds no sheet and no cell record; nothing otherwise.
    static std::optional<ESourceKind> AfterParse(const CExcelData& data);

    // True when a BIFF8 BOF record really lies at one of the BOF list's
    // offsets in the scan file, rather than the workbook at offset 0 that
    // the scan assumes when it finds none.
    static bool HasSubstream(const CExcelData& data);

    // Cell records of every sheet: numbers, RK and MULRK cells, shared and
    // inline texts, Booleans and errors, formulas, TABLE records, BLANK and
    // MULBLANK records (a formatted empty cell is recovered formatting).
    static std::uint64_t CountCellRecords(const CExcelData& data);

    // Sheets whose substream was found: a BOUNDSHEET whose position holds
    // no BOF names a sheet but recovers nothing of it.
    static std::uint64_t CountSheets(const CExcelData& data);

    static bool HasEncryptedWorkbook(const CExcelData& data);

private:
    // The kind the source file shows, or fallback when its bytes tell
    // nothing.
    static ESourceKind KindOfSource(const CExcelData& data, ESourceKind fallback);
};
