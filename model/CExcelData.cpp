#include "model/CExcelData.h"

#include <system_error>

CExcelData::CExcelData() = default;

CExcelData::~CExcelData() {
    m_bofList.RemoveAll();
    m_workbooks.RemoveAll();
    if (!m_extractedPath.empty()) {
        // Someone may have deleted the copy already; that is not an error.
        std::error_code ec;
        if (!std::filesystem::is_directory(m_extractedPath, ec))
            std::filesystem::remove(m_extractedPath, ec);
        m_extractedPath.clear();
    }
}

const std::filesystem::path& CExcelData::GetScanPath() const {
    return m_extractedPath.empty() ? m_sourcePath : m_extractedPath;
}

CInputFile::EAccess CExcelData::AccessFor(const std::filesystem::path& path) const {
    const bool own = !m_extractedPath.empty() && path.native() == m_extractedPath.native();
    return own ? CInputFile::EAccess::kMapped : CInputFile::EAccess::kReads;
}
