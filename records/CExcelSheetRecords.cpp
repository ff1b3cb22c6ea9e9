#include "records/CExcelSheetRecords.h"

// The lists delete their records, so the destructor needs every record type
// complete.
#include "records/CExcelCommentList.h"
#include "records/CExcelRecordBLANK.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordCONDFMT.h"
#include "records/CExcelRecordDV.h"
#include "records/CExcelRecordHLINK.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordMERGEDCELLS.h"
#include "records/CExcelRecordMULBLANK.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordQUICKTIP.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/CExcelRecordROW.h"
#include "records/CExcelRecordWBXF.h"

CExcelSheetRecords::CExcelSheetRecords() : m_comments(std::make_unique<CExcelCommentList>()) {}

CExcelSheetRecords::~CExcelSheetRecords() = default;

void CExcelSheetRecords::ReleaseSpare() {
    m_numbers.ReleaseSpare();
    m_rkValues.ReleaseSpare();
    m_xfs.ReleaseSpare();
    m_blanks.ReleaseSpare();
    m_mulBlanks.ReleaseSpare();
    m_boolErrs.ReleaseSpare();
    m_rows.ReleaseSpare();
    m_labelSsts.ReleaseSpare();
    m_labels.ReleaseSpare();
}
