// Whole-file and byte-range file operations: the spill files of joined
// records, and the rewriting of a shared-string table into 16-bit
// characters.
//
// CFileIO has no state; every operation names its files by path, except
// CopyRange and CopyRangeWidened, which work on files the caller holds open.
// Offsets count from the first byte of the file. Nothing throws: a file that
// cannot be opened, read or written gives false, and a read never takes
// bytes from beyond the end of a file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

// One stretch of a string's characters in a shared-string table file, as the
// table's normalisation finds it (a string cut by CONTINUE boundaries has one
// segment per piece). Offsets count from the first byte of the file.
struct StringSegment {
    // Offset of the string's character count field. Only read for a segment
    // that begins a string.
    std::uint32_t countOffset = 0;
    // Offset of the first character byte of this segment.
    std::uint32_t start = 0;
    // Byte length of the string's characters from this segment on, in this
    // segment's width (for the first segment, the whole string).
    std::uint32_t length = 0;
    // 1 when the characters of this segment are 16-bit.
    std::uint8_t wide = 0;
    // 1 when the string's header began exactly at a CONTINUE boundary: the
    // low byte of its count was removed with the CONTINUE's first byte, so
    // the count field in the file is 1 byte (the high byte) long.
    std::uint8_t headerCut = 0;
};

class CFileIO {
public:
    // Creates (or truncates) path and writes n bytes to it.
    static bool WriteNewFile(const std::uint8_t* bytes, const std::filesystem::path& path,
                             std::uint32_t n);

    // Creates (or truncates) dst and copies every byte of src into it.
    static bool CopyWholeFile(const std::filesystem::path& src, const std::filesystem::path& dst);

    // Appends every byte of src to the end of dst, which must already exist.
    static bool AppendWholeFile(const std::filesystem::path& src, const std::filesystem::path& dst);

    // Appends n bytes to the end of the existing file dst.
    static bool AppendBytes(const std::uint8_t* bytes, std::uint32_t n,
                            const std::filesystem::path& dst);

    // Empties out, then fills it with the whole file. False (out empty) when
    // the file cannot be opened or read, or is empty.
    static bool ReadWholeFile(std::vector<std::uint8_t>& out, const std::filesystem::path& path);

    // Reads n bytes at offset into buf. False, with nothing read, when the
    // file cannot be opened or offset + n passes its end.
    static bool ReadFileRange(std::uint8_t* buf, const std::filesystem::path& path, std::uint32_t n,
                              std::uint64_t offset);

    // Length of the file in bytes; 0 when it cannot be opened.
    static std::uint64_t GetFileLength(const std::filesystem::path& path);

    // Deletes the file; false when there was nothing to delete or it could
    // not be deleted.
    static bool DeleteFileByName(const std::filesystem::path& path);

    // Copies the bytes of src at offsets from .. to - 1, in order, to dst at
    // its current position. False when from >= to. Bytes past the end of src
    // do not exist and are not written (false when any were asked for).
    static bool CopyRange(std::FILE* src, std::FILE* dst, std::uint64_t from, std::uint64_t to);

    // Writes each byte of src at offsets from .. to - 1 that lies below
    // src's length, followed by a zero byte (an 8-bit character widened to
    // UTF-16LE), to dst at its current position.
    static bool CopyRangeWidened(std::FILE* src, std::FILE* dst, std::uint64_t from,
                                 std::uint64_t to);

    // Rewrites a shared-string table file so that every character is 16-bit.
    // Segments come in file order. For a segment that begins a string, the
    // string's count field is rewritten as the u16 character count (from a
    // 1-byte field when the header was cut) and the rest of its header is
    // copied; each segment's characters are copied as they are (16-bit) or
    // widened (8-bit), up to the next segment's start; everything else
    // (the table's header, runs, extension blocks, bytes after the last
    // string) is copied unchanged. The work goes through the sibling file
    // "<path>Temp", which replaces path and is gone afterwards.
    static bool RebuildStringFile(const std::filesystem::path& path, const StringSegment* segments,
                                  std::uint32_t count);
};
