// The one way into booklift: extracts the "Workbook" stream of a (possibly
// damaged) compound file into a plain file.
//
// Use: SetFileNameSrc(), ParseFile(), then CopyWorkbook(). Every step ORs its
// EErrorCode bit into the parse error, which only grows; GetParseError() is 0
// exactly when the parse read everything it needed. The object owns the
// parsed model and frees it on destruction. One thread at a time; no member
// lets an exception escape.
#pragma once

#include <filesystem>
#include <memory>

// The public headers (this one, EErrorCode.h, EStructureFlag.h,
// CStreamDamage.h and BookliftExport.h, installed in include/booklift/)
// include only each other and the standard library, by name within their
// own folder, so that they read the same from the source tree and from an
// installed copy.
#include "BookliftExport.h"
#include "CStreamDamage.h"
#include "EErrorCode.h"
#include "EStructureFlag.h"

class CDataContainerOle;

class BOOKLIFT_API CInterfaceOle {
public:
    // Parse error 0, no container, empty source file name.
    CInterfaceOle();
    virtual ~CInterfaceOle();
    CInterfaceOle(const CInterfaceOle&) = delete;
    CInterfaceOle& operator=(const CInterfaceOle&) = delete;

    // Stores a copy of the source path; nothing is opened.
    void SetFileNameSrc(const std::filesystem::path& path);

    // Reads header, DIFAT, FAT, mini FAT and directory into a new container
    // (replacing any earlier one) and attaches every entry's chain. Returns
    // ErrEmptyFileName (no container is made), ErrOpenFile, ErrNoRootEntry
    // or ErrNone; the other bits show only in GetParseError().
    EErrorCode ParseFile();

    unsigned long GetParseError() const;

    // Checks the header of the parsed file against eleven structure
    // conditions and keeps the failures for GetStructureFlags(). Returns 1
    // whatever it finds; without a container every condition counts as
    // failed.
    int AnalizeFileStructureOle();
    // EStructureFlag bits of the conditions that failed in the last
    // AnalizeFileStructureOle(); StructAll before the first one.
    unsigned long GetStructureFlags() const;

    // Copies the stream named "Workbook" (letter case ignored) to path
    // (created or truncated); in a file without one, the "Book" stream of an
    // Excel 5.0/95 workbook. Returns 0 only when its chain is sound, its
    // size field agrees with the chain, every piece was read and the file
    // was written and closed. Otherwise the bits, also ORed into the parse
    // error: ErrWorkbookNotFound (nothing is created), ErrOpenFile,
    // ErrEntryIndex or ErrCreateOutput alone; or any of ErrStreamChain (the
    // chain broke off; the output holds the sectors before the break),
    // ErrStreamSize (the size field disagrees with the chain; the output
    // holds what the chain holds) and ErrStreamSector (the output lacks the
    // skipped sectors).
    int CopyWorkbook(const std::filesystem::path& path);
    // Copies the stream of that name (found as CopyWorkbook finds its own) to
    // path, with CopyWorkbook's result bits.
    int CopyStream(const std::u16string& name, const std::filesystem::path& path);
    // The sector numbers behind the last CopyWorkbook()'s ErrStreamSector,
    // ErrStreamChain and ErrStreamSize: the pieces skipped and where the
    // chain was cut. Empty before a copy read the chain; valid until the
    // next ParseFile() or the object's end.
    const CStreamDamage& GetStreamDamage() const;

    // The parsed model, still owned by this object; null before ParseFile().
    // Its class is not installed: outside this project it is an opaque
    // pointer, good only for a null test.
    CDataContainerOle* GetDataContainerOle() const;

private:
    unsigned long m_parseError = ErrNone;
    std::unique_ptr<CDataContainerOle> m_container;
    std::filesystem::path m_fileNameSrc;
    unsigned long m_structureFlags = StructAll;
};
