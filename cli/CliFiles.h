// Checks the command-line tool makes on the files it is given before any
// work starts, each saying on standard error what is wrong.
#pragma once

#include <filesystem>

// True when source is an existing, readable regular file. Otherwise says
// why ("does not exist", "is a folder, not a file", ...) and returns false.
bool CheckSourceFile(const std::filesystem::path& source);

// True when both paths name one file: equal once made canonical (symbolic
// links and "." or ".." resolved, the destination need not exist), or two
// names of the same inode (hard links).
bool IsSameFile(const std::filesystem::path& source, const std::filesystem::path& destination);

// True when folder is an existing folder this process may create files in.
bool CanWriteInto(const std::filesystem::path& folder);
