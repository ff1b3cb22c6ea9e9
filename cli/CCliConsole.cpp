#include "cli/CCliConsole.h"

#include <unistd.h>

#include <cstdio>

#include "platform/TextConversion.h"

CCliConsole::CCliConsole() : m_showProgress(isatty(fileno(stderr)) != 0) {
    m_previous = SetMessageHandler([this](std::u16string_view text) { Message(text); });
}

CCliConsole::~CCliConsole() {
    SetMessageHandler(std::move(m_previous));
    std::lock_guard lock(m_mutex);
    ClearLocked();
}

void CCliConsole::ShowProgress(const std::string& line) {
    if (!m_showProgress) return;
    std::lock_guard lock(m_mutex);
    // "\x1b[K" erases what a longer earlier line left to the right.
    std::fprintf(stderr, "\r%s\x1b[K", line.c_str());
    std::fflush(stderr);
    m_lineShown = true;
}

void CCliConsole::ClearProgress() {
    std::lock_guard lock(m_mutex);
    ClearLocked();
}

void CCliConsole::ClearLocked() {
    if (!m_lineShown) return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    m_lineShown = false;
}

void CCliConsole::PrintResult(std::u16string_view status, const std::filesystem::path& source,
                              const std::filesystem::path& destination) {
    std::lock_guard lock(m_mutex);
    ClearLocked();
    std::printf("%s\t%s\t%s\n", ToUtf8(status).c_str(), source.c_str(), destination.c_str());
    std::fflush(stdout);
}

void CCliConsole::PrintOutcome(const std::filesystem::path& source, std::u16string_view outcome,
                               std::u16string_view reason) {
    std::lock_guard lock(m_mutex);
    ClearLocked();
    std::fprintf(stderr, "mendwell-cli: %s: %s%s%s\n", source.c_str(), ToUtf8(outcome).c_str(),
                 reason.empty() ? "" : ": ", ToUtf8(reason).c_str());
    std::fflush(stderr);
}

void CCliConsole::Relay(const std::string& out, const std::string& err) {
    std::lock_guard lock(m_mutex);
    ClearLocked();
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    std::fflush(stderr);
}

void CCliConsole::Message(std::u16string_view text) {
    std::lock_guard lock(m_mutex);
    ClearLocked();
    StderrMessageHandler(text);
}
