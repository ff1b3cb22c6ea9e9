#include "app/CMendwellDoc.h"

#include "containers/CMFSDataContainer.h"
#include "model/CExcelData.h"
#include "platform/SettingsStore.h"
#include "platform/TextConversion.h"
#include "repair/CRepairReportBuilder.h"

CMendwellDoc::CMendwellDoc()
    : m_recoveredLocation(PathFromText(SettingsStore().ReadLocation())),
      m_workbook(std::make_unique<CExcelData>()) {
    m_repairManager.SetTrace(&m_trace);
}

CMendwellDoc::~CMendwellDoc() = default;

CExcelData* CMendwellDoc::ResetWorkbook(const std::filesystem::path& source,
                                        ProgressTarget* progress) {
    m_workbook = std::make_unique<CExcelData>();
    m_trace = CRepairTrace();
    m_repairReport.reset();
    m_saveReport.reset();
    m_workbook->SetSourcePath(source);
    m_workbook->SetProgressWindow(progress);
    return m_workbook.get();
}

CMFSDataContainer* CMendwellDoc::EnsureJobData(IJobStatusList* statusList,
                                               ProgressTarget* progress) {
    if (!m_jobData) {
        m_jobData = std::make_unique<CMFSDataContainer>();
        m_jobData->SetStatusList(statusList);
        m_jobData->SetProgressTarget(progress);
        m_jobData->SetDestinationFolder(m_recoveredLocation);
        // The results screen opens each file's report.
        m_jobData->SetKeepReportObjects(true);
    }
    return m_jobData.get();
}

void CMendwellDoc::BuildRepairReport(bool repaired) {
    m_repairReport = CRepairReportBuilder::Build(*m_workbook, m_trace, repaired);
    m_saveReport.reset();
}

void CMendwellDoc::BuildSaveReport(bool saved) {
    if (!m_repairReport) return;
    m_saveReport = *m_repairReport;
    CRepairReportBuilder::AddSave(*m_saveReport, m_workbook->GetDestinationPath(), saved,
                                  m_workbook->GetSaveRefusals());
}

const CRepairReport* CMendwellDoc::GetRepairReport() const {
    return m_repairReport ? &*m_repairReport : nullptr;
}

const CRepairReport* CMendwellDoc::GetSaveReport() const {
    return m_saveReport ? &*m_saveReport : nullptr;
}
