#include "compound/tests/support/ScratchFolder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <string>

ScratchFolder::ScratchFolder() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        m_path = base / ("mendwell-test-" + std::to_string(random()) + std::to_string(random()));
        if (std::filesystem::create_directory(m_path)) break;
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path ScratchFolder::Write(const std::filesystem::path& name,
                                           const std::vector<std::uint8_t>& bytes) const {
    const std::filesystem::path path = m_path / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<std::uint8_t> ScratchFolder::Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}
