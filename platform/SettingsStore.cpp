#include "platform/SettingsStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/ApplicationFolder.h"
#include "platform/TextConversion.h"

namespace {

struct SettingInfo {
    ESetting setting;
    std::string_view key;
    std::u16string (*makeDefault)();
};

const std::array<SettingInfo, 4> kSettings = {{
    {ESetting::StartUp, "StartUp", [] { return std::u16string(u"S"); }},
    {ESetting::RecLocation, "RecLocation",
     [] { return TextFromPath(ApplicationFolder()) + u"Recovered/"; }},
    {ESetting::Suffix, "Suffix", [] { return std::u16string(u"(Mendwell)"); }},
    {ESetting::WindowPlace, "WindowPlace", [] { return std::u16string(); }},
}};

const SettingInfo& InfoOf(ESetting setting) {
    for (const SettingInfo& info : kSettings)
        if (info.setting == setting) return info;
    return kSettings[0];
}

constexpr std::string_view kFileName = "settings.ini";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Four values of at most 127 characters need a few hundred bytes; anything
// beyond this is damage and is not read.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

// One line of the file: its text and the line end that followed it ("\n",
// "\r\n", "\r", or empty for a last line without one).
struct Line {
    std::string text;
    std::string ending;
};

struct FileText {
    bool bom = false;
    std::vector<Line> lines;
};

// Regular files only: a FIFO or device put in the file's place would block
// or never end.
std::optional<std::string> ReadBounded(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(kMaxFileBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

FileText SplitLines(std::string_view bytes) {
    FileText file;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        file.bom = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", i);
        if (end == std::string_view::npos) end = bytes.size();
        Line line{std::string(bytes.substr(i, end - i)), {}};
        std::size_t next = end;
        if (end < bytes.size()) {
            // CR LF from Windows editors, a lone CR from old Mac ones.
            next = bytes.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
            line.ending = std::string(bytes.substr(end, next - end));
        }
        file.lines.push_back(std::move(line));
        i = next;
    }
    return file;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// The value of a "key = value" line for the given key, or none when the
// line is a comment, has no "=", or names another key.
std::optional<std::string_view> ValueFor(std::string_view line, std::string_view key) {
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) ++start;
    if (start == line.size() || line[start] == '#' || line[start] == ';') return std::nullopt;
    const std::size_t eq = line.find('=', start);
    if (eq == std::string_view::npos) return std::nullopt;
    std::size_t keyEnd = eq;
    while (keyEnd > start && IsBlank(line[keyEnd - 1])) --keyEnd;
    if (!SameKey(line.substr(start, keyEnd - start), key)) return std::nullopt;
    return line.substr(eq + 1);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes the bytes to a new file beside target and renames it over target.
// The new file takes the old one's permission bits when there was one.
bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes) {
    static std::atomic<unsigned> serial{0};
    std::filesystem::path temp = target;
    temp += ".tmp." + std::to_string(::getpid()) + "." + std::to_string(++serial);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

// Read-modify-write of the file is one step within this process.
std::mutex& WriteMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

SettingsStore::SettingsStore() : m_folder(DefaultFolder()) {}

SettingsStore::SettingsStore(std::filesystem::path folder) : m_folder(std::move(folder)) {}

std::filesystem::path SettingsStore::DefaultFolder() {
    // A relative XDG_CONFIG_HOME is invalid by the XDG rules and is ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        return std::filesystem::path(xdg) / "MendwellExcel";
    std::filesystem::path home;
    if (const char* env = std::getenv("HOME"); env && *env) {
        home = env;
    } else {
        std::vector<char> buffer(16 * 1024);
        struct passwd entry {};
        struct passwd* found = nullptr;
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
            found->pw_dir && *found->pw_dir)
            home = found->pw_dir;
    }
    if (home.empty()) return {};
    return home / ".config" / "MendwellExcel";
}

std::filesystem::path SettingsStore::GetFilePath() const {
    return m_folder.empty() ? std::filesystem::path() : m_folder / kFileName;
}

std::string_view SettingsStore::KeyName(ESetting setting) { return InfoOf(setting).key; }

std::u16string SettingsStore::DefaultValue(ESetting setting) {
    return InfoOf(setting).makeDefault();
}

std::u16string SettingsStore::Read(ESetting setting) const {
    if (m_folder.empty()) return DefaultValue(setting);
    const std::optional<std::string> bytes = ReadBounded(GetFilePath());
    if (!bytes) return DefaultValue(setting);
    std::optional<std::string_view> found;
    const FileText file = SplitLines(*bytes);
    for (const Line& line : file.lines)
        if (auto value = ValueFor(line.text, KeyName(setting))) found = value;
    if (!found) return DefaultValue(setting);
    std::string_view raw = *found;
    raw = raw.substr(0, raw.find('\0'));
    std::u16string value = FromUtf8(raw);
    if (value.empty() || value.size() > kMaxValueLength) return DefaultValue(setting);
    return value;
}

bool SettingsStore::Write(ESetting setting, std::u16string_view value) const {
    if (m_folder.empty() || value.find_first_of(u"\r\n") != std::u16string_view::npos ||
        value.find(u'\0') != std::u16string_view::npos)
        return false;
    std::lock_guard lock(WriteMutex());
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    if (!std::filesystem::is_directory(m_folder, ec)) return false;

    // A settings file kept as a link elsewhere (a dotfiles folder) stays a
    // link: the file it points to is the one replaced.
    std::filesystem::path target = GetFilePath();
    if (std::filesystem::is_symlink(target, ec)) {
        std::filesystem::path resolved = std::filesystem::canonical(target, ec);
        if (!ec) target = resolved;
    }
    FileText file;
    if (std::filesystem::exists(target, ec)) {
        // A file that is there but cannot be read would be lost by a rewrite.
        const std::optional<std::string> bytes = ReadBounded(target);
        if (!bytes) return false;
        file = SplitLines(*bytes);
    }

    const std::string_view key = KeyName(setting);
    const std::string text = std::string(key) + "=" + ToUtf8(value);
    std::string eol = "\n";
    for (const Line& line : file.lines)
        if (!line.ending.empty()) {
            eol = line.ending;
            break;
        }
    bool written = false;
    std::vector<Line> kept;
    kept.reserve(file.lines.size() + 1);
    for (Line& line : file.lines) {
        if (!ValueFor(line.text, key)) {
            kept.push_back(std::move(line));
        } else if (!written) {
            kept.push_back({text, line.ending.empty() ? eol : line.ending});
            written = true;
        }
    }
    if (!written) {
        if (!kept.empty() && kept.back().ending.empty()) kept.back().ending = eol;
        kept.push_back({text, eol});
    }

    std::string out = file.bom ? std::string(kUtf8Bom) : std::string();
    for (const Line& line : kept) out += line.text + line.ending;
    return ReplaceFile(target, out);
}
