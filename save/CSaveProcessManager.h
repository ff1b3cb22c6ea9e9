// A save strategy: writes one container's workbook somewhere. The one
// strategy we have rebuilds the workbook through the "Excel.Application"
// automation server (CSaveProcessManagerExcel).
#pragma once

#include <cstdint>

class CDataContainer;

class CSaveProcessManager {
public:
    CSaveProcessManager() = default;
    CSaveProcessManager(const CSaveProcessManager&) = delete;
    CSaveProcessManager& operator=(const CSaveProcessManager&) = delete;
    virtual ~CSaveProcessManager() = default;

    // 0 written to the destination, 1 stopped or not written, 2 the
    // container is not a parsed workbook (CExcelData).
    virtual std::int32_t Save(CDataContainer* container) = 0;
};
