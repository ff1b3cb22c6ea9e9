#include "records/CExcelGlobalRecordReaders.h"

#include "biff/CExcelRawRecordData.h"
#include "biff/CExcelWorkBook.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelRecordPALETTE.h"
#include "records/CExcelRecordSTYLE.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"

template <class T>
bool CExcelGlobalRecordReaders::ReadInto(CExcelRawRecordData& record, CTList<T>& list) {
    // The length test needs no bytes, so a rejected record is never loaded.
    if (!T::AcceptsRawLength(record.GetSize()) || !record.Load()) return false;
    const bool added = AppendFromRaw<T>(record.GetLoadedBytes(), record.GetSize(), list);
    record.FreeLoaded();
    return added;
}

bool CExcelGlobalRecordReaders::ReadFONT(CExcelRawRecordData& record, CExcelWorkBook& workbook) {
    return ReadInto(record, workbook.GetFonts());
}

bool CExcelGlobalRecordReaders::ReadXF(CExcelRawRecordData& record, CExcelWorkBook& workbook) {
    return ReadInto(record, workbook.GetXFs());
}

bool CExcelGlobalRecordReaders::ReadFORMAT(CExcelRawRecordData& record, CExcelWorkBook& workbook) {
    return ReadInto(record, workbook.GetFormats());
}

bool CExcelGlobalRecordReaders::ReadSTYLE(CExcelRawRecordData& record, CExcelWorkBook& workbook) {
    return ReadInto(record, workbook.GetStyles());
}

bool CExcelGlobalRecordReaders::ReadPALETTE(CExcelRawRecordData& record, CExcelWorkBook& workbook) {
    return ReadInto(record, workbook.GetPalettes());
}

bool CExcelGlobalRecordReaders::ReadSUPBOOK(CExcelRawRecordData& record, CExcelWorkBook& workbook) {
    return ReadInto(record, workbook.GetSupBooks());
}

bool CExcelGlobalRecordReaders::ReadEXTERNSHEET(CExcelRawRecordData& record,
                                                CExcelWorkBook& workbook) {
    return ReadInto(record, workbook.GetExternSheets());
}
