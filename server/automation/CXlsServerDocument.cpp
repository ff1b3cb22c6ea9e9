#include "server/automation/CXlsServerDocument.h"

CXlsCellRange CXlsServerDocument::Selection(const CXlsWorksheet& sheet) const {
    return sheet.View().selection;
}

void CXlsServerDocument::Select(CXlsWorksheet& sheet, const CXlsCellRange& range) {
    sheet.View().selection = range;
}
