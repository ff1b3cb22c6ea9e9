// Every damaged file of the shared corpus's wild folder through the whole
// repair and the cell dump. Each file is repaired in a child process, so a
// crash or sanitizer report names its file and the others still run, and
// the child's work is bounded: it is killed when it outlives kFileSeconds
// of processor time, far beyond what any file of the folder needs.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "biff/tests/support/CorpusFiles.h"
#include "tools/damage/tests/DamageFixtures.h"

namespace fs = std::filesystem;

namespace {

constexpr rlim_t kFileSeconds = 120;

// Repairs the file in a child; the child's exit status, or -signal when a
// signal ended it (SIGXCPU when it ran out of time, SIGABRT for a
// sanitizer report).
int RepairInChild(const fs::path& file, const fs::path& temp) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return -1000;
    if (child == 0) {
        const rlimit limit{kFileSeconds, kFileSeconds + 5};
        ::setrlimit(RLIMIT_CPU, &limit);
        const testsupport::Bytes bytes = testsupport::ReadFileBytes(file);
        std::unique_ptr<CExcelData> data;
        damagetest::RepairAndDump(temp / file.filename(), bytes, data);
        const bool bounded = damagetest::CellRecordCount(*data) <= bytes.size() / 4;
        data.reset();
        ::_exit(bounded ? 0 : 3);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1001;
    }
    if (WIFSIGNALED(status)) return -WTERMSIG(status);
    return WEXITSTATUS(status);
}

}  // namespace

TEST(WildCorpusRepair, EveryWildFileRepairsWithoutCrashHangOrSanitizerReport) {
    MENDWELL_REQUIRE_SHARED(shared);
    const std::vector<fs::path> files = corpus::FilesIn(shared / "corpus" / "wild");
    ASSERT_EQ(files.size(), corpus::kWildFiles);
    testsupport::ScopedTempDir temp;
    for (const fs::path& file : files) {
        EXPECT_EQ(RepairInChild(file, temp.Path()), 0) << file.filename().string();
    }
    std::printf("[ wild     ] %zu damaged files repaired in child processes\n", files.size());
}
