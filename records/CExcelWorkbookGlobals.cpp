#include "records/CExcelWorkbookGlobals.h"

// The lists delete their records, so the destructor needs every record type
// complete.
#include "records/CExcelExternalCache.h"
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

CExcelWorkbookGlobals::CExcelWorkbookGlobals()
    : m_sharedStrings(std::make_unique<CExcelSSTDataList>()) {}

CExcelWorkbookGlobals::~CExcelWorkbookGlobals() = default;

std::u16string CExcelWorkbookGlobals::GetSharedString(std::uint32_t index, bool* found) const {
    bool hit = false;
    std::u16string text = m_sharedStrings->GetString(index, hit);
    if (found) *found = hit;
    return text;
}
