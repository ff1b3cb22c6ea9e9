// Rebuilds a repaired workbook (CExcelData) inside the "Excel.Application"
// automation server and has the server write it: one worksheet per sheet of
// the model, then the defined names of every workbook (CSaveNamesPhase,
// whatever the save options: they are no cells), then per sheet the phases
// in their fixed order, each only when its save-option bit is set. The file goes to a temporary
// name first and is moved onto the model's destination path only when it is complete.
//
// Runs synchronously on the caller's thread (the save worker). Publishes
// SaveProgress and SaveProgressText, drives the model's save progress target
// and checks SaveStopRequested before every record. The model is only read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "save/CSaveLinkValues.h"
#include "save/CSaveNamesPhase.h"
#include "save/CSaveProcessManager.h"

class CExcelData;
class CExcelWorkBook;
class CExcelWorkSheet;
class CSaveProgress;
class CXLEzAutomation;

class CSaveProcessManagerExcel : public CSaveProcessManager {
public:
    CSaveProcessManagerExcel();
    ~CSaveProcessManagerExcel() override;

    // 0 saved, 1 stopped or not saved (the failure message has gone through
    // the message sink), 2 not a CExcelData.
    std::int32_t Save(CDataContainer* container) override;

    // "Failed to save the file <destination>. Please try ...": what a save
    // that wrote nothing says, also where a job reports the file's outcome.
    static std::u16string FailureMessage(const std::filesystem::path& destination);
    // "<temporary folder>/<new UUID>.xls": where the server writes first.
    static std::filesystem::path MakeTempWorkbookName();
    // The multiple-file output name for source in folder (see CSaveFileNames).
    static std::filesystem::path MakeDestinationName(const std::filesystem::path& source,
                                                     const std::filesystem::path& folder);

private:
    // A sheet whose name the server refused (a name a damaged BOUNDSHEET
    // left empty, too long or with a character sheet names may not hold, or
    // one that another sheet of the output already has): its cells are saved
    // all the same, in the sheet under the name the server gave it, and a
    // save that writes its file names every such sheet through the message
    // sink.
    struct RefusedSheetName {
        std::u16string name;   // the model's name
        std::u16string saved;  // the name the sheet was saved under
    };

    // One worksheet per sheet of the model ("Unnamed1" when it has none).
    void CreateWorksheets(CSaveProgress& progress);
    // The new workbook, in the source's date system.
    void NewWorkbook();
    // The defined names of every workbook, each workbook's sheet-level names
    // on the sheets created for its sheets.
    void WriteNames();
    // The values of other workbooks' cells that the links keep.
    void WriteLinkValues();
    // The phases of every sheet, into the sheet created for it.
    void WriteWorksheets(CSaveProgress& progress);
    // Hides the sheets that were hidden or very hidden in the source.
    void HideWorksheets();
    // Saves under a temporary name, quits the server, moves the file onto
    // the destination; the result of Save.
    std::int32_t Finish();
    // "Failed to save the file <destination>. Please try ..." to the sink.
    void ReportFailure() const;
    // Names the sheets that were saved under another name, to the sink.
    void ReportRefusedNames() const;

    std::unique_ptr<CXLEzAutomation> m_automation;
    const CExcelWorkBook* m_workbook = nullptr;
    const CExcelWorkSheet* m_worksheet = nullptr;
    CExcelData* m_data = nullptr;
    CSaveNamesPhase m_names;
    CSaveLinkValues m_linkValues;
    std::vector<RefusedSheetName> m_refusedNames;
};
