// The global tables of one workbook (its "Workbook globals" substream) as
// the record decoders fill and read them: shared strings, EXTERNSHEET,
// SUPBOOK, FONT, XF, FORMAT, STYLE, PALETTE, NAME and EXTERNNAME records,
// and the FILEPASS and DATEMODE flags.
//
// Owns every list. The sheets of the workbook are kept above the record
// layer (CExcelWorkBook derives from this class and owns them); the
// decoders reach their names through GetSheetName.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "biff/CTList.h"

class CExcelSSTDataList;
class CExcelRecordGWBEXTERNSHEET;
class CExcelRecordGWBSUPBOOK;
class CExcelRecordWBFONT;
class CExcelRecordWBXF;
class CExcelRecordWBFORMAT;
class CExcelRecordSTYLE;
class CExcelRecordPALETTE;
class CExcelRecordNAME;
class CExcelRecordEXTERNNAME;
class CExcelExternalCache;

class CExcelWorkbookGlobals {
public:
    CExcelWorkbookGlobals();
    CExcelWorkbookGlobals(const CExcelWorkbookGlobals&) = delete;
    CExcelWorkbookGlobals& operator=(const CExcelWorkbookGlobals&) = delete;
    virtual ~CExcelWorkbookGlobals();

    CExcelSSTDataList& GetSharedStrings() { return *m_sharedStrings; }
    const CExcelSSTDataList& GetSharedStrings() const { return *m_sharedStrings; }
    CTList<CExcelRecordGWBEXTERNSHEET>& GetExternSheets() { return m_externSheets; }
    const CTList<CExcelRecordGWBEXTERNSHEET>& GetExternSheets() const { return m_externSheets; }
    CTList<CExcelRecordGWBSUPBOOK>& GetSupBooks() { return m_supBooks; }
    const CTList<CExcelRecordGWBSUPBOOK>& GetSupBooks() const { return m_supBooks; }
    CTList<CExcelRecordWBFONT>& GetFonts() { return m_fonts; }
    const CTList<CExcelRecordWBFONT>& GetFonts() const { return m_fonts; }
    CTList<CExcelRecordWBXF>& GetXFs() { return m_xfs; }
    const CTList<CExcelRecordWBXF>& GetXFs() const { return m_xfs; }
    CTList<CExcelRecordWBFORMAT>& GetFormats() { return m_formats; }
    const CTList<CExcelRecordWBFORMAT>& GetFormats() const { return m_formats; }
    CTList<CExcelRecordSTYLE>& GetStyles() { return m_styles; }
    const CTList<CExcelRecordSTYLE>& GetStyles() const { return m_styles; }
    CTList<CExcelRecordPALETTE>& GetPalettes() { return m_palettes; }
    const CTList<CExcelRecordPALETTE>& GetPalettes() const { return m_palettes; }
    // Defined names in file order: a ptgName index n (1-based) is element n - 1.
    CTList<CExcelRecordNAME>& GetNames() { return m_names; }
    const CTList<CExcelRecordNAME>& GetNames() const { return m_names; }
    // EXTERNNAME records in file order, each tied to the SUPBOOK it follows.
    CTList<CExcelRecordEXTERNNAME>& GetExternNames() { return m_externNames; }
    const CTList<CExcelRecordEXTERNNAME>& GetExternNames() const { return m_externNames; }
    // XCT blocks in file order, each with its CRN values and tied to the
    // SUPBOOK it follows; the cells they hold together.
    CTList<CExcelExternalCache>& GetExternalCaches() { return m_externalCaches; }
    const CTList<CExcelExternalCache>& GetExternalCaches() const { return m_externalCaches; }
    std::size_t GetExternalCacheCells() const { return m_externalCacheCells; }
    void SetExternalCacheCells(std::size_t cells) { m_externalCacheCells = cells; }

    // A FILEPASS record was met in the globals: the record bodies that follow
    // it are ciphertext, and what was decoded from them is not data.
    bool IsEncrypted() const { return m_encrypted; }
    void SetEncrypted(bool encrypted) { m_encrypted = encrypted; }
    // DATEMODE says the workbook counts dates from 1904-01-01 rather than
    // from 1900.
    bool IsDate1904() const { return m_date1904; }
    void SetDate1904(bool date1904) { m_date1904 = date1904; }

    // Text of shared string number index (from 0); empty with *found false
    // when the table has no such entry.
    std::u16string GetSharedString(std::uint32_t index, bool* found = nullptr) const;

    // Name of the workbook's sheet number index (from 0, in BOUNDSHEET
    // order), or the empty string when there is none.
    virtual std::u16string GetSheetName(std::uint16_t index) const = 0;

private:
    std::unique_ptr<CExcelSSTDataList> m_sharedStrings;
    CTList<CExcelRecordGWBEXTERNSHEET> m_externSheets;
    CTList<CExcelRecordGWBSUPBOOK> m_supBooks;
    CTList<CExcelRecordWBFONT> m_fonts;
    CTList<CExcelRecordWBXF> m_xfs;
    CTList<CExcelRecordWBFORMAT> m_formats;
    CTList<CExcelRecordSTYLE> m_styles;
    CTList<CExcelRecordPALETTE> m_palettes;
    CTList<CExcelRecordNAME> m_names;
    CTList<CExcelRecordEXTERNNAME> m_externNames;
    CTList<CExcelExternalCache> m_externalCaches;
    std::size_t m_externalCacheCells = 0;
    bool m_encrypted = false;
    bool m_date1904 = false;
};
