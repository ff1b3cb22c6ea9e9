// A scratch folder for the repair and batch command tests: temporary files
// of the tool land in it, the settings file is looked for in it (so that a
// user's own suffix setting cannot change the names), and it holds the
// project's damaged sample workbook and a file with nothing to repair.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "cli/tests/CliRun.h"
#include "platform/tests/support/ScopedEnv.h"
#include "tools/samples/SampleWorkbook.h"

namespace clitest {

class CliSaveTest : public ::testing::Test {
protected:
    CliSaveTest() : m_config("XDG_CONFIG_HOME", (m_temp.Path() / "config").string()) {}

    void SetUp() override {
        ASSERT_TRUE(testsupport::WriteFileBytes(Sample(), BuildDamagedSampleFile()));
        const std::string html = "<html><body><table><tr><td>1</td></tr></table></body></html>\n";
        ASSERT_TRUE(testsupport::WriteFileBytes(Junk(), {html.begin(), html.end()}));
    }

    const std::filesystem::path& Dir() const { return m_temp.Path(); }
    std::filesystem::path Sample() const { return Dir() / "damaged.xls"; }
    std::filesystem::path Junk() const { return Dir() / "page.xls"; }

    CliResult Run(const std::vector<std::string>& args) const { return RunCli(args, Dir()); }

    // The cells our own repair finds in path, as dump prints them.
    std::string Cells(const std::filesystem::path& path) const {
        return Run({"dump", path.string()}).out;
    }

    // Runs the tool as a user whom a folder's missing write bit stops: this
    // user, or, for root (who writes anywhere), nobody (uid and gid 65534),
    // who is given the scratch folder first. Status 126 or 127 when it could
    // not be started.
    CliResult RunUnprivileged(const std::vector<std::string>& args) const {
        if (::geteuid() != 0) return Run(args);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Dir()))
            if (::lchown(entry.path().c_str(), 65534, 65534) != 0) return {};
        if (::lchown(Dir().c_str(), 65534, 65534) != 0) return {};
        return RunCli(args, Dir(), "setpriv --reuid=65534 --regid=65534 --clear-groups ");
    }

private:
    testsupport::ScopedTempDir m_temp;
    testsupport::ScopedEnv m_config;
};

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace clitest
