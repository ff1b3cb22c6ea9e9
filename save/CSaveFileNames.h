// Names of the files a save writes: the temporary workbook, the output of a
// multiple-file job in its destination folder, and the default destination
// proposed for a single file. The suffix comes from the settings store
// ("(Mendwell)" when unset). A name that exists already gets "_0", "_1", ...
// after the suffix; the search is bounded and gives an empty path when no
// free name is found.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class CSaveFileNames {
public:
    // How many counted names ("_0" up to "_999") are tried after the plain
    // one before the search gives up.
    static constexpr std::uint32_t kMaxCounter = 1000;

    // "<temporary folder>/<new UUID>.xls".
    static std::filesystem::path MakeTempWorkbookName();
    // folder + the source's file name, with the suffix (and counter) put
    // before the file name's last "."; ".xls" appended when it has none.
    static std::filesystem::path MakeDestinationName(const std::filesystem::path& source,
                                                     const std::filesystem::path& folder);
    // The single-file default: next to the source, same rule; the suffix
    // goes into the file name, never into a folder name.
    static std::filesystem::path MakeDefaultDestinationName(const std::filesystem::path& source);

    // The first free name in folder for fileName with suffix: the suffix and
    // counter text go right before the last "." of fileName, or, when it has
    // none, suffix, counter text and ".xls" are appended. A name is taken
    // when any directory entry has it (a dangling link included). Path
    // separators in the suffix become "_" so the name stays in folder.
    // Empty when every candidate up to kMaxCounter is taken.
    static std::filesystem::path MakeFreeName(const std::filesystem::path& folder,
                                              const std::filesystem::path& fileName,
                                              std::u16string_view suffix);

    // Sources whose keys differ never compete for a destination name in one
    // folder: no candidate MakeFreeName tries for one is a candidate for the
    // other, so a job may save them in any order and get the names it would
    // in order. Sources with equal keys may compete, and must be saved in
    // order. The key is the file name as MakeFreeName splits it; it is the
    // same empty key for every source when the suffix is empty or ends in a
    // digit, since a counter's digits can then make another source's name.
    static std::string DestinationNameKey(const std::filesystem::path& fileName,
                                          std::u16string_view suffix);
};
