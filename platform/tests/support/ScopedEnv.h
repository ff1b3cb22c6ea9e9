// An environment variable set (or unset) for one scope and put back as it
// was at the end of it, for tests of code that reads TMPDIR, HOME or
// XDG_CONFIG_HOME.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>
#include <utility>

namespace testsupport {

class ScopedEnv {
public:
    // A value of none unsets the variable.
    ScopedEnv(std::string name, const std::optional<std::string>& value) : m_name(std::move(name)) {
        if (const char* old = ::getenv(m_name.c_str())) m_old = old;
        if (value) ::setenv(m_name.c_str(), value->c_str(), 1);
        else ::unsetenv(m_name.c_str());
    }
    ~ScopedEnv() {
        if (m_old) ::setenv(m_name.c_str(), m_old->c_str(), 1);
        else ::unsetenv(m_name.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

}  // namespace testsupport
