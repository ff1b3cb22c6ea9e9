// Names of the files a save writes: the temporary workbook, the output of a
// multiple-file job in its destination folder, and the default destination
// proposed for a single file. The suffix comes from the settings store
// ("(Mendwell)" when unset). A name that exists already gets "_0", "_1", ...
// after the suffix; the search is bounded and gives an empty path when no
// free name is found.
#pragma once

#include <filesystem>

class CSaveFileNames {
public:
    // "<temporary folder>/<new UUID>.xls".
    static std::filesystem::path MakeTempWorkbookName();
    // folder + the source's file name, with the suffix (and counter) put
    // before the file name's last "."; ".xls" appended when it has none.
    static std::filesystem::path MakeDestinationName(const std::filesystem::path& source,
                                                     const std::filesystem::path& folder);
    // The single-file default: next to the source, same rule; the suffix
    // goes into the file name, never into a folder name.
    static std::filesystem::path MakeDefaultDestinationName(const std::filesystem::path& source);
};
