#include "repair/CSourceFileKind.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "biff/CInputFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct KindText {
    ESourceKind kind;
    const char* name;
    std::u16string_view message;
};

// In the order of ESourceKind.
constexpr std::array<KindText, 13> kKinds = {{
    {ESourceKind::Unrecognised, "unrecognised", u"Nothing could be recovered from this file."},
    {ESourceKind::Empty, "empty", u"The file is empty (0 bytes), so there is nothing to recover."},
    {ESourceKind::ZeroFilled, "zero-filled",
     u"The file holds nothing but zero bytes: its contents are lost, so there is nothing to "
     u"recover."},
    {ESourceKind::OfficeOpenXml, "office-open-xml",
     u"This file is an Excel workbook in the newer Office Open XML format (such as .xlsx), not an "
     u"Excel 97-2003 workbook. Only Excel 97-2003 (.xls) workbooks can be repaired here."},
    {ESourceKind::ZipPackage, "zip",
     u"This file is a zip archive, not an Excel 97-2003 workbook, so it cannot be repaired here."},
    {ESourceKind::Html, "html",
     u"This file is a web page (HTML), not an Excel 97-2003 workbook, so it cannot be repaired "
     u"here. Open it in a spreadsheet program or a web browser instead."},
    {ESourceKind::Xml, "xml",
     u"This file is an XML document (such as an Excel 2003 XML spreadsheet), not an Excel 97-2003 "
     u"workbook, so it cannot be repaired here."},
    {ESourceKind::PlainText, "text",
     u"This file is plain text (such as CSV), not an Excel 97-2003 workbook, so it cannot be "
     u"repaired here. Open it in a spreadsheet program or a text editor instead."},
    {ESourceKind::OlderWorkbook, "older-workbook",
     u"This file is a workbook of an older Excel version (Excel 5.0/95 or earlier), whose format "
     u"cannot be repaired here."},
    {ESourceKind::OtherCompound, "other-compound",
     u"This file is an Office document of another kind (such as a Word or PowerPoint file) and "
     u"holds no workbook, so there is nothing to recover."},
    {ESourceKind::Encrypted, "encrypted",
     u"This workbook is encrypted (protected by a password to open). Its cells cannot be read "
     u"without decrypting them, so none are recovered: decoding them as they are would give "
     u"meaningless values."},
    {ESourceKind::NoWorkbookRecords, "no-workbook-records",
     u"No Excel workbook records were found anywhere in this file, so nothing could be "
     u"recovered."},
    {ESourceKind::NoSheets, "no-sheets",
     u"Only the workbook's global records were found in this file: none of its sheets and none "
     u"of its cells could be recovered."},
}};

constexpr bool InKindOrder() {
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (static_cast<std::size_t>(kKinds[i].kind) != i) return false;
    return true;
}
static_assert(InKindOrder(), "kKinds must list the kinds in the order of ESourceKind");

const KindText& Entry(ESourceKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kKinds.size() ? kKinds[index] : kKinds[0];
}

constexpr std::uint8_t kCompoundSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

// Directory entries are 128 bytes and lie in sectors that start at a
// multiple of 512 (or 4096) from the file's start, after the 512-byte
// header: every entry starts at a multiple of 128 from offset 512 on.
//   offset  0  64 bytes  name, UTF-16LE, NUL-terminated
//   offset 64  u16       name length in bytes, with the NUL
//   offset 66  u8        object type: 1 storage, 2 stream, 5 root
constexpr std::uint32_t kDirectoryEntrySize = 128;
constexpr std::uint32_t kDirectoryStart = 512;
constexpr std::uint32_t kEntryNameBytes = 64;
constexpr std::uint32_t kEntryTypeOffset = 66;
constexpr std::uint8_t kEntryStream = 2;

constexpr std::size_t kBlockSize = 1 << 20;  // a multiple of kDirectoryEntrySize

