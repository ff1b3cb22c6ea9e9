// Where the help page "Mendwell for Excel.html" is looked for: the
// application folder first (a copy next to where the program was started
// wins), then the installed share/mendwell/ beside the program's bin/, then
// the source tree's app/help/ (for a program run from its build folder).
// Pure path logic; it touches the file system only to ask whether a
// candidate is a regular file.
#pragma once
#include <filesystem>
#include <vector>

class CHelpLocator {
public:
    // The file name of the page, the same in every folder.
    static const char* PageName();

    // applicationFolder and executableFolder may be empty (then skipped);
    // sourceHelpFolder is the compiled-in app/help/ of the source tree.
    CHelpLocator(std::filesystem::path applicationFolder, std::filesystem::path executableFolder,
                 std::filesystem::path sourceHelpFolder);

    // The candidate paths, in the order they are tried.
    std::vector<std::filesystem::path> Candidates() const;
    // The first candidate that is a regular file; empty when none is.
    std::filesystem::path Find() const;

private:
    std::filesystem::path m_applicationFolder;
    std::filesystem::path m_executableFolder;
    std::filesystem::path m_sourceHelpFolder;
};
