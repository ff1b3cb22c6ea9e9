// One workbook found in the scan file (one "Workbook globals" substream):
// its global tables, filled by the globals scan and the record decoders,
// and its sheets.
//
// Owns every list. start and end are the globals substream's offsets in the
// scan file (start = its BOF, end = where the next substream found begins).
// The workbook's own list link comes from CTListNode; the parsed workbook
// (CExcelData) owns the list of workbooks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "biff/CTList.h"
#include "model/CExcelWorkSheetList.h"

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

class CExcelWorkBook : public CTListNode<CExcelWorkBook> {
public:
    CExcelWorkBook();
    CExcelWorkBook(std::uint32_t start, std::uint32_t end);
    CExcelWorkBook(const CExcelWorkBook&) = delete;
    CExcelWorkBook& operator=(const CExcelWorkBook&) = delete;
    virtual ~CExcelWorkBook();

    CExcelSSTDataList& GetSharedStrings() { return *m_sharedStrings; }
    const CExcelSSTDataList& GetSharedStrings() const { return *m_sharedStrings; }
    CExcelWorkSheetList& GetWorksheets() { return m_worksheets; }
    const CExcelWorkSheetList& GetWorksheets() const { return m_worksheets; }
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

    std::uint32_t GetStart() const { return m_start; }
    void SetStart(std::uint32_t start) { m_start = start; }
    std::uint32_t GetEnd() const { return m_end; }
    void SetEnd(std::uint32_t end) { m_end = end; }

private:
    std::unique_ptr<CExcelSSTDataList> m_sharedStrings;
    CExcelWorkSheetList m_worksheets;
    CTList<CExcelRecordGWBEXTERNSHEET> m_externSheets;
    CTList<CExcelRecordGWBSUPBOOK> m_supBooks;
    CTList<CExcelRecordWBFONT> m_fonts;
    CTList<CExcelRecordWBXF> m_xfs;
    CTList<CExcelRecordWBFORMAT> m_formats;
    CTList<CExcelRecordSTYLE> m_styles;
    CTList<CExcelRecordPALETTE> m_palettes;
    CTList<CExcelRecordNAME> m_names;
    CTList<CExcelRecordEXTERNNAME> m_externNames;
    std::uint32_t m_end = 0;
    std::uint32_t m_start = 0;
    bool m_encrypted = false;
    bool m_date1904 = false;
};
