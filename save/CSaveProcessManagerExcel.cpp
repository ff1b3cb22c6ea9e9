#include "save/CSaveProcessManagerExcel.h"

#include <new>
#include <string>
#include <system_error>

#include "model/CExcelData.h"
#include "model/CExcelWorkSheet.h"
#include "platform/MessageSink.h"
#include "platform/RunState.h"
#include "platform/SaveStopCheck.h"
#include "platform/TextConversion.h"
#include "records/CExcelSSTDataList.h"
#include "save/CSaveFileMover.h"
#include "save/CSaveFileNames.h"
#include "save/CSaveNamedStyles.h"
#include "save/CSavePaletteWriter.h"
#include "save/CSaveProgress.h"
#include "save/CSaveSheetLayoutWriter.h"
#include "save/CSaveSheetWriter.h"
#include "save/CXLEzAutomation.h"

namespace {

// The date system of the workbook the output's first sheet comes from (the
// model's first workbook when it has no sheet at all).
const CExcelWorkBook* FirstSheetsWorkbook(const CExcelData& data) {
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        if (workbook.GetWorksheets().GetCount() > 0) return &workbook;
    }
    return data.GetWorkbooks().GetHead();
}

bool UsesDate1904(const CExcelData& data) {
    const CExcelWorkBook* workbook = FirstSheetsWorkbook(data);
    return workbook != nullptr && workbook->IsDate1904();
}

// BOUNDSHEET visibility as Worksheet.Visible takes it; 0 (and any value
// no sheet has) leaves the sheet shown.
constexpr std::uint32_t kBoundSheetHidden = 1;
constexpr std::uint32_t kBoundSheetVeryHidden = 2;
constexpr std::int16_t kSheetHidden = 0;
constexpr std::int16_t kSheetVeryHidden = 2;

}  // namespace

CSaveProcessManagerExcel::CSaveProcessManagerExcel() = default;
CSaveProcessManagerExcel::~CSaveProcessManagerExcel() = default;

std::int32_t CSaveProcessManagerExcel::Save(CDataContainer* container) {
    m_data = dynamic_cast<CExcelData*>(container);
    if (m_data == nullptr) return 2;
    m_data->GetSaveRefusals().Clear();
    try {
        m_automation.reset();
        m_automation = std::make_unique<CXLEzAutomation>(false);
        m_names = CSaveNamesPhase();
        m_linkValues = CSaveLinkValues();
        m_refusedNames.clear();

        CSaveProgress progress(m_data->GetSaveProgressWindow());
        progress.Start(CSaveProgress::Total(*m_data));
        CreateWorksheets(progress);
        // The palette's colours, as the workbook the first sheet comes from
        // has them.
        if (const CExcelWorkBook* workbook = FirstSheetsWorkbook(*m_data)) {
            CSavePaletteWriter::Write(*m_automation, *workbook);
        }
        // The named styles, before any cell is put in one.
        for (const CExcelWorkBook& workbook : m_data->GetWorkbooks()) {
            CSaveNamedStyles(workbook).Make(*m_automation);
        }
        WriteNames();
        WriteLinkValues();
        WriteWorksheets(progress);
        const std::int32_t result = Finish();
        if (result == 0) ReportRefusedNames();
        return result;
    } catch (const std::bad_alloc&) {
        // Memory ran out while building a call: the server is let go and
        // nothing reaches the destination.
        m_automation.reset();
        ReportFailure();
        return 1;
    }
}

void CSaveProcessManagerExcel::CreateWorksheets(CSaveProgress& progress) {
    progress.SetText(u"Saving recovered file\r\nAdding worksheets");
    std::uint32_t k = 0;
    for (const CExcelWorkBook& workbook : m_data->GetWorkbooks()) {
        for (const CExcelWorkSheet& worksheet : workbook.GetWorksheets()) {
            ++k;
            const std::u16string name = worksheet.GetName();
            progress.AppendText(u"\r\n  Adding " + name);
            progress.Set(k);
            if (k == 1) {
                NewWorkbook();
            } else {
                m_automation->AppendWorksheet();
            }
            // The last sheet is the one just made.
            m_automation->SelectWorksheetFromEnd(1);
            // Failing the save over a name would lose every cell; the sheet
            // keeps the name the server gave it, and the user is told.
            if (!m_automation->RenameActiveWorksheet(name)) {
                RefusedSheetName refused{name, u""};
                m_automation->ActiveWorksheetName(refused.saved);
                m_refusedNames.push_back(std::move(refused));
            }
            if (SaveStopCheck()) return;
        }
    }
    if (k == 0) {
        progress.Set(1);
        NewWorkbook();
        m_automation->SelectWorksheetFromEnd(1);
        m_automation->RenameActiveWorksheet(u"Unnamed1");
    }
}

void CSaveProcessManagerExcel::NewWorkbook() {
    m_automation->NewWorkbook();
    // Serial numbers mean other days in the other system: the output
    // counts from 1904 when the source did.
    if (UsesDate1904(*m_data)) m_automation->SetDate1904(true);
}

