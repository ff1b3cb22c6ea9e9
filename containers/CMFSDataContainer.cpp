#include "containers/CMFSDataContainer.h"

#include "model/CExcelData.h"

CMFSDataContainer::CMFSDataContainer() = default;
CMFSDataContainer::~CMFSDataContainer() = default;

IJobStatusList* CMFSDataContainer::GetStatusList() const {
    return m_statusList;
}
void CMFSDataContainer::SetStatusList(IJobStatusList* list) {
    m_statusList = list;
}
ProgressTarget* CMFSDataContainer::GetProgressTarget() const {
    return m_progressTarget;
}
void CMFSDataContainer::SetProgressTarget(ProgressTarget* target) {
    m_progressTarget = target;
}

CExcelData* CMFSDataContainer::GetCurrentWorkbook() const {
    return m_currentWorkbook.get();
}
void CMFSDataContainer::SetCurrentWorkbook(std::unique_ptr<CExcelData> workbook) {
    m_currentWorkbook = std::move(workbook);
}

std::vector<std::filesystem::path>& CMFSDataContainer::GetSourceList() {
    return m_sourceList;
}
const std::vector<std::filesystem::path>& CMFSDataContainer::GetSourceList() const {
    return m_sourceList;
}
std::vector<std::filesystem::path>& CMFSDataContainer::GetDestinationList() {
    return m_destinationList;
}
const std::vector<std::filesystem::path>& CMFSDataContainer::GetDestinationList() const {
    return m_destinationList;
}

std::uint8_t CMFSDataContainer::GetResultFlag(std::size_t position) const {
    return position < m_resultFlags.size() ? m_resultFlags[position] : 0;
}
void CMFSDataContainer::SetResultFlag(std::size_t position, std::uint8_t flag) {
    if (position >= m_resultFlags.size()) m_resultFlags.resize(position + 1, 0);
    m_resultFlags[position] = flag;
}

const CMFSFileResult& CMFSDataContainer::GetFileResult(std::size_t position) const {
    static const CMFSFileResult kNotBegun;
    return position < m_fileResults.size() ? m_fileResults[position] : kNotBegun;
}
void CMFSDataContainer::SetFileResult(std::size_t position, CMFSFileResult result) {
    SetResultFlag(position, result.outcome == EFileOutcome::Saved ? 1 : 0);
    if (position >= m_fileResults.size()) m_fileResults.resize(position + 1);
    m_fileResults[position] = std::move(result);
}
void CMFSDataContainer::ClearFileResults() {
    m_resultFlags.clear();
    m_fileResults.clear();
    m_reportBytes = 0;
}

bool CMFSDataContainer::ReserveReportBytes(std::uint64_t bytes) {
    if (bytes > kReportObjectBudget - m_reportBytes) return false;
    m_reportBytes += bytes;
    return true;
}

CSaveOption& CMFSDataContainer::GetSaveOptions() {
    return m_saveOptions;
}
const CSaveOption& CMFSDataContainer::GetSaveOptions() const {
    return m_saveOptions;
}

const std::filesystem::path& CMFSDataContainer::GetDestinationFolder() const {
    return m_destinationFolder;
}
void CMFSDataContainer::SetDestinationFolder(std::filesystem::path folder) {
    m_destinationFolder = std::move(folder);
}
