#include "server/tests/support/XlrdReadBack.h"

#include <cstdio>
#include <sstream>

namespace servertest {

namespace {

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

}  // namespace

bool RunCommand(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    return pclose(pipe) == 0;
}

std::optional<std::string> XlrdPython() {
    // Debian's python3-xlrd goes with the system interpreter, which another
    // python3 earlier on the PATH may hide.
    static const std::optional<std::string> found = []() -> std::optional<std::string> {
        for (const char* candidate : {"/usr/bin/python3", "python3"}) {
            std::string ignored;
            if (RunCommand(std::string(candidate) + " -c 'import xlrd' 2>/dev/null", ignored)) {
                return std::string(candidate);
            }
        }
        return std::nullopt;
    }();
    return found;
}

XlrdDump RunXlrd(const std::filesystem::path& file, bool summary) {
    XlrdDump dump;
    const auto python = XlrdPython();
    if (!python) return dump;
    const std::string script = std::string(MENDWELL_SERVER_TEST_DIR) + "/xlrd_dump.py";
    const std::string command = "PYTHONIOENCODING=utf-8 " + *python + " " + ShellQuote(script) +
                                (summary ? " --summary " : " ") + ShellQuote(file.string()) +
                                " 2>&1";
    dump.m_ran = RunCommand(command, dump.m_output);
    std::istringstream lines(dump.m_output);
    for (std::string line; std::getline(lines, line);) {
        DumpLine fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos;
             start = tab + 1) {
            fields.push_back(line.substr(start, tab - start));
        }
        fields.push_back(line.substr(start));
        dump.m_lines.push_back(std::move(fields));
    }
    return dump;
}

namespace {

std::string JoinFields(const DumpLine& line, std::size_t k) {
    std::string joined;
    for (std::size_t i = 0; i < k; ++i) joined.append(line[i]).push_back('\t');
    return joined;
}

}  // namespace

DumpLine XlrdDump::Find(std::initializer_list<std::string> key) const {
    const std::size_t k = key.size();
    auto [index, fresh] = m_index.try_emplace(k);
    if (fresh) {
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].size() >= k) index->second.try_emplace(JoinFields(m_lines[i], k), i);
        }
    }
    const auto it = index->second.find(JoinFields(DumpLine(key), k));
    if (it == index->second.end()) return {};
    const DumpLine& line = m_lines[it->second];
    return DumpLine(line.begin() + static_cast<std::ptrdiff_t>(k), line.end());
}

std::vector<DumpLine> XlrdDump::All(const std::string& kind) const {
    std::vector<DumpLine> found;
    for (const DumpLine& line : m_lines) {
        if (!line.empty() && line[0] == kind) found.push_back(line);
    }
    return found;
}

std::string JsonQuote(std::u16string_view text) {
    std::string quoted = "\"";
    char escaped[8];
    for (char16_t c : text) {
        switch (c) {
            case u'"':
                quoted += "\\\"";
                break;
            case u'\\':
                quoted += "\\\\";
                break;
            case u'\n':
                quoted += "\\n";
                break;
            case u'\r':
                quoted += "\\r";
                break;
            case u'\t':
                quoted += "\\t";
                break;
            case u'\b':
                quoted += "\\b";
                break;
            case u'\f':
                quoted += "\\f";
                break;
            default:
                if (c < 0x20 || c >= 0x80) {
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    quoted += escaped;
                } else {
                    quoted += static_cast<char>(c);
                }
        }
    }
    return quoted + "\"";
}

}  // namespace servertest
