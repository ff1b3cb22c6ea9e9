#include "platform/ApplicationFolder.h"

#include <system_error>

std::filesystem::path ApplicationFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        std::filesystem::path current = std::filesystem::current_path(ec);
        return ec ? std::filesystem::path() : current / "";
    }();
    return folder;
}
