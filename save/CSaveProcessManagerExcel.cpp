#include "save/CSaveProcessManagerExcel.h"

#include "biff/CExcelData.h"
#include "save/CSaveFileNames.h"
#include "save/CXLEzAutomation.h"

CSaveProcessManagerExcel::CSaveProcessManagerExcel() = default;
CSaveProcessManagerExcel::~CSaveProcessManagerExcel() = default;

std::int32_t CSaveProcessManagerExcel::Save(CDataContainer* container) {
    m_data = dynamic_cast<CExcelData*>(container);
    if (m_data == nullptr) return 2;
    return 1;  // the writing phases land next
}

std::filesystem::path CSaveProcessManagerExcel::MakeTempWorkbookName() {
    return CSaveFileNames::MakeTempWorkbookName();
}

std::filesystem::path CSaveProcessManagerExcel::MakeDestinationName(
    const std::filesystem::path& source, const std::filesystem::path& folder) {
    return CSaveFileNames::MakeDestinationName(source, folder);
}
