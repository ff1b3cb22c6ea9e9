// Steps that turn the substreams found by the scan into the model.
#pragma once

class CExcelData;

class CExcelProcessData {
public:
    // Appends one workbook per "Workbook globals" entry of data's BOF list,
    // in list order, with the entry's start and end: the k-th globals entry
    // is workbook k. The only step that adds workbooks.
    static void CreateWorkbooks(CExcelData* data);
};
