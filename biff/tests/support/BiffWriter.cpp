#include "biff/tests/support/BiffWriter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace testsupport {

namespace {

constexpr std::uint16_t kContinue = 0x003C;

void PutU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

Bytes BiffWriter::U16(std::uint16_t value) {
    Bytes out;
    PutU16(out, value);
    return out;
}

Bytes BiffWriter::U32(std::uint32_t value) {
    Bytes out;
    PutU32(out, value);
    return out;
}

Bytes BiffWriter::RecordBytes(std::uint16_t type, const Bytes& body) {
    Bytes out;
    PutU16(out, type);
    PutU16(out, static_cast<std::uint16_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes BiffWriter::UnicodeString(const std::u16string& text, bool wide, bool shortForm) {
    Bytes out;
    if (shortForm)
        out.push_back(static_cast<std::uint8_t>(text.size()));
    else
        PutU16(out, static_cast<std::uint16_t>(text.size()));
    out.push_back(wide ? 0x01 : 0x00);
    for (char16_t c : text) {
        if (wide)
            PutU16(out, static_cast<std::uint16_t>(c));
        else
            out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    }
    return out;
}

Bytes BiffWriter::BofBody(std::uint16_t substreamType) {
    Bytes body;
    PutU16(body, 0x0600);  // BIFF8
    PutU16(body, substreamType);
    PutU16(body, 0x0DBB);      // build
    PutU16(body, 0x07CC);      // year
    PutU32(body, 0x000080C9);  // file history
    PutU32(body, 0x00000206);  // lowest version
    return body;
}

BiffWriter& BiffWriter::Record(std::uint16_t type, const Bytes& body) {
    return Raw(RecordBytes(type, body));
}

BiffWriter& BiffWriter::RecordWithLength(std::uint16_t type, std::uint16_t declared,
                                         const Bytes& body) {
    PutU16(m_bytes, type);
    PutU16(m_bytes, declared);
    return Raw(body);
}

BiffWriter& BiffWriter::RecordWithContinues(std::uint16_t type, const Bytes& body,
                                            const std::vector<ContinueCut>& cuts) {
    std::size_t from = 0;
    std::uint16_t recordType = type;
    std::optional<std::uint8_t> flag;
    for (std::size_t i = 0; i <= cuts.size(); ++i) {
        const std::size_t to =
            i < cuts.size() ? std::min<std::size_t>(cuts[i].offset, body.size()) : body.size();
        Bytes piece;
        if (flag) piece.push_back(*flag);
        piece.insert(piece.end(), body.begin() + static_cast<std::ptrdiff_t>(from),
                     body.begin() + static_cast<std::ptrdiff_t>(std::max(from, to)));
        Record(recordType, piece);
        if (i < cuts.size()) {
            from = std::max(from, to);
            recordType = kContinue;
            flag = cuts[i].flag;
        }
    }
    return *this;
}

BiffWriter& BiffWriter::Bof(std::uint16_t substreamType) {
    return Record(0x0809, BofBody(substreamType));
}

BiffWriter& BiffWriter::Eof() {
    return Record(0x000A, {});
}

BiffWriter& BiffWriter::BoundSheet(std::uint32_t position, const std::u16string& name,
                                   std::uint8_t sheetType, std::uint8_t visibility, bool wide) {
    Bytes body;
    PutU32(body, position);
    body.push_back(visibility);
    body.push_back(sheetType);
    const Bytes text = UnicodeString(name, wide, true);
    body.insert(body.end(), text.begin(), text.end());
    return Record(0x0085, body);
}

BiffWriter& BiffWriter::Substream(std::uint16_t substreamType, const BiffWriter& body) {
    Bof(substreamType);
    Raw(body.GetBytes());
    return Eof();
}

BiffWriter& BiffWriter::Raw(const Bytes& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

BiffWriter& BiffWriter::Fill(std::size_t n, std::uint8_t value) {
    m_bytes.insert(m_bytes.end(), n, value);
    return *this;
}

bool BiffWriter::WriteTo(const std::filesystem::path& path) const {
    return WriteFileBytes(path, m_bytes);
}

Bytes WorkbookStream(const BiffWriter& globalsRecords,
                     const std::vector<std::u16string>& sheetNames,
                     const BiffWriter& sheetRecords) {
    BiffWriter stream;
    stream.Bof(0x0005).Raw(globalsRecords.GetBytes());
    std::vector<std::size_t> positionFields;
    for (const std::u16string& name : sheetNames) {
        positionFields.push_back(stream.Size() + 4);
        const bool wide =
            std::any_of(name.begin(), name.end(), [](char16_t c) { return c > 0xFF; });
        stream.BoundSheet(0, name, 0, 0, wide);
    }
    stream.Eof();
    Bytes bytes = stream.GetBytes();
    for (std::size_t i = 0; i < sheetNames.size(); ++i) {
        SetU32(bytes, positionFields[i], static_cast<std::uint32_t>(bytes.size()));
        BiffWriter sheet;
        sheet.Substream(0x0010, sheetRecords);
        bytes = Concat(bytes, sheet.GetBytes());
    }
    return bytes;
}

void SetU8(Bytes& bytes, std::size_t offset, std::uint8_t value) {
    if (offset < bytes.size()) bytes[offset] = value;
}

void SetU16(Bytes& bytes, std::size_t offset, std::uint16_t value) {
    SetU8(bytes, offset, static_cast<std::uint8_t>(value & 0xFF));
    SetU8(bytes, offset + 1, static_cast<std::uint8_t>(value >> 8));
}

void SetU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        SetU8(bytes, offset + i, static_cast<std::uint8_t>(value >> (8 * i)));
}

void Truncate(Bytes& bytes, std::size_t n) {
    if (n < bytes.size()) bytes.resize(n);
}

void Insert(Bytes& bytes, std::size_t offset, const Bytes& inserted) {
    offset = std::min(offset, bytes.size());
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(offset), inserted.begin(),
                 inserted.end());
}

Bytes Concat(const Bytes& a, const Bytes& b) {
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes NumberCellBody(std::uint16_t row, double value) {
    Bytes body = Concat(BiffWriter::U16(row), {0, 0, 15, 0});
    std::uint8_t bytes[8];
    std::memcpy(bytes, &value, sizeof bytes);
    body.insert(body.end(), bytes, bytes + sizeof bytes);
    return body;
}

bool WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedTempDir::ScopedTempDir() {
    if (const char* previous = std::getenv("TMPDIR")) m_previous = previous;
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    std::string pattern = ((ec ? std::filesystem::path("/tmp") : base) / "mendwell-test-XXXXXX");
    if (::mkdtemp(pattern.data())) m_path = pattern;
    if (!m_path.empty()) ::setenv("TMPDIR", m_path.c_str(), 1);
}

ScopedTempDir::~ScopedTempDir() {
    if (m_previous)
        ::setenv("TMPDIR", m_previous->c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

std::vector<std::string> ScopedTempDir::Entries() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(m_path, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace testsupport
