#include "records/CExcelRecordROW.h"

#include "records/CellRecordLayout.h"
#include "records/RecordLayout.h"

std::uint16_t CExcelRecordROW::GetRow() const {
    return U16(biff8::kRowIndex);
}

std::uint16_t CExcelRecordROW::GetFirstColumn() const {
    return U16(biff8::kRowFirstColumn);
}

std::uint16_t CExcelRecordROW::GetRawHeight() const {
    return U16(biff8::kRowHeight);
}

bool CExcelRecordROW::IsCustomHeight() const {
    return GetRawHeight() < biff8::kRowHeightDefault;
}

std::uint32_t CExcelRecordROW::GetHeightPoints() const {
    return (GetRawHeight() & biff8::kRowHeightTwips) / biff8::kTwipsPerPoint;
}

bool CExcelRecordROW::HasDefaultFormat() const {
    return (U32(biff8::kRowOptions) & biff8::kRowHasDefaultFormat) != 0;
}

std::uint16_t CExcelRecordROW::GetDefaultXFIndex() const {
    return static_cast<std::uint16_t>((U32(biff8::kRowOptions) >> biff8::kRowDefaultXFShift) &
                                      biff8::kRowDefaultXFMask);
}

std::uint16_t CExcelRecordROW::GetHeightTwips() const {
    return GetRawHeight() & biff8::kRowHeightTwips;
}

bool CExcelRecordROW::HasCustomHeightFlag() const {
    return (U32(biff8::kRowOptions) & biff8::kRowCustomHeightFlag) != 0;
}

bool CExcelRecordROW::IsHidden() const {
    return (U32(biff8::kRowOptions) & biff8::kRowHidden) != 0;
}
