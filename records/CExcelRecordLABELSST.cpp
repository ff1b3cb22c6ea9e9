#include "records/CExcelRecordLABELSST.h"

#include "records/CExcelWorkbookGlobals.h"
#include "records/CellRecordLayout.h"

std::uint32_t CExcelRecordLABELSST::GetSSTIndex() const {
    return U32(biff8::kLabelSstIndex);
}

std::u16string CExcelRecordLABELSST::GetText(const CExcelWorkbookGlobals& workbook,
                                             bool* found) const {
    return workbook.GetSharedString(GetSSTIndex(), found);
}
