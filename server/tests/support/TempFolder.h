// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace servertest {

class TempFolder {
  public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

}  // namespace servertest
