// Says what a file is when the repair recovered nothing from it, so that the
// user learns why: another format saved under an .xls name, a workbook of an
// older Excel, an encrypted workbook, or a file with nothing left in it.
//
// Detect reads the file's first and last kSampleSize bytes; for a compound
// file it walks the whole file for directory entries by name at every
// 128-byte slot, so that a damaged sector table does not hide them, and for
// a file that starts with zero bytes it looks whether any other byte
// follows. Reads go in blocks and never past the file's end. Nothing is
// thrown; a file that cannot be read is Unrecognised.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

enum class ESourceKind : std::uint8_t {
    Unrecognised,   // nothing to tell: a damaged workbook, or something unknown
    Empty,          // 0 bytes
    ZeroFilled,     // nothing but zero bytes
    OfficeOpenXml,  // a zip package holding an xl/ workbook (.xlsx, .xlsm, .xlsb)
    ZipPackage,     // any other zip archive
    Html,           // a web page, often an Excel "Web Page" save named .xls
    Xml,            // an XML document, such as an Excel 2003 XML spreadsheet
    PlainText,      // CSV, tab-separated or other text
    OlderWorkbook,  // BIFF2 to BIFF5: a "Book" stream, or an old BOF at offset 0
    OtherCompound,  // a compound file of Word or PowerPoint, with no workbook stream
    // Not told by Detect: decided from the model by the repair.
    Encrypted,          // the globals hold a FILEPASS record
    NoWorkbookRecords,  // no BOF record anywhere in the file
    NoSheets,           // a workbook's globals were found, but no sheet and no cell
};

class CSourceFileKind {
public:
    static constexpr std::uint32_t kSampleSize = 65536;

    // The kind of the file at path, from its bytes alone; one of the kinds
    // before Encrypted.
    static ESourceKind Detect(const std::filesystem::path& path);

    // The text shown to the user for a repair that failed on a file of this
    // kind.
    static std::u16string_view Message(ESourceKind kind);

    // A short name for diagnostics and tests: "zip", "html", ...
    static const char* Name(ESourceKind kind);
};
