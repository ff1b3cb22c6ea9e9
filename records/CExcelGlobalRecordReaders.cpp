#include "records/CExcelGlobalRecordReaders.h"

#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelRecordPALETTE.h"
#include "records/CExcelRecordSTYLE.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"

// Wired to the spill files and the workbook's lists once the record stream
// and the workbook model are in.
bool CExcelGlobalRecordReaders::ReadFONT(CExcelRawRecordData&, CExcelWorkBook&) { return false; }
bool CExcelGlobalRecordReaders::ReadXF(CExcelRawRecordData&, CExcelWorkBook&) { return false; }
bool CExcelGlobalRecordReaders::ReadFORMAT(CExcelRawRecordData&, CExcelWorkBook&) { return false; }
bool CExcelGlobalRecordReaders::ReadSTYLE(CExcelRawRecordData&, CExcelWorkBook&) { return false; }
bool CExcelGlobalRecordReaders::ReadPALETTE(CExcelRawRecordData&, CExcelWorkBook&) { return false; }
bool CExcelGlobalRecordReaders::ReadSUPBOOK(CExcelRawRecordData&, CExcelWorkBook&) { return false; }
bool CExcelGlobalRecordReaders::ReadEXTERNSHEET(CExcelRawRecordData&, CExcelWorkBook&) {
    return false;
}
