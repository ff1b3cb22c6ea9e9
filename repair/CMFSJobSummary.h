// The words of a multiple-file job's end: how many files came out of it in
// each way, the closing message that counts them, and the name and default
// reason of each outcome. "Files repaired and saved successfully." is said
// only when every file of the job was saved whole; any other mix is counted,
// e.g. "3 files repaired and saved; 1 saved with losses; 1 failed."
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "containers/CMFSFileResult.h"

class CMFSDataContainer;

class CMFSJobSummary {
public:
    struct Counts {
        std::size_t saved = 0;    // saved, nothing known lost
        std::size_t partial = 0;  // saved with losses
        std::size_t failed = 0;
        std::size_t skipped = 0;
        std::size_t notBegun = 0;
    };

    // The outcomes of the job's source files, one per source.
    static Counts Count(const CMFSDataContainer& job);

    // The job's closing message; empty for a job of no file.
    static std::u16string Message(const Counts& counts);

    // "saved", "failed", "skipped", "not begun".
    static std::u16string_view OutcomeName(EFileOutcome outcome);
    // The outcome's name, "partial" for a file saved with losses.
    static std::u16string_view ResultName(const CMFSFileResult& result);

    // The reason a file with this outcome is given when nothing more
    // particular is known: empty for Saved, the repair's own "nothing could be
    // recovered" text for Failed.
    static std::u16string_view DefaultReason(EFileOutcome outcome);
};
