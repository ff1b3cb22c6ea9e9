#include "repair/RepairFile.h"

#include <optional>

#include "model/CExcelData.h"
#include "platform/MessageSink.h"
#include "repair/CFilePaser.h"
#include "repair/CRepairTrace.h"
#include "repair/CRepairVerdict.h"
#include "repair/RepairStopCheck.h"

namespace {

bool NothingRecovered(ESourceKind kind, CRepairTrace* trace) {
    if (trace) {
        trace->m_nothingRecovered = true;
        trace->m_failureKind = kind;
    }
    ShowMessage(CSourceFileKind::Message(kind));
    return false;
}

bool Repair(CExcelData* data, CRepairTrace* trace) {
    if (RepairStopRequested()) return false;
    if (!data) return false;
    if (data->GetSourcePath().empty()) {
        ShowMessage(u"Invalid source file path");
        return false;
    }
    CFilePaser paser;
    paser.SetData(data);
    if (RepairStopRequested()) return false;

    // Whether the stream could be copied only decides which file the scan
    // reads: the pipeline goes on either way.
    paser.ExtractWorkbook();
    if (trace) {
        trace->m_parseError = paser.GetParseError();
        trace->m_structureFlags = paser.GetStructureFlags();
        trace->m_copyResult = paser.GetCopyResult();
        trace->m_streamDamage = paser.GetStreamDamage();
        trace->m_scanPath = data->GetScanPath();
        trace->m_scannedExtractedCopy = !data->GetExtractedPath().empty();
    }

    if (!paser.ScanFile()) return false;
    if (RepairStopRequested()) return false;
    // Nothing that the scan found is worth parsing (no substream at all, or
    // sheets whose record bodies are ciphertext): the verdict below says so,
    // after a doubted copy had its chance against the damaged file.
    if (!CRepairVerdict::AfterScan(*data) && !paser.ParseWorksheets()) return false;
    if (RepairStopRequested()) return false;
    if (!paser.CrossCheckWithRawScan()) return false;
    if (trace) {
        // The model kept may be the damaged file's.
        trace->m_scanPath = data->GetScanPath();
        trace->m_scannedExtractedCopy = !data->GetExtractedPath().empty();
        trace->m_copyDoubt = paser.GetDoubt();
        trace->m_rawCrossChecked = paser.RawScanned();
        trace->m_copyCells = paser.GetCopyCells();
        trace->m_rawCells = paser.GetRawCells();
        if (trace->m_scannedExtractedCopy) trace->m_reassembledFrom = paser.GetReassembledFrom();
        trace->m_translatedOlderRecords = !data->GetTranslatedPath().empty();
    }

    if (const std::optional<ESourceKind> failure = CRepairVerdict::AfterScan(*data))
        return NothingRecovered(*failure, trace);
    if (const std::optional<ESourceKind> failure = CRepairVerdict::AfterParse(*data))
        return NothingRecovered(*failure, trace);
    return true;
}

}  // namespace

bool RepairFile(CExcelData* data) {
    return RepairFile(data, nullptr);
}

bool RepairFile(CExcelData* data, CRepairTrace* trace) {
    // Memory running out while a huge damaged file is decoded must end this
    // repair, not the program: nothing thrown leaves the worker.
    try {
        return Repair(data, trace);
    } catch (...) {
        return false;
    }
}
