#include "app/CMendwellDoc.h"

#include "containers/CMFSDataContainer.h"
#include "model/CExcelData.h"
#include "platform/SettingsStore.h"
#include "platform/TextConversion.h"

CMendwellDoc::CMendwellDoc()
    : m_recoveredLocation(PathFromText(SettingsStore().ReadLocation())),
      m_workbook(std::make_unique<CExcelData>()) {}

CMendwellDoc::~CMendwellDoc() = default;

CExcelData* CMendwellDoc::ResetWorkbook(const std::filesystem::path& source,
                                        ProgressTarget* progress) {
    m_workbook = std::make_unique<CExcelData>();
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
    }
    return m_jobData.get();
}
