// What the command-line tool shows while it repairs and saves: a progress
// line on standard error, redrawn in place and only when standard error is
// a terminal; one result line per file on standard output, with its
// outcome line on standard error; and the messages of the message sink on
// standard error. The three may come from
// different threads (the job worker prints result lines and messages while
// the main thread redraws the progress line), so each call is whole and a
// result or a message first clears a progress line left on the screen.
//
// While a console lives it is the message sink's handler; the previous
// handler comes back when it goes. One console at a time.
#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/MessageSink.h"

class CCliConsole {
public:
    CCliConsole();
    CCliConsole(const CCliConsole&) = delete;
    CCliConsole& operator=(const CCliConsole&) = delete;
    ~CCliConsole();

    // True when standard error is a terminal.
    bool ShowsProgress() const { return m_showProgress; }
    // Replaces the progress line (UTF-8, no line break); nothing when
    // standard error is not a terminal.
    void ShowProgress(const std::string& line);
    // Removes the progress line from the screen.
    void ClearProgress();

    // "STATUS<TAB>SOURCE<TAB>DESTINATION" on standard output, flushed at
    // once; status is "Saved" or "Skipped".
    void PrintResult(std::u16string_view status, const std::filesystem::path& source,
                     const std::filesystem::path& destination);

    // "mendwell-cli: SOURCE: OUTCOME" on standard error, with ": REASON"
    // after it when reason is not empty; outcome is "saved", "failed", ...
    void PrintOutcome(const std::filesystem::path& source, std::u16string_view outcome,
                      std::u16string_view reason);

    // Another process's standard output and standard error, as they are,
    // each onto its own stream.
    void Relay(const std::string& out, const std::string& err);

private:
    void ClearLocked();
    void Message(std::u16string_view text);

    const bool m_showProgress;
    std::mutex m_mutex;
    bool m_lineShown = false;
    MessageHandler m_previous;
};
