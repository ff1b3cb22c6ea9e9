#include "model/CExcelWorkSheet.h"

#include "formula/CExcelRecordFormula.h"
#include "model/CSaveOption.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"

CExcelWorkSheet::CExcelWorkSheet() = default;

CExcelWorkSheet::~CExcelWorkSheet() = default;

std::u16string CExcelWorkSheet::GetName() const {
    return m_name.empty() ? std::u16string(u"unnamed") : m_name;
}

void CExcelWorkSheet::RemoveCellRecords(std::uint32_t kinds) {
    const CSaveOption bits(kinds);
    if (bits.IsSet(CSaveOption::Numbers)) {
        GetNumbers().RemoveAll();
        GetRKValues().RemoveAll();
    }
    if (bits.IsSet(CSaveOption::Formulas)) RemoveFormulas();
    if (bits.IsSet(CSaveOption::BooleansAndErrors)) GetBoolErrs().RemoveAll();
    if (bits.IsSet(CSaveOption::Texts)) {
        GetLabelSSTs().RemoveAll();
        GetLabels().RemoveAll();
    }
}