void CSaveProcessManagerExcel::WriteNames() {
    // Sheets were created in model order over all workbooks: a workbook's
    // first sheet follows the sheets of the workbooks before it.
    std::int32_t firstSheet = 1;
    for (const CExcelWorkBook& workbook : m_data->GetWorkbooks()) {
        if (!m_names.Write(*m_automation, workbook, firstSheet)) return;
        firstSheet += static_cast<std::int32_t>(workbook.GetWorksheets().GetCount());
    }
}

void CSaveProcessManagerExcel::WriteLinkValues() {
    for (const CExcelWorkBook& workbook : m_data->GetWorkbooks()) {
        if (!m_linkValues.Write(*m_automation, workbook)) return;
    }
}

void CSaveProcessManagerExcel::WriteWorksheets(CSaveProgress& progress) {
    progress.AppendText(u"\r\nWriting data to worksheet");
    const std::int32_t count = m_automation->WorksheetCount();
    const bool release = m_data->GetReleaseWhileSaving();
    std::int32_t j = 0;
    for (CExcelWorkBook& workbook : m_data->GetWorkbooks()) {
        for (CExcelWorkSheet& worksheet : workbook.GetWorksheets()) {
            ++j;
            progress.AppendText(u"\r\n  Writing data to " + worksheet.GetName());
            m_workbook = &workbook;
            m_worksheet = &worksheet;
            // Sheet j of the output, counted from the end. When it cannot
            // be selected (the server lost it), its cells are not written
            // into whichever sheet happens to be active.
            if (m_automation->SelectWorksheetFromEnd(count - j + 1)) {
                CSaveSheetWriter writer(*m_automation, workbook, worksheet, progress);
                if (release) writer.RemoveCellsOnceWritten(worksheet);
                writer.Write(m_data->GetSaveOptions());
                // The window and the selection as the sheet had them (A1
                // selected when it had none), and the tab's colour.
                CSaveSheetLayoutWriter layout(*m_automation, worksheet);
                layout.WriteWindow();
                layout.WriteTab();
            }
            if (SaveStopCheck()) return;
        }
        // The server holds its own copy of every text written.
        if (release) workbook.GetSharedStrings().RemoveAll();
    }
    // The first sheet is the active one when the file is opened.
    m_automation->SelectWorksheetFromEnd(m_automation->WorksheetCount());
    HideWorksheets();
}

void CSaveProcessManagerExcel::HideWorksheets() {
    // Last, once nothing needs to select the sheets: a hidden sheet cannot
    // be selected. The server keeps one sheet shown and hands the
    // activation on from a sheet it hides.
    std::int32_t j = 0;
    for (const CExcelWorkBook& workbook : m_data->GetWorkbooks()) {
        for (const CExcelWorkSheet& worksheet : workbook.GetWorksheets()) {
            ++j;
            if (worksheet.GetVisibility() == kBoundSheetHidden) {
                m_automation->SetWorksheetVisible(j, kSheetHidden);
            } else if (worksheet.GetVisibility() == kBoundSheetVeryHidden) {
                m_automation->SetWorksheetVisible(j, kSheetVeryHidden);
            }
        }
    }
}

std::int32_t CSaveProcessManagerExcel::Finish() {
    const std::filesystem::path temp = CSaveFileNames::MakeTempWorkbookName();
    if (!temp.empty()) m_automation->SaveWorkbookAs(TextFromPath(temp));
    m_automation->QuitServer();
    m_data->GetSaveRefusals() = m_automation->Automation().GetRefusals();
    m_automation.reset();

    if (SaveStopRequested.load() != 0) {
        std::error_code ignored;
        if (!temp.empty()) std::filesystem::remove(temp, ignored);
        return 1;
    }
    // The destination is replaced only by a whole file; when the server
    // wrote none, or the move fails, it stays as it was, and the temporary
    // workbook, which nobody is told of, goes.
    if (!temp.empty() && CSaveFileMover::MoveIntoPlace(temp, m_data->GetDestinationPath())) {
        return 0;
    }
    std::error_code ignored;
    if (!temp.empty()) std::filesystem::remove(temp, ignored);
    ReportFailure();
    return 1;
}

void CSaveProcessManagerExcel::ReportFailure() const {
    ShowMessage(FailureMessage(m_data->GetDestinationPath()));
}

std::u16string CSaveProcessManagerExcel::FailureMessage(const std::filesystem::path& destination) {
    return u"Failed to save the file " + TextFromPath(destination) +
           u". Please try to save the file with different name.";
}

void CSaveProcessManagerExcel::ReportRefusedNames() const {
    if (m_refusedNames.empty()) return;
    std::u16string text = u"These sheets could not keep their names and were saved as:";
    for (const RefusedSheetName& refused : m_refusedNames) {
        text += u"\r\n  '" + refused.name + u"' as '" + refused.saved + u"'";
    }
    ShowMessage(text);
}

std::filesystem::path CSaveProcessManagerExcel::MakeTempWorkbookName() {
    return CSaveFileNames::MakeTempWorkbookName();
}

std::filesystem::path CSaveProcessManagerExcel::MakeDestinationName(
    const std::filesystem::path& source, const std::filesystem::path& folder) {
    return CSaveFileNames::MakeDestinationName(source, folder);
}
