#include "records/CExcelRecordBOOLERR.h"

#include "records/CConstData.h"
#include "records/CellRecordLayout.h"

std::uint8_t CExcelRecordBOOLERR::GetValue() const {
    return U8(biff8::kBoolErrValue);
}

bool CExcelRecordBOOLERR::IsError() const {
    return U8(biff8::kBoolErrIsError) != 0;
}

std::u16string CExcelRecordBOOLERR::GetText() const {
    if (IsError()) return CConstData::GetErrorText(GetValue());
    return GetValue() ? u"TRUE" : u"FALSE";
}
