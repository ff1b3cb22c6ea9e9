#include "server/CXlsVirtualPath.h"

#include "server/CXlsSheetName.h"

namespace {

constexpr char16_t kEncoded = 0x01;
constexpr char16_t kVolume = 0x01;
constexpr char16_t kUncVolume = u'@';
constexpr char16_t kSameVolume = 0x02;
constexpr char16_t kDownDirectory = 0x03;
constexpr char16_t kUpDirectory = 0x04;
constexpr char16_t kUrl = 0x05;

constexpr std::u16string_view kUrlSchemes[] = {u"http://", u"https://", u"ftp://"};

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           CXlsSheetName::SameName(text.substr(0, prefix.size()), prefix);
}

bool IsLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The directories and file of a path below its volume: each ".." part as
// the parent-directory code, every other separator as the separator code.
void AppendParts(std::u16string_view rest, std::u16string& out) {
    while (!rest.empty()) {
        const std::size_t end = rest.find(u'\\');
        const std::u16string_view part = rest.substr(0, end);
        const bool last = end == std::u16string_view::npos;
        if (part == u".." && !last) {
            out.push_back(kUpDirectory);
        } else {
            out += part;
            if (!last) out.push_back(kDownDirectory);
        }
        rest = last ? std::u16string_view() : rest.substr(end + 1);
    }
}

}  // namespace

std::optional<std::u16string> CXlsVirtualPath::Encode(std::u16string_view path) {
    if (path.empty()) return std::nullopt;
    for (char16_t c : path) {
        if (c < 0x20) return std::nullopt;
    }
    std::u16string out(1, kEncoded);
    for (std::u16string_view scheme : kUrlSchemes) {
        if (!StartsWithIgnoringCase(path, scheme)) continue;
        if (path.size() > kMaxUrlLength) return std::nullopt;
        out.push_back(kUrl);
        out.push_back(static_cast<char16_t>(path.size()));
        out += path;
        return out;
    }
    if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') {
        out.push_back(kVolume);
        out.push_back(kUncVolume);
        AppendParts(path.substr(2), out);
    } else if (path.size() >= 2 && IsLetter(path[0]) && path[1] == u':') {
        out.push_back(kVolume);
        out.push_back(path[0]);
        const std::size_t rest = (path.size() > 2 && path[2] == u'\\') ? 3 : 2;
        AppendParts(path.substr(rest), out);
    } else if (path[0] == u'\\') {
        out.push_back(kSameVolume);
        AppendParts(path.substr(1), out);
    } else {
        AppendParts(path, out);
    }
    return out;
}
