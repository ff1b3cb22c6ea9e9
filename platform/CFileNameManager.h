// Names of the temporary files the repair and the save make in the temporary
// folder: std::filesystem::temp_directory_path(), which honours TMPDIR, or
// /tmp when that is not an existing folder. Where the names are written with
// a folder ending in a backslash, ours join the folder with "/".
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
    // The temporary folder, read anew on each call.
    static std::filesystem::path GetTempFolder();

    // "<temporary folder>/_WBR_1234xyz_<n>.txt", n in unsigned decimal.
    static std::filesystem::path GetTempTextFileName(std::uint32_t n);

    // Takes the next id from RawRecordCounter and creates its spill file,
    // empty, exclusively. A name that already exists (another process
    // repairing at the same moment, or a file left by a run that crashed)
    // is never reused: the next id is taken instead, a bounded number of
    // times. created is false when no file could be made.
    static SpillFile CreateSpillFile();

    // The name under which the save has the rebuilt workbook written before
    // it is moved to its destination: "<temporary folder>/" followed by a new
    // random UUID as "XXXXXXXX-XXXX-XXXX-XXXXXXXXXXXXXXXX.xls" (upper-case hex;
    // the last eight bytes without a hyphen). Nothing is created.
    static std::filesystem::path MakeTempWorkbookName();

    // The name of the temporary copy of the "Workbook" stream made by the
    // repair: a MakeTempWorkbookName() name whose file name is lower-cased
    // and has ".xls" turned into ".tmp" ("<folder>/xxxxxxxx-...-xxxx.tmp").
    // The folder is left as it is. Nothing is created.
    static std::filesystem::path MakeExtractedWorkbookName();
};
