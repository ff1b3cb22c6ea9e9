// Builds BIFF8 record streams in memory for tests: records from a type and a
// body, whole substreams, bodies split across CONTINUE records at chosen
// offsets, and byte mutations that damage what was built.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

using Bytes = std::vector<std::uint8_t>;

// Where a record body is cut into a CONTINUE record. With a flag, that byte
// is inserted as the CONTINUE's first byte (what Excel does when a string's
// characters cross the boundary: it repeats the string's option flags).
// Without one, the CONTINUE's first byte is simply the next byte of the body
// (what happens at any other boundary).
struct ContinueCut {
    std::uint32_t offset;  // in the body, counting from its first byte
    std::optional<std::uint8_t> flag;
};

class BiffWriter {
public:
    // A record whose length field is the body's length.
    BiffWriter& Record(std::uint16_t type, const Bytes& body);
    // A record that declares `declared` bytes but carries `body` (damage).
    BiffWriter& RecordWithLength(std::uint16_t type, std::uint16_t declared, const Bytes& body);
    // The body's bytes up to the first cut in a record of `type`, each
    // following stretch in a CONTINUE record (cuts in increasing order).
    BiffWriter& RecordWithContinues(std::uint16_t type, const Bytes& body,
                                    const std::vector<ContinueCut>& cuts);
    // A BIFF8 BOF (length 16) of the given substream type: 0x0005 globals,
    // 0x0010 worksheet, 0x0020 chart.
    BiffWriter& Bof(std::uint16_t substreamType);
    BiffWriter& Eof();
    // A BOUNDSHEET with an 8-bit or 16-bit name.
    BiffWriter& BoundSheet(std::uint32_t position, const std::u16string& name,
                           std::uint8_t sheetType = 0, std::uint8_t visibility = 0,
                           bool wide = false);
    // BOF, the records of `body`, EOF.
    BiffWriter& Substream(std::uint16_t substreamType, const BiffWriter& body);
    BiffWriter& Raw(const Bytes& bytes);
    BiffWriter& Fill(std::size_t n, std::uint8_t value);

    std::size_t Size() const { return m_bytes.size(); }
    const Bytes& GetBytes() const { return m_bytes; }
    Bytes& Mutable() { return m_bytes; }
    // Writes the bytes to path (creating or truncating it).
    bool WriteTo(const std::filesystem::path& path) const;

    // Pieces.
    static Bytes U16(std::uint16_t value);
    static Bytes U32(std::uint32_t value);
    static Bytes RecordBytes(std::uint16_t type, const Bytes& body);
    // A BIFF8 unicode string: count (1 byte in the short form, 2 in the
    // long), option flags, then the characters, 8-bit (each char16_t cut to
    // its low byte) or 16-bit.
    static Bytes UnicodeString(const std::u16string& text, bool wide, bool shortForm = false);
    static Bytes BofBody(std::uint16_t substreamType);

private:
    Bytes m_bytes;
};

// A whole workbook stream: the globals substream (BOF, globalsRecords, one
// BOUNDSHEET per sheet name, EOF), then per sheet a worksheet substream
// (BOF, sheetRecords, EOF). Each BOUNDSHEET holds its sheet's real BOF
// position in the stream, and its name in 8-bit characters unless one of
// them does not fit.
Bytes WorkbookStream(const BiffWriter& globalsRecords,
                     const std::vector<std::u16string>& sheetNames, const BiffWriter& sheetRecords);

// Byte mutations. Offsets past the end are ignored (Set*) or clamp (Truncate).
void SetU8(Bytes& bytes, std::size_t offset, std::uint8_t value);
void SetU16(Bytes& bytes, std::size_t offset, std::uint16_t value);
void SetU32(Bytes& bytes, std::size_t offset, std::uint32_t value);
void Truncate(Bytes& bytes, std::size_t n);
void Insert(Bytes& bytes, std::size_t offset, const Bytes& inserted);
Bytes Concat(const Bytes& a, const Bytes& b);

// The body of a NUMBER cell at (row, column 0, XF 15) holding value.
Bytes NumberCellBody(std::uint16_t row, double value);

// Writes bytes to path; true on success.
bool WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);
// The whole file, or empty when it cannot be read.
Bytes ReadFileBytes(const std::filesystem::path& path);

// A fresh, empty folder that TMPDIR points at while the object lives, so
// that every temporary file the code under test makes lands in it. The
// folder and what is left in it are removed at the end; TMPDIR is restored.
class ScopedTempDir {
public:
    ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;
    ~ScopedTempDir();

    const std::filesystem::path& Path() const { return m_path; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path m_path;
    std::optional<std::string> m_previous;
};

}  // namespace testsupport
