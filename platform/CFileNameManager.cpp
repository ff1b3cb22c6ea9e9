#include "platform/CFileNameManager.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/Uuid.h"

std::atomic<std::uint32_t> RawRecordCounter{0};

namespace {

// How many taken names to step over before giving up.
constexpr int kMaxNameAttempts = 1000;

// "%08X-%04X-%04X-" then the last eight bytes as "%02X" each.
std::string TempWorkbookStem(const Uuid& uuid) {
    std::string stem;
    const Uuid::Bytes16& bytes = uuid.Bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8) stem.push_back('-');
        Uuid::AppendHex(stem, bytes[i], Uuid::ELetterCase::Upper);
    }
    return stem;
}

}  // namespace

std::filesystem::path CFileNameManager::GetTempFolder() {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path("/tmp") : folder;
}

std::filesystem::path CFileNameManager::GetTempTextFileName(std::uint32_t n) {
    return GetTempFolder() / ("_WBR_1234xyz_" + std::to_string(n) + ".txt");
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

std::filesystem::path CFileNameManager::MakeTempWorkbookName() {
    return GetTempFolder() / (TempWorkbookStem(Uuid::NewRandom()) + ".xls");
}

std::filesystem::path CFileNameManager::MakeExtractedWorkbookName() {
    const std::filesystem::path workbook = MakeTempWorkbookName();
    // Only the file name is lower-cased and renamed: on this file system the
    // folder's case matters, and a folder whose name holds ".xls" must stay
    // the folder it is.
    std::string name = workbook.filename().string();
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (std::size_t at = name.find(".xls"); at != std::string::npos; at = name.find(".xls", at))
        name.replace(at, 4, ".tmp");
    return workbook.parent_path() / name;
}
