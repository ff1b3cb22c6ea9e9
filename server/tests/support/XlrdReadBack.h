// Runs the independent reader (python3 with xlrd, through xlrd_dump.py) on a
// written file and holds what it printed, line by line, split at tabs.
// Texts in the dump are JSON-quoted with ASCII escapes; JsonQuote gives the
// same form for a text of ours.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace servertest {

using DumpLine = std::vector<std::string>;

class XlrdDump {
public:
    bool Ran() const { return m_ran; }
    const std::string& Output() const { return m_output; }
    const std::vector<DumpLine>& Lines() const { return m_lines; }

    // The fields after `key` of the first line that starts with the fields
    // of `key`; empty when there is none.
    DumpLine Find(std::initializer_list<std::string> key) const;
    // Every line whose first field is `kind`.
    std::vector<DumpLine> All(const std::string& kind) const;

private:
    friend XlrdDump RunXlrd(const std::filesystem::path& file, bool summary);
    bool m_ran = false;
    std::string m_output;
    std::vector<DumpLine> m_lines;
    // Per key length: the first k fields, joined, to the first line that has
    // them (built on first use; dumps run to hundreds of thousands of lines).
    mutable std::map<std::size_t, std::unordered_map<std::string, std::size_t>> m_index;
};

// A python interpreter that can import xlrd, or nothing.
std::optional<std::string> XlrdPython();
// Dumps the file (every cell, or with `summary` only per-sheet figures).
XlrdDump RunXlrd(const std::filesystem::path& file, bool summary = false);
// The text as Python's json.dumps(text, ensure_ascii=True) prints it.
std::string JsonQuote(std::u16string_view text);
// Runs a shell command; its standard output, and whether it exited with 0.
bool RunCommand(const std::string& command, std::string& output);

}  // namespace servertest

// Skips the current test when no python3 with xlrd is installed.
#define MENDWELL_REQUIRE_XLRD()                                                      \
    if (!::servertest::XlrdPython())                                                 \
    GTEST_SKIP() << "python3-xlrd is not installed (apt-get install python3-xlrd); " \
                    "the read-back by an independent reader is skipped"
