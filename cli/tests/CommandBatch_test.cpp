// mendwell-cli batch: the multiple-file job from a terminal, one result line
// per file and an exit status that tells "some file" from "no file".
#include "cli/tests/CliSaveFixture.h"

using clitest::CliSaveTest;
using clitest::Contains;

namespace {

using BatchCommand = CliSaveTest;

TEST_F(BatchCommand, WrongArgumentsAreUsageErrors) {
    const std::string source = Sample().string();
    EXPECT_EQ(Run({"batch", source}).status, 64);
    EXPECT_EQ(Run({"batch", "--dest", Dir().string()}).status, 64);
    EXPECT_EQ(Run({"batch", source, "--dest"}).status, 64);
    EXPECT_EQ(Run({"batch", "--dest", "a", "--dest", "b", source}).status, 64);
    EXPECT_EQ(Run({"batch", "--dest", "a", "--no-such", source}).status, 64);
    for (const char* jobs : {"--jobs=0", "--jobs=65", "--jobs=2x", "--jobs="})
        EXPECT_EQ(Run({"batch", "--dest", "a", jobs, source}).status, 64) << jobs;
}

TEST_F(BatchCommand, AMissingSourceStopsTheJobBeforeItStarts) {
    const auto out = Dir() / "out";
    const auto result = Run({"batch", "--dest", out.string(), Sample().string(),
                             (Dir() / "gone.xls").string(), Dir().string()});
    EXPECT_EQ(result.status, 66);
    EXPECT_TRUE(Contains(result.err, "gone.xls' does not exist")) << result.err;
    EXPECT_TRUE(Contains(result.err, "is a folder, not a file")) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(BatchCommand, AFileInPlaceOfTheFolderCannotBeWritten) {
    const auto result = Run({"batch", "--dest", Junk().string(), Sample().string()});
    EXPECT_EQ(result.status, 73);
    EXPECT_TRUE(Contains(result.err, "cannot be made or written")) << result.err;
    EXPECT_EQ(result.out, "");
}

TEST_F(BatchCommand, ThreeFilesOneNotRepairable) {
    std::filesystem::copy_file(Sample(), Dir() / "second.xls");
    const auto out = Dir() / "made" / "here";
    const auto result = Run({"batch", "--dest", out.string(), Sample().string(), Junk().string(),
                             (Dir() / "second.xls").string()});
    EXPECT_EQ(result.status, 1) << result.err;
    const std::vector<std::string> lines = {
        "Saved\t" + Sample().string() + "\t" + (out / "damaged(Mendwell).xls").string(),
        "Skipped\t" + Junk().string() + "\t" + (out / "page(Mendwell).xls").string(),
        "Saved\t" + (Dir() / "second.xls").string() + "\t" +
            (out / "second(Mendwell).xls").string(),
    };
    EXPECT_EQ(result.Lines(), lines);
    // A job with a failed file is not a success, and the failed file's
    // outcome line says why.
    EXPECT_FALSE(Contains(result.err, "successfully")) << result.err;
    // The sample is damaged: its saves are counted as saved with losses.
    EXPECT_TRUE(Contains(result.err, "2 files saved with losses; 1 failed.")) << result.err;
    EXPECT_TRUE(Contains(result.err, "mendwell-cli: " + Junk().string() +
                                         ": failed: This file is a web page (HTML)"))
        << result.err;
    EXPECT_TRUE(Contains(result.err, "mendwell-cli: " + Sample().string() + ": partial: "))
        << result.err;
    EXPECT_EQ(Cells(out / "second(Mendwell).xls"), Cells(Sample()));
    EXPECT_FALSE(std::filesystem::exists(out / "page(Mendwell).xls"));
}

TEST_F(BatchCommand, EveryFileSavedIsSuccess) {
    const auto out = Dir() / "out";
    const auto result = Run({"batch", "--dest=" + out.string(), "--no-merged", Sample().string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.Lines().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_regular_file(out / "damaged(Mendwell).xls"));
}

TEST_F(BatchCommand, NothingRepairableAtAll) {
    const auto result = Run({"batch", "--dest", (Dir() / "out").string(), Junk().string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.Lines().size(), 1u);
    EXPECT_TRUE(result.out.starts_with("Skipped\t")) << result.out;
}

TEST_F(BatchCommand, TheSameNameTwiceGetsACounter) {
    std::filesystem::create_directory(Dir() / "other");
    std::filesystem::copy_file(Sample(), Dir() / "other" / "damaged.xls");
    const auto out = Dir() / "out";
    const auto result = Run({"batch", "--dest", out.string(), Sample().string(),
                             (Dir() / "other" / "damaged.xls").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(out / "damaged(Mendwell).xls"));
    EXPECT_TRUE(std::filesystem::is_regular_file(out / "damaged(Mendwell)_0.xls"));
}

// Several jobs print, save and end as one job does: the same lines in the
// same order, the same names (the two "damaged.xls" among them), the same
// bytes saved and the same exit status.
TEST_F(BatchCommand, ManyJobsGiveWhatOneJobGives) {
    std::filesystem::create_directory(Dir() / "other");
    std::filesystem::copy_file(Sample(), Dir() / "other" / "damaged.xls");
    std::filesystem::copy_file(Sample(), Dir() / "third.xls");
    const std::vector<std::string> sources = {Sample().string(), Junk().string(),
                                              (Dir() / "other" / "damaged.xls").string(),
                                              (Dir() / "third.xls").string()};
    std::string printed[2];
    int status[2] = {};
    for (int run = 0; run < 2; ++run) {
        const auto out = Dir() / ("out" + std::to_string(run));
        std::vector<std::string> args = {"batch", "--dest", out.string(),
                                         run == 0 ? "--jobs=1" : "--jobs=3"};
        args.insert(args.end(), sources.begin(), sources.end());
        const auto result = Run(args);
        status[run] = result.status;
        printed[run] = result.out + result.err;
        for (auto at = printed[run].find(out.string()); at != std::string::npos;
             at = printed[run].find(out.string()))
            printed[run].replace(at, out.string().size(), "OUT");
    }
    EXPECT_EQ(status[0], 1);
    EXPECT_EQ(status[1], status[0]);
    EXPECT_EQ(printed[1], printed[0]);
    for (const char* name :
         {"damaged(Mendwell).xls", "damaged(Mendwell)_0.xls", "third(Mendwell).xls"}) {
        EXPECT_EQ(clitest::ReadText(Dir() / "out1" / name),
                  clitest::ReadText(Dir() / "out0" / name))
            << name;
        EXPECT_FALSE(clitest::ReadText(Dir() / "out1" / name).empty()) << name;
    }
}

}  // namespace
