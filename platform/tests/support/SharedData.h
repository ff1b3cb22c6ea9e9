// Locates the real-file fixtures (corpus, number-format vectors) that live
// beside the repository, not in it. MENDWELL_SHARED_DIR in the environment
// overrides the folder fixed at configure time.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace testsupport {

inline std::optional<std::filesystem::path> SharedDir() {
    std::filesystem::path dir;
    if (const char* env = std::getenv("MENDWELL_SHARED_DIR"); env && *env) dir = env;
#ifdef MENDWELL_SHARED_DIR
    else dir = MENDWELL_SHARED_DIR;
#endif
    std::error_code ec;
    if (dir.empty() || !std::filesystem::is_directory(dir / "corpus", ec)) return std::nullopt;
    return dir;
}

}  // namespace testsupport

// Skips the current test when the fixtures are missing (a user's clone has
// none; CI has them).
#define MENDWELL_REQUIRE_SHARED(dirVar)                                                   \
    auto dirVar##Opt = ::testsupport::SharedDir();                                        \
    if (!dirVar##Opt) GTEST_SKIP() << "../shared (corpus fixtures) not found; skipping"; \
    const std::filesystem::path dirVar = *dirVar##Opt
