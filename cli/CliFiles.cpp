#include "cli/CliFiles.h"

#include <unistd.h>

#include <cstdio>
#include <system_error>

bool CheckSourceFile(const std::filesystem::path& source) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(source, ec);
    const char* problem = nullptr;
    if (status.type() == std::filesystem::file_type::not_found)
        problem = "does not exist";
    else if (ec)
        problem = "cannot be looked at";
    else if (status.type() == std::filesystem::file_type::directory)
        problem = "is a folder, not a file";
    else if (status.type() != std::filesystem::file_type::regular)
        problem = "is not a regular file";
    else if (access(source.c_str(), R_OK) != 0)
        problem = "cannot be read (permission denied)";
    if (problem == nullptr) return true;
    std::fprintf(stderr, "mendwell-cli: '%s' %s\n", source.c_str(), problem);
    return false;
}

bool IsSameFile(const std::filesystem::path& source, const std::filesystem::path& destination) {
    std::error_code ec;
    const std::filesystem::path a = std::filesystem::weakly_canonical(source, ec);
    if (!ec) {
        const std::filesystem::path b = std::filesystem::weakly_canonical(destination, ec);
        if (!ec && a == b) return true;
    }
    // Hard links and bind mounts give one file two canonical names; only the
    // device and inode tell. A destination that does not exist yet is not the
    // source (equivalent() reports an error then, which we take as "no").
    std::error_code sameEc;
    return std::filesystem::equivalent(source, destination, sameEc) && !sameEc;
}

bool CanWriteInto(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) return false;
    // access() answers for the real user and knows read-only mounts; root
    // passes it on any writable mount, which is right: root can write there.
    return access(folder.c_str(), W_OK | X_OK) == 0;
}
