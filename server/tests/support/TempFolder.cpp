#include "server/tests/support/TempFolder.h"

#include <stdlib.h>

#include <vector>

namespace servertest {

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "mendwell-server-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data())) m_path = buffer.data();
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

}  // namespace servertest
