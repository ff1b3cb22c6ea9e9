#include "save/CSaveCellFormatter.h"

CSaveCellFormatter::CSaveCellFormatter(CXLEzAutomation& automation,
                                       const CExcelWorkBook& workbook)
    : m_automation(automation), m_workbook(workbook) {}

void CSaveCellFormatter::ApplyCellFormat(std::int32_t row, std::int32_t column,
                                         std::uint32_t xfIndex, bool forceFont) {
    (void)row;
    (void)column;
    (void)xfIndex;
    (void)forceFont;
}

void CSaveCellFormatter::ApplyRowFormat(std::int32_t row, std::uint32_t xfIndex) {
    (void)row;
    (void)xfIndex;
}

void CSaveCellFormatter::ApplyColumnInfo(std::int32_t first, std::int32_t last,
                                         std::uint32_t xfIndex,
                                         const CExcelRecordCOLINFO& record) {
    (void)first;
    (void)last;
    (void)xfIndex;
    (void)record;
}
