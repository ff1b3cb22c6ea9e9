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

}  // namespace
