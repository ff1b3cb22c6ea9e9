#include "records/CExcelCelRange6.h"

#include "records/CellRecordLayout.h"

std::uint32_t CExcelCelRange6::RawSize() const {
    return biff8::kRange6Size;
}

std::uint32_t CExcelCelRange6::LastColumnOffset() const {
    return biff8::kRange6LastColumn;
}
