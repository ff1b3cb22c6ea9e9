// A fresh folder below the system's temporary folder for one test, removed
// with everything in it at the end of the scope.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

namespace testsupport {

class ScopedTempFolder {
public:
    // The label shows in the folder's name to tell tests apart.
    explicit ScopedTempFolder(const std::string& label) {
        static std::atomic<unsigned> serial{0};
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path(ec);
        if (ec) base = "/tmp";
        m_path = base / ("mendwell-test-" + label + "-" + std::to_string(::getpid()) + "-" +
                         std::to_string(++serial));
        std::filesystem::remove_all(m_path, ec);
        std::filesystem::create_directories(m_path, ec);
    }
    ~ScopedTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScopedTempFolder(const ScopedTempFolder&) = delete;
    ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

}  // namespace testsupport
