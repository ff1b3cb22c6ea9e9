#include "platform/CDirectoryManager.h"

#include <string>
#include <system_error>

bool CDirectoryManager::CreatePath(const std::filesystem::path& path) {
    std::string text = path.native();
    bool separated = false;
    for (char& c : text) {
        if (c == '\\') c = '/';
        if (c == '/') separated = true;
    }
    if (!separated) return false;

    std::error_code ec;
    for (std::size_t at = text.find('/'); at != std::string::npos; at = text.find('/', at + 1)) {
        // A leading "/" (the root) and doubled separators name no new folder.
        if (at == 0 || text[at - 1] == '/') continue;
        std::filesystem::create_directory(text.substr(0, at), ec);
    }
    std::filesystem::create_directory(text, ec);
    return true;
}
