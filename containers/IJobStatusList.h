// Where a multiple-file job shows what it does: the job screen's list (one
// row per source file), the main window's status text and the step text
// area. The desktop program's job screen implements it, and so does the
// command-line tool. Called from the job worker's thread: an implementation
// that owns widgets hands the calls over to its user-interface thread.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

class IJobStatusList {
public:
    virtual ~IJobStatusList() = default;
    // Row row (0-based, the source file's position in the list) now shows
    // destination in its destination column and status ("Saving", "Saved",
    // "Skipped") in its status column.
    virtual void SetRow(std::size_t row, const std::filesystem::path& destination,
                        std::u16string_view status) = 0;
    // The main window's status text; empty clears it.
    virtual void SetStatusText(std::u16string_view text) = 0;
    // JobStatusText changed ("Parsing file...", "Saving file..."): repaint.
    virtual void InvalidateStatusArea() = 0;
};
