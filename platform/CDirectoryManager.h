// Makes the folders of an output path, such as the destination folder that
// the multiple-file save options name.
#pragma once

#include <filesystem>

class CDirectoryManager {
public:
    // Creates, from left to right, the folder named by the path up to each
    // separator, then the whole path. Both "/" and "\" count as separators
    // (a path typed the Windows way names the same folders). Folders that
    // exist already, or that cannot be made, are passed over: the caller
    // finds out when it writes into them. False only for a path without any
    // separator, for which nothing is made; true otherwise.
    static bool CreatePath(const std::filesystem::path& path);
};
