#include "records/CExcelCelRange8.h"

#include "records/CellRecordLayout.h"

std::uint32_t CExcelCelRange8::RawSize() const {
    return biff8::kRange8Size;
}

std::uint32_t CExcelCelRange8::LastColumnOffset() const {
    return biff8::kRange8LastColumn;
}
