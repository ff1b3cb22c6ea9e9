// Puts the temporary workbook a save has written onto its destination.
// The destination is replaced only by a complete file: it is never deleted
// or truncated before the new contents are whole on disk.
#pragma once

#include <filesystem>

class CSaveFileMover {
public:
    enum class EMethod {
        RenameFirst,  // rename when possible, copy across file systems
        CopyOnly,     // always the copy (tests reach the cross-device path)
    };

    // Renames temp over destination when both are on one file system;
    // otherwise copies temp next to the destination, flushes it and renames
    // the copy over the destination, then removes temp. False (destination
    // as it was, temp left where it was) when temp is missing or any step
    // fails. temp and destination naming the same file is true at once.
    static bool MoveIntoPlace(const std::filesystem::path& temp,
                              const std::filesystem::path& destination);
    static bool MoveIntoPlace(const std::filesystem::path& temp,
                              const std::filesystem::path& destination, EMethod method);

private:
    static bool CopyIntoPlace(const std::filesystem::path& temp,
                              const std::filesystem::path& destination);
};
