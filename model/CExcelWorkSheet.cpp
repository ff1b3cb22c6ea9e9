#include "model/CExcelWorkSheet.h"

#include "formula/CExcelRecordFormula.h"
#include "formula/CExcelRecordMulOpTable.h"
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

CExcelWorkSheet::CExcelWorkSheet() : m_comments(std::make_unique<CExcelCommentList>()) {}

CExcelWorkSheet::~CExcelWorkSheet() = default;

std::u16string CExcelWorkSheet::GetName() const {
    return m_name.empty() ? std::u16string(u"unnamed") : m_name;
}

void CExcelWorkSheet::AddFormulaHost(const CExcelRecordFormula& host, std::uint16_t row,
                                     std::uint16_t column) {
    m_hosts.push_back(&host);
    m_hostIndex.emplace(HostKey(row, column), &host);
}
