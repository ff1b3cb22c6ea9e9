#include "records/CExcelCellNumberFormat.h"

#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordWBXF.h"
#include "records/CExcelWorkbookGlobals.h"

std::uint16_t CExcelCellNumberFormat::GetFormatIndex(const CTList<CExcelRecordWBXF>& xfs,
                                                     std::uint32_t xfIndex) {
    // A damaged XF index (or a workbook whose XF records were lost) falls
    // back to General rather than to some other cell's format.
    const CExcelRecordWBXF* xf = CExcelGlobalLookup::GetXF(xfs, xfIndex);
    return xf ? xf->GetFormatIndex() : 0;
}

std::uint16_t CExcelCellNumberFormat::GetFormatIndex(const CExcelWorkbookGlobals& workbook,
                                                     std::uint32_t xfIndex) {
    return GetFormatIndex(workbook.GetXFs(), xfIndex);
}
