#include "records/CExcelCellNumberFormat.h"

#include "model/CExcelWorkBook.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordWBXF.h"

std::uint16_t CExcelCellNumberFormat::GetFormatIndex(const CTList<CExcelRecordWBXF>& xfs,
                                                     std::uint32_t xfIndex) {
    // A damaged XF index (or a workbook whose XF records were lost) falls
    // back to General rather than to some other cell's format.
    const CExcelRecordWBXF* xf = CExcelGlobalLookup::GetXF(xfs, xfIndex);
    return xf ? xf->GetFormatIndex() : 0;
}

std::uint16_t CExcelCellNumberFormat::GetFormatIndex(const CExcelWorkBook& workbook,
                                                     std::uint32_t xfIndex) {
    return GetFormatIndex(workbook.GetXFs(), xfIndex);
}
