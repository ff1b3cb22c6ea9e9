#include "biff/CFileIO.h"

#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <system_error>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenFile(const std::filesystem::path& path, const char* mode) {
    return FilePtr(std::fopen(path.c_str(), mode));
}

// Block size of every copy: the bytes come out in the same order as a
// byte-by-byte copy would give them.
constexpr std::size_t kBlock = 64 * 1024;

std::uint64_t StreamLength(std::FILE* file) {
    struct stat info {};
    if (!file || ::fstat(fileno(file), &info) != 0 || info.st_size < 0) return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

// Copies src[from, to) to dst's current position, stopping at src's end.
// Returns true when every byte asked for was copied.
bool CopyBytes(std::FILE* src, std::FILE* dst, std::uint64_t from, std::uint64_t to, bool widen) {
    const std::uint64_t length = StreamLength(src);
    const std::uint64_t stop = std::min(to, length);
    if (from >= stop) return from >= to;
    if (::fseeko(src, static_cast<off_t>(from), SEEK_SET) != 0) return false;
    std::vector<std::uint8_t> in(
        static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, stop - from)));
    std::vector<std::uint8_t> wide(widen ? 2 * in.size() : 0);
    for (std::uint64_t at = from; at < stop;) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(in.size(), stop - at));
        const std::size_t got = std::fread(in.data(), 1, want, src);
        if (got == 0) return false;
        if (widen) {
            for (std::size_t i = 0; i < got; ++i) {
                wide[2 * i] = in[i];
                wide[2 * i + 1] = 0;
            }
            if (std::fwrite(wide.data(), 1, 2 * got, dst) != 2 * got) return false;
        } else if (std::fwrite(in.data(), 1, got, dst) != got) {
            return false;
        }
        at += got;
    }
    return stop == to;
}

bool CopyStream(std::FILE* src, std::FILE* dst) {
    std::vector<std::uint8_t> block(kBlock);
    for (;;) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), src);
        if (got > 0 && std::fwrite(block.data(), 1, got, dst) != got) return false;
        if (got < block.size()) return std::ferror(src) == 0;
    }
}

bool WriteU16(std::FILE* dst, std::uint32_t value) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value & 0xFF),
                                   static_cast<std::uint8_t>((value >> 8) & 0xFF)};
    return std::fwrite(bytes, 1, 2, dst) == 2;
}

// Writes the rebuilt table from src to dst; see RebuildStringFile.
bool WriteRebuiltTable(std::FILE* src, std::FILE* dst, const StringSegment* segments,
                       std::uint32_t count) {
    const std::uint64_t length = StreamLength(src);
    std::uint64_t q = 0;
    for (std::uint32_t i = 0; i < count && q < length; ++i) {
        const StringSegment& segment = segments[i];
        if (segment.start > length) break;
        if (q < segment.start) {
            // The segment begins a string: everything up to its count field
            // (the table header, or the previous string's runs and extension
            // block) goes over unchanged, then the true character count.
            const std::uint32_t countWidth = segment.headerCut ? 1 : 2;
            const std::uint64_t countEnd = std::uint64_t{segment.countOffset} + countWidth;
            if (segment.countOffset >= q && countEnd <= segment.start) {
                const std::uint32_t characters = segment.wide ? segment.length / 2 : segment.length;
                if (!CopyBytes(src, dst, q, segment.countOffset, false) ||
                    !WriteU16(dst, characters) ||
                    !CopyBytes(src, dst, countEnd, segment.start, false))
                    return false;
            } else {
                // A count field that does not sit inside this gap cannot be
                // rewritten; the gap is kept as it is.
                if (!CopyBytes(src, dst, q, segment.start, false)) return false;
            }
            q = segment.start;
        }
        // A segment ends where the next one begins (the bytes in between
        // were a CONTINUE's data of a different width).
        std::uint64_t end = std::uint64_t{segment.start} + segment.length;
        if (i + 1 < count && segments[i + 1].start != 0 && segments[i + 1].start < end)
            end = segments[i + 1].start;
        end = std::min(end, length);
        if (end > q && !CopyBytes(src, dst, q, end, segment.wide == 0)) return false;
        q = std::max(q, end);
    }
    return CopyBytes(src, dst, q, length, false);
}

}  // namespace

