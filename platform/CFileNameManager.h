// Names of the temporary files the repair makes in the temporary folder
// (std::filesystem::temp_directory_path(), which honours TMPDIR).
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>

// Process-wide number of spill files handed out; incremented before each use
// (the first id is 1) and never reset, so ids are unique for the process.
extern std::atomic<std::uint32_t> RawRecordCounter;

struct SpillFile {
    std::uint32_t id = 0;
    std::filesystem::path path;
    bool created = false;
};

class CFileNameManager {
public:
    // "<temporary folder>/_WBR_1234xyz_<n>.txt"
    static std::filesystem::path GetTempTextFileName(std::uint32_t n);

    // Takes the next id from RawRecordCounter and creates its spill file,
    // empty, exclusively. A name that already exists (another process
    // repairing at the same moment, or a file left by a run that crashed)
    // is never reused: the next id is taken instead, a bounded number of
    // times. created is false when no file could be made.
    static SpillFile CreateSpillFile();
};