// BOF records of the BIFF versions before BIFF8, as they start an old
// workbook's stream: type, then body length.
//   09 00 04 00  BIFF2     09 02 06 00  BIFF3     09 04 06 00  BIFF4
//   09 08 08 00  BIFF5 (and BIFF7): the BIFF8 type with an 8-byte body
constexpr std::array<std::string_view, 4> kOldBofs = {
    std::string_view("\x09\x00\x04\x00", 4),
    std::string_view("\x09\x02\x06\x00", 4),
    std::string_view("\x09\x04\x06\x00", 4),
    // The version word follows: 0x0500. Some writers give BIFF8 (version
    // 0x0600) this short BOF too; that is ours, not an older workbook.
    std::string_view("\x09\x08\x08\x00\x00\x05", 6),
};

bool StartsWith(const Bytes& bytes, const std::uint8_t* prefix, std::size_t n) {
    return bytes.size() >= n && std::memcmp(bytes.data(), prefix, n) == 0;
}

bool StartsWith(const Bytes& bytes, std::string_view prefix) {
    return StartsWith(bytes, reinterpret_cast<const std::uint8_t*>(prefix.data()), prefix.size());
}

char Lower(std::uint8_t c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// needle is lower-case ASCII; the match ignores the case of ASCII letters.
bool ContainsNoCase(const Bytes& bytes, std::string_view needle) {
    const auto at = std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end(),
                                [](std::uint8_t b, char n) { return Lower(b) == n; });
    return at != bytes.end();
}

bool StartsWithNoCase(const Bytes& bytes, std::size_t from, std::string_view needle) {
    if (bytes.size() < from || bytes.size() - from < needle.size()) return false;
    for (std::size_t i = 0; i < needle.size(); ++i)
        if (Lower(bytes[from + i]) != needle[i]) return false;
    return true;
}

// Text has no NUL byte and hardly any other control character: tab, line
// breaks, form feed and the old end-of-file mark 0x1A are text. Bytes from
// 0x80 on are taken as text too (UTF-8, or a code page's letters).
bool LooksLikeText(const Bytes& bytes) {
    if (bytes.empty()) return false;
    std::size_t controls = 0;
    for (const std::uint8_t b : bytes) {
        if (b == 0) return false;
        const bool allowed = b == '\t' || b == '\n' || b == '\r' || b == '\f' || b == 0x1A;
        if ((b < 0x20 && !allowed) || b == 0x7F) ++controls;
    }
    // A stray control character in a long text is not enough to call it
    // binary; one in a hundred is.
    return controls * 100 <= bytes.size();
}

// UTF-16 text narrowed to one byte per unit (units past ASCII become 'x'),
// so that the byte tests above apply. A NUL unit stays 0.
Bytes Narrow(const Bytes& bytes, bool bigEndian) {
    Bytes narrow;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const unsigned unit =
            bigEndian ? (bytes[i] << 8) | bytes[i + 1] : bytes[i] | (bytes[i + 1] << 8);
        narrow.push_back(unit < 0x80 ? static_cast<std::uint8_t>(unit) : 'x');
    }
    return narrow;
}

ESourceKind TextKind(const Bytes& text) {
    if (!LooksLikeText(text)) return ESourceKind::Unrecognised;
    std::size_t from = StartsWith(text, "\xEF\xBB\xBF") ? 3 : 0;
    while (from < text.size() &&
           (text[from] == ' ' || text[from] == '\t' || text[from] == '\r' || text[from] == '\n'))
        ++from;
    // A "Single File Web Page" save is a MIME message wrapping the HTML.
    if (StartsWithNoCase(text, from, "mime-version:") && ContainsNoCase(text, "text/html"))
        return ESourceKind::Html;
    if (from >= text.size() || text[from] != '<') return ESourceKind::PlainText;
    if (ContainsNoCase(text, "<html") || ContainsNoCase(text, "<!doctype html") ||
        StartsWithNoCase(text, from, "<table"))
        return ESourceKind::Html;
    return ESourceKind::Xml;
}

ESourceKind ZipKind(const Bytes& head, const Bytes& tail) {
    // Part names sit in each local header near the start and again in the
    // central directory at the end; every Office Open XML workbook has its
    // workbook part under xl/.
    for (const std::string_view part : {"xl/workbook.", "xl/_rels/workbook."})
        if (ContainsNoCase(head, part) || ContainsNoCase(tail, part))
            return ESourceKind::OfficeOpenXml;
    return ESourceKind::ZipPackage;
}

