// mendwell-cli batch with more than one job: every file is repaired and
// saved by a worker process of its own (this program, "batch --worker"
// over that one file), up to jobs of them at once. A process each keeps
// the repair's run state to itself and one file's crash to that file.
//
// What the workers print comes out in the order the files were given, file
// by file, as the job in one process prints it; the closing message counts
// the whole job. Files that could be given the same destination name are
// saved one after the other, in order, so every file gets the name it gets
// in one process. Ctrl-C or SIGTERM is passed on to the running workers,
// which stop as the job in one process stops; no further file is begun.
#pragma once

#include <filesystem>

struct BatchArguments;

// Runs the job and returns the exit status batch ends with. folder is the
// destination folder, made and writable.
int RunBatchWorkers(const BatchArguments& parsed, const std::filesystem::path& folder,
                    unsigned jobs);
