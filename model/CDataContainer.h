// The common base of what a worker can be handed: a parsed workbook
// (CExcelData) or the data of a multiple-file job. It holds nothing; a
// receiver tells the kinds apart with dynamic_cast.
#pragma once

class CDataContainer {
public:
    CDataContainer() = default;
    CDataContainer(const CDataContainer&) = delete;
    CDataContainer& operator=(const CDataContainer&) = delete;
    virtual ~CDataContainer() = default;
};
