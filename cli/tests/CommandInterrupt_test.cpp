// Ctrl-C during a batch: the job ends after the file in progress, the tool
// exits 130, and neither a temporary workbook nor a half-written
// destination is left behind.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/tests/CliSaveFixture.h"

extern char** environ;

using clitest::CliSaveTest;

namespace {

namespace fs = std::filesystem;

using InterruptedBatch = CliSaveTest;

std::size_t CountLines(const std::string& text, const std::string& prefix) {
    std::size_t count = 0;
    for (std::string::size_type at = 0; at < text.size();) {
        if (text.compare(at, prefix.size(), prefix) == 0) ++count;
        const auto end = text.find('\n', at);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return count;
}

std::size_t CountFiles(const fs::path& folder) {
    std::size_t count = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) count += entry.is_regular_file();
    return count;
}

TEST_F(InterruptedBatch, StopsAfterTheFileInProgressAndLeavesNothingHalfDone) {
    const fs::path temp = Dir() / "tmp";
    const fs::path in = Dir() / "in";
    const fs::path out = Dir() / "out";
    fs::create_directories(temp);
    fs::create_directories(in);
    testsupport::ScopedEnv tmpdir("TMPDIR", temp.string());

    // Enough files that the job is still running when the signal comes.
    constexpr int kFiles = 300;
    std::vector<std::string> args{MENDWELL_CLI, "batch", "--dest", out.string()};
    for (int i = 0; i < kFiles; ++i) {
        const fs::path copy = in / ("book" + std::to_string(i) + ".xls");
        fs::copy_file(Sample(), copy);
        args.push_back(copy.string());
    }
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, channel[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    ASSERT_EQ(spawned, 0);

    // The signal goes as soon as the first file is reported saved.
    std::string output;
    bool signalled = false;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0) {
        output.append(buffer, static_cast<std::size_t>(got));
        if (!signalled && output.find("Saved\t") != std::string::npos) {
            kill(child, SIGINT);
            signalled = true;
        }
    }
    close(channel[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    ASSERT_TRUE(signalled) << output;
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 130);
    const std::size_t saved = CountLines(output, "Saved\t");
    EXPECT_GE(saved, 1u);
    EXPECT_LT(saved, static_cast<std::size_t>(kFiles));
    // Every file in the folder was reported saved: none is half-written.
    EXPECT_EQ(CountFiles(out), saved);
    // The stopped save deleted its temporary workbook, the repair its
    // extracted stream copy.
    EXPECT_EQ(CountFiles(temp), 0u);
}

}  // namespace
