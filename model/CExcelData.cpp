#include "model/CExcelData.h"

#include <system_error>

CExcelData::CExcelData() = default;

namespace {

// Someone may have deleted the file already; that is not an error.
void RemoveOwnFile(std::filesystem::path& path) {
    if (path.empty()) return;
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) std::filesystem::remove(path, ec);
    path.clear();
}

}  // namespace

CExcelData::~CExcelData() {
    m_bofList.RemoveAll();
    m_workbooks.RemoveAll();
    RemoveOwnFile(m_translatedPath);
    RemoveOwnFile(m_extractedPath);
}

void CExcelData::SetExtractedPath(std::filesystem::path path) {
    RemoveOwnFile(m_translatedPath);
    m_extractedPath = std::move(path);
}

void CExcelData::SetTranslatedPath(std::filesystem::path path) {
    if (path != m_translatedPath) RemoveOwnFile(m_translatedPath);
    m_translatedPath = std::move(path);
}

const std::filesystem::path& CExcelData::GetScanPath() const {
    if (!m_translatedPath.empty()) return m_translatedPath;
    return m_extractedPath.empty() ? m_sourcePath : m_extractedPath;
}

CInputFile::EAccess CExcelData::AccessFor(const std::filesystem::path& path) const {
    const bool own = (!m_extractedPath.empty() && path.native() == m_extractedPath.native()) ||
                     (!m_translatedPath.empty() && path.native() == m_translatedPath.native());
    return own ? CInputFile::EAccess::kMapped : CInputFile::EAccess::kReads;
}