bool CFileIO::WriteNewFile(const std::uint8_t* bytes, const std::filesystem::path& path,
                           std::uint32_t n) {
    FilePtr file = OpenFile(path, "wb");
    if (!file) return false;
    if (n > 0 && (!bytes || std::fwrite(bytes, 1, n, file.get()) != n)) return false;
    return std::fclose(file.release()) == 0;
}

bool CFileIO::CopyWholeFile(const std::filesystem::path& src, const std::filesystem::path& dst) {
    FilePtr in = OpenFile(src, "rb");
    if (!in) return false;
    FilePtr out = OpenFile(dst, "wb");
    if (!out) return false;
    if (!CopyStream(in.get(), out.get())) return false;
    return std::fclose(out.release()) == 0;
}

bool CFileIO::AppendWholeFile(const std::filesystem::path& src, const std::filesystem::path& dst) {
    FilePtr in = OpenFile(src, "rb");
    if (!in) return false;
    // "r+b" rather than "ab": dst must exist already.
    FilePtr out = OpenFile(dst, "r+b");
    if (!out || std::fseek(out.get(), 0, SEEK_END) != 0) return false;
    if (!CopyStream(in.get(), out.get())) return false;
    return std::fclose(out.release()) == 0;
}

bool CFileIO::AppendBytes(const std::uint8_t* bytes, std::uint32_t n,
                          const std::filesystem::path& dst) {
    FilePtr out = OpenFile(dst, "r+b");
    if (!out || std::fseek(out.get(), 0, SEEK_END) != 0) return false;
    if (n > 0 && (!bytes || std::fwrite(bytes, 1, n, out.get()) != n)) return false;
    return std::fclose(out.release()) == 0;
}

bool CFileIO::ReadWholeFile(std::vector<std::uint8_t>& out, const std::filesystem::path& path) {
    out.clear();
    FilePtr in = OpenFile(path, "rb");
    if (!in) return false;
    const std::uint64_t length = StreamLength(in.get());
    if (length == 0 || length > out.max_size()) return false;
    out.resize(static_cast<std::size_t>(length));
    if (std::fread(out.data(), 1, out.size(), in.get()) != out.size()) {
        out.clear();
        return false;
    }
    return true;
}

bool CFileIO::ReadFileRange(std::uint8_t* buf, const std::filesystem::path& path, std::uint32_t n,
                            std::uint64_t offset) {
    FilePtr in = OpenFile(path, "rb");
    if (!in) return false;
    if (offset + n > StreamLength(in.get())) return false;
    if (n == 0) return true;
    if (!buf || ::fseeko(in.get(), static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    return std::fread(buf, 1, n, in.get()) == n;
}

std::uint64_t CFileIO::GetFileLength(const std::filesystem::path& path) {
    FilePtr in = OpenFile(path, "rb");
    return in ? StreamLength(in.get()) : 0;
}

bool CFileIO::DeleteFileByName(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::remove(path, ec);
}

bool CFileIO::CopyRange(std::FILE* src, std::FILE* dst, std::uint64_t from, std::uint64_t to) {
    if (!src || !dst || from >= to) return false;
    return CopyBytes(src, dst, from, to, false);
}

bool CFileIO::CopyRangeWidened(std::FILE* src, std::FILE* dst, std::uint64_t from,
                               std::uint64_t to) {
    if (!src || !dst) return false;
    CopyBytes(src, dst, from, to, true);  // bytes at or past src's end are simply not there
    return true;
}

bool CFileIO::RebuildStringFile(const std::filesystem::path& path, const StringSegment* segments,
                                std::uint32_t count) {
    if (count > 0 && !segments) return false;
    std::filesystem::path sibling = path;
    sibling += "Temp";
    bool written = false;
    {
        FilePtr in = OpenFile(path, "rb");
        if (!in) return false;
        FilePtr out = OpenFile(sibling, "wb");
        if (!out) return false;
        written = WriteRebuiltTable(in.get(), out.get(), segments, count);
        written = std::fclose(out.release()) == 0 && written;
    }
    const bool replaced = written && CopyWholeFile(sibling, path);
    DeleteFileByName(sibling);
    return replaced;
}
