#include "app/CHelpLocator.h"

#include <system_error>

const char* CHelpLocator::PageName() {
    return "Mendwell for Excel.html";
}

CHelpLocator::CHelpLocator(std::filesystem::path applicationFolder,
                           std::filesystem::path executableFolder,
                           std::filesystem::path sourceHelpFolder)
    : m_applicationFolder(std::move(applicationFolder)),
      m_executableFolder(std::move(executableFolder)),
      m_sourceHelpFolder(std::move(sourceHelpFolder)) {}

std::vector<std::filesystem::path> CHelpLocator::Candidates() const {
    std::vector<std::filesystem::path> candidates;
    // An empty folder would turn the page name into a path relative to
    // whatever the current directory is by then: skip it instead.
    if (!m_applicationFolder.empty()) candidates.push_back(m_applicationFolder / PageName());
    if (!m_executableFolder.empty()) {
        candidates.push_back(m_executableFolder / ".." / "share" / "mendwell" / PageName());
    }
    if (!m_sourceHelpFolder.empty()) candidates.push_back(m_sourceHelpFolder / PageName());
    return candidates;
}

std::filesystem::path CHelpLocator::Find() const {
    for (const std::filesystem::path& candidate : Candidates()) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate.lexically_normal();
        }
    }
    return {};
}
