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

    // True when this process can create files in a folder whose write bits
    // are all clear (root can), where an unwritable destination cannot be
    // made.
    static bool WritesIgnorePermissions(const std::filesystem::path& folder) {
        const std::filesystem::path probe = folder / "probe";
        if (std::FILE* file = std::fopen(probe.c_str(), "wb")) {
            std::fclose(file);
            std::filesystem::remove(probe);
            return true;
        }
        return false;
    }

private:
    testsupport::ScopedTempDir m_temp;
    testsupport::ScopedEnv m_config;
};

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace clitest
