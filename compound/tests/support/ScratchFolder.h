// A fresh folder under the temporary folder for one test's files, removed
// with everything in it when the object goes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return m_path / name;
    }

    // Writes bytes to a file in the folder and returns its path.
    std::filesystem::path Write(const std::filesystem::path& name,
                                const std::vector<std::uint8_t>& bytes) const;
    // The whole content of a file; empty when it cannot be read.
    static std::vector<std::uint8_t> Read(const std::filesystem::path& path);

private:
    std::filesystem::path m_path;
};
