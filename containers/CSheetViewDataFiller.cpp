#include "containers/CSheetViewDataFiller.h"

CSheetViewDataFiller::CSheetViewDataFiller(CSheetGridStore* grid, const CExcelWorkSheet* sheet,
                                           const CExcelWorkBook* workbook)
    : m_grid(grid), m_sheet(sheet), m_workbook(workbook) {}

CSheetViewDataFiller::~CSheetViewDataFiller() = default;

void CSheetViewDataFiller::Fill() { m_result = 0; }

bool CSheetViewDataFiller::EnsureCell(int, int) { return false; }
