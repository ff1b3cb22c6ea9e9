// numfmt-render: renders numbers with spreadsheet format codes, one line at
// a time, for diagnosis and for scoring the engine against the program.
//
// Input, UTF-8, one case per line: the format code as written (a backslash
// is a backslash), a TAB, the value ("12.345", "1e-05", "-3"). Output: the
// engine's text for each line, in order, one line each, flushed at once so
// a driver can feed the program line by line. A line without a TAB or with
// a value that is not a number prints an empty line.
//
// --escaped: the code and the output use the escapes of the test vectors
// ("\\" for a backslash, "\t", "\n", "\r"), so any text can travel.
#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>

#include "format/CNumberFormat.h"
#include "platform/TextConversion.h"

namespace {

std::string Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char next = text[++i];
        switch (next) {
            case '\\':
                out.push_back('\\');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            default:
                out.push_back('\\');
                out.push_back(next);
                break;
        }
    }
    return out;
}

std::string Escape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out.push_back(c);
                break;
        }
    }
    return out;
}

bool ParseValue(std::string_view text, double& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '+')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
    if (text.empty()) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::string RenderLine(const std::string& line, bool escaped) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) return {};
    double value = 0.0;
    if (!ParseValue(std::string_view(line).substr(tab + 1), value)) return {};
    const std::string code = escaped ? Unescape(line.substr(0, tab)) : line.substr(0, tab);
    const std::string text = ToUtf8(FormatNumber(FromUtf8(code), value));
    return escaped ? Escape(text) : text;
}

}  // namespace

int main(int argc, char** argv) {
    bool escaped = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--escaped") {
            escaped = true;
        } else if (arg == "--help" || arg == "-h") {
            std::printf(
                "usage: numfmt-render [--escaped]\n"
                "Reads lines \"format code<TAB>value\" (UTF-8) on standard input and prints\n"
                "the rendered text of each, one line each, in order.\n"
                "  --escaped  code and output use \\\\ \\t \\n \\r escapes\n");
            return 0;
        } else {
            std::fprintf(stderr, "numfmt-render: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::cout << RenderLine(line, escaped) << '\n' << std::flush;
    }
    return 0;
}
