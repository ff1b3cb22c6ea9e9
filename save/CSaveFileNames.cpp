#include "save/CSaveFileNames.h"

#include <string>
#include <system_error>

#include "platform/CFileNameManager.h"
#include "platform/SettingsStore.h"
#include "platform/TextConversion.h"

namespace {

// The file name with the inserted text (suffix + counter text) in place.
std::string Candidate(const std::string& fileName, const std::string& inserted) {
    const std::string::size_type dot = fileName.rfind('.');
    if (dot == std::string::npos) return fileName + inserted + ".xls";
    return fileName.substr(0, dot) + inserted + fileName.substr(dot);
}

// Any entry at all counts, so that a dangling link is never written through.
bool IsTaken(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
    // A name whose status cannot be read is treated as taken: writing to it
    // could replace something we cannot see.
    if (ec) return ec != std::errc::no_such_file_or_directory;
    return std::filesystem::exists(status);
}

std::u16string SuffixSetting() {
    return SettingsStore().ReadSuffix();
}

}  // namespace

std::filesystem::path CSaveFileNames::MakeTempWorkbookName() {
    return CFileNameManager::MakeTempWorkbookName();
}

std::string CSaveFileNames::DestinationNameKey(const std::filesystem::path& fileName,
                                               std::u16string_view suffix) {
    const std::string suffixText = ToUtf8(suffix);
    if (suffixText.empty() || (suffixText.back() >= '0' && suffixText.back() <= '9')) return {};
    return Candidate(fileName.native(), "");
}

std::filesystem::path CSaveFileNames::MakeFreeName(const std::filesystem::path& folder,
                                                   const std::filesystem::path& fileName,
                                                   std::u16string_view suffix) {
    std::string suffixText = ToUtf8(suffix);
    for (char& c : suffixText) {
        if (c == '/') c = '_';
    }
    const std::string name = fileName.native();
    std::filesystem::path candidate = folder / Candidate(name, suffixText);
    if (!IsTaken(candidate)) return candidate;
    for (std::uint32_t counter = 0; counter < kMaxCounter; ++counter) {
        candidate = folder / Candidate(name, suffixText + "_" + std::to_string(counter));
        if (!IsTaken(candidate)) return candidate;
    }
    return {};
}

std::filesystem::path CSaveFileNames::MakeDestinationName(const std::filesystem::path& source,
                                                          const std::filesystem::path& folder) {
    return MakeFreeName(folder, source.filename(), SuffixSetting());
}

std::filesystem::path CSaveFileNames::MakeDefaultDestinationName(
    const std::filesystem::path& source) {
    // Only the file name takes the suffix: a "." in a folder name ("/data/v1.2/book")
    // must not split the path.
    return MakeFreeName(source.parent_path(), source.filename(), SuffixSetting());
}
