#include "records/CExcelRecordLABELSST.h"

#include "model/CExcelWorkBook.h"
#include "records/CellRecordLayout.h"

std::uint32_t CExcelRecordLABELSST::GetSSTIndex() const {
    return U32(biff8::kLabelSstIndex);
}

std::u16string CExcelRecordLABELSST::GetText(const CExcelWorkBook& workbook, bool* found) const {
    return workbook.GetSharedString(GetSSTIndex(), found);
}
