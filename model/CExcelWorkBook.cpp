#include "model/CExcelWorkBook.h"

// The lists delete their records, so the destructor needs every record type
// complete.
#include "records/CExcelRecordEXTERNNAME.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelRecordNAME.h"
#include "records/CExcelRecordPALETTE.h"
#include "records/CExcelRecordSTYLE.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"
#include "records/CExcelSSTDataList.h"

CExcelWorkBook::CExcelWorkBook() : m_sharedStrings(std::make_unique<CExcelSSTDataList>()) {}

CExcelWorkBook::CExcelWorkBook(std::uint32_t start, std::uint32_t end) : CExcelWorkBook() {
    m_start = start;
    m_end = end;
}

CExcelWorkBook::~CExcelWorkBook() = default;

std::u16string CExcelWorkBook::GetSharedString(std::uint32_t index, bool* found) const {
    bool hit = false;
    std::u16string text = m_sharedStrings->GetString(index, hit);
    if (found) *found = hit;
    return text;
}
