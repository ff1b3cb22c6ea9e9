#include "save/CSaveFileNames.h"

#include "platform/CFileNameManager.h"

std::filesystem::path CSaveFileNames::MakeTempWorkbookName() {
    return CFileNameManager::MakeTempWorkbookName();
}

std::filesystem::path CSaveFileNames::MakeDestinationName(const std::filesystem::path& source,
                                                          const std::filesystem::path& folder) {
    return folder / source.filename();  // suffix and counter land next
}

std::filesystem::path CSaveFileNames::MakeDefaultDestinationName(
    const std::filesystem::path& source) {
    return source;  // suffix and counter land next
}
