// Locates the real-file fixtures (corpus, number-format vectors) that live
// beside the repository, not in it. MENDWELL_SHARED_DIR in the environment
// overrides the folder fixed at configure time.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace testsupport {

// The folder the fixtures are looked for in (empty when none is set).
inline std::filesystem::path SharedDirLookedFor() {
    if (const char* env = std::getenv("MENDWELL_SHARED_DIR"); env && *env) return env;
#ifdef MENDWELL_SHARED_DIR
    return MENDWELL_SHARED_DIR;
#else
    return {};
#endif
}

// That folder, when it holds a corpus folder.
inline std::optional<std::filesystem::path> SharedDir() {
    const std::filesystem::path dir = SharedDirLookedFor();
    std::error_code ec;
    if (dir.empty() || !std::filesystem::is_directory(dir / "corpus", ec)) return std::nullopt;
    return dir;
}

}  // namespace testsupport

// Skips the current test, naming the folder it looked for, when the fixtures
// are missing (a fresh clone has none; CI has them).
#define MENDWELL_REQUIRE_SHARED(dirVar)                                           \
    auto dirVar##Opt = ::testsupport::SharedDir();                                \
    if (!dirVar##Opt)                                                             \
        GTEST_SKIP() << "no corpus fixtures at "                                  \
                     << (::testsupport::SharedDirLookedFor() / "corpus").string() \
                     << " (set MENDWELL_SHARED_DIR): skipping";                   \
    const std::filesystem::path dirVar = *dirVar##Opt
