#include "model/CExcelProcessData.h"

#include "model/CExcelData.h"

void CExcelProcessData::CreateWorkbooks(CExcelData* data) {
    if (!data) return;
    for (const CExcelBOFRecord& entry : data->GetBOFList()) {
        if (entry.IsGlobals())
            data->GetWorkbooks().Add(new CExcelWorkBook(entry.GetStart(), entry.GetEnd()));
    }
}
