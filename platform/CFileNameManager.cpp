#include "platform/CFileNameManager.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

std::atomic<std::uint32_t> RawRecordCounter{0};

namespace {

std::filesystem::path TemporaryFolder() {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path("/tmp") : folder;
}

// How many taken names to step over before giving up.
constexpr int kMaxNameAttempts = 1000;

}  // namespace

std::filesystem::path CFileNameManager::GetTempTextFileName(std::uint32_t n) {
    return TemporaryFolder() / ("_WBR_1234xyz_" + std::to_string(n) + ".txt");
}

SpillFile CFileNameManager::CreateSpillFile() {
    SpillFile spill;
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        spill.id = ++RawRecordCounter;
        spill.path = GetTempTextFileName(spill.id);
        const int fd = ::open(spill.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            spill.created = true;
            return spill;
        }
        if (errno != EEXIST) return spill;  // folder missing or not writable
    }
    return spill;
}
