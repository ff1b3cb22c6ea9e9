#include "records/CExcelRecordMERGEDCELLS.h"

#include "records/CExcelCelRange8.h"
#include "records/CellRecordLayout.h"

std::uint16_t CExcelRecordMERGEDCELLS::GetCount() const {
    return U16(biff8::kMergedCount);
}

bool CExcelRecordMERGEDCELLS::GetRange(std::uint32_t i, CExcelCelRange8& range) const {
    // The count and the length are both checked: a record cut short (or
    // with an inflated count) gives the ranges it really holds and no more.
    if (i >= GetCount()) return false;
    const std::uint64_t start =
        biff8::kMergedFirstRange + static_cast<std::uint64_t>(biff8::kRange8Size) * i;
    if (start + biff8::kRange8Size > GetLength()) return false;
    return range.SetRaw(GetPayload().Data() + start, biff8::kRange8Size);
}