// Whether the directory slot holds a stream entry of that ASCII name (case
// ignored, as the directory compares names). The name length field is not
// trusted: the characters and their NUL decide.
bool EntryNamed(const std::uint8_t* entry, std::string_view name) {
    if (entry[kEntryTypeOffset] != kEntryStream) return false;
    if ((name.size() + 1) * 2 > kEntryNameBytes) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (entry[2 * i + 1] != 0 || Lower(entry[2 * i]) != Lower(name[i])) return false;
    }
    return entry[2 * name.size()] == 0 && entry[2 * name.size() + 1] == 0;
}

struct CompoundNames {
    bool workbook = false;
    bool book = false;
    bool otherDocument = false;
};

CompoundNames FindStreamNames(const CInputFile& file) {
    CompoundNames names;
    Bytes block(kBlockSize);
    for (std::uint64_t base = kDirectoryStart; base < file.Length(); base += kBlockSize) {
        const std::size_t got = file.ReadAt(base, block.data(), block.size());
        for (std::size_t at = 0; at + kDirectoryEntrySize <= got; at += kDirectoryEntrySize) {
            const std::uint8_t* entry = &block[at];
            names.workbook |= EntryNamed(entry, "Workbook");
            names.book |= EntryNamed(entry, "Book");
            names.otherDocument |=
                EntryNamed(entry, "WordDocument") || EntryNamed(entry, "PowerPoint Document");
        }
        if (got < block.size()) break;
    }
    return names;
}

ESourceKind CompoundKind(const CInputFile& file) {
    const CompoundNames names = FindStreamNames(file);
    // A workbook stream means a real .xls that gave nothing; "Book" next to
    // "Workbook" is the Excel 5.0/95 copy of a dual-format file.
    if (names.workbook) return ESourceKind::Unrecognised;
    if (names.book) return ESourceKind::OlderWorkbook;
    if (names.otherDocument) return ESourceKind::OtherCompound;
    return ESourceKind::Unrecognised;
}

bool AllZero(const CInputFile& file) {
    Bytes block(kBlockSize);
    for (std::uint64_t base = 0; base < file.Length(); base += kBlockSize) {
        const std::size_t got = file.ReadAt(base, block.data(), block.size());
        if (got == 0) return false;  // unreadable: nothing can be claimed
        if (std::any_of(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got),
                        [](std::uint8_t b) { return b != 0; }))
            return false;
    }
    return true;
}

}  // namespace

ESourceKind CSourceFileKind::Detect(const std::filesystem::path& path) {
    CInputFile file;
    if (!file.Open(path)) return ESourceKind::Unrecognised;
    const std::uint64_t length = file.Length();
    if (length == 0) return ESourceKind::Empty;

    Bytes head(static_cast<std::size_t>(std::min<std::uint64_t>(length, kSampleSize)));
    head.resize(file.ReadAt(0, head.data(), head.size()));
    if (head.empty()) return ESourceKind::Unrecognised;
    const std::uint64_t tailStart = length > kSampleSize ? length - kSampleSize : 0;
    Bytes tail(static_cast<std::size_t>(length - tailStart));
    tail.resize(file.ReadAt(tailStart, tail.data(), tail.size()));

    if (StartsWith(head, kCompoundSignature, sizeof kCompoundSignature)) return CompoundKind(file);
    if (StartsWith(head, "PK\x03\x04") || StartsWith(head, "PK\x05\x06") ||
        StartsWith(head, "PK\x07\x08"))
        return ZipKind(head, tail);
    for (const std::string_view bof : kOldBofs)
        if (StartsWith(head, bof)) return ESourceKind::OlderWorkbook;
    if (head[0] == 0) return AllZero(file) ? ESourceKind::ZeroFilled : ESourceKind::Unrecognised;
    if (StartsWith(head, "\xFF\xFE")) return TextKind(Narrow(head, false));
    if (StartsWith(head, "\xFE\xFF")) return TextKind(Narrow(head, true));
    return TextKind(head);
}

std::u16string_view CSourceFileKind::Message(ESourceKind kind) {
    return Entry(kind).message;
}

const char* CSourceFileKind::Name(ESourceKind kind) {
    return Entry(kind).name;
}
