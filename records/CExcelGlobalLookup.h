// How a cell reaches its formatting and a 3-D reference its sheet name
// through the workbook-global tables.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"

class CExcelRecordWBXF;
class CExcelRecordWBFONT;
class CExcelRecordEXTERNNAME;
class CExcelRecordGWBEXTERNSHEET;
class CExcelRecordGWBEXTERNSHEET_REFData;
class CExcelRecordGWBSUPBOOK;
class CExcelWorkbookGlobals;

class CExcelGlobalLookup {
public:
    // XF index n selects position n of the XF list; null at or past its end.
    static const CExcelRecordWBXF* GetXF(const CTList<CExcelRecordWBXF>& xfs,
                                         std::uint32_t xfIndex);

    // List position of a font index: the font table has no index 4, so
    // indices 0-3 sit at their own position and index 5 and above one place
    // earlier. Index 4 itself falls on position 3.
    static std::uint32_t FontPosition(std::uint32_t fontIndex);
    // The FONT record a font index selects; null at or past the list's end.
    static const CExcelRecordWBFONT* GetFont(const CTList<CExcelRecordWBFONT>& fonts,
                                             std::uint32_t fontIndex);

    // REF entry refIndex, counted over the entries of all EXTERNSHEET records
    // in order; null past the last.
    static const CExcelRecordGWBEXTERNSHEET_REFData* GetRefEntry(
        const CTList<CExcelRecordGWBEXTERNSHEET>& externSheets, std::uint32_t refIndex);
    // The EXTERNNAME at position nameIndex (1-based) among those that follow
    // SUPBOOK supBookIndex; null when there is none.
    static const CExcelRecordEXTERNNAME* GetExternNameRecord(const CExcelWorkbookGlobals& workbook,
                                                             std::uint32_t supBookIndex,
                                                             std::uint32_t nameIndex);

    // The sheet of this workbook that REF entry refIndex (counted over the
    // entries of all EXTERNSHEET records in order) names: true with its
    // first sheet index when the entry's SUPBOOK is this workbook's own;
    // false for a missing entry or SUPBOOK, an add-in or another file.
    static bool GetInternalSheet(const CTList<CExcelRecordGWBEXTERNSHEET>& externSheets,
                                 const CTList<CExcelRecordGWBSUPBOOK>& supBooks,
                                 std::uint32_t refIndex, std::uint16_t& sheet);
    // The name a ptgNameX token refers to: REF entry refIndex gives the
    // SUPBOOK, nameIndex (1-based) the position among the EXTERNNAME records
    // that follow that SUPBOOK. True with the name, and in *addIn whether the
    // SUPBOOK is the add-in one (its names are functions such as
    // NETWORKDAYS); false when the entry, the SUPBOOK or the name is missing.
    static bool GetExternName(const CExcelWorkbookGlobals& workbook, std::uint32_t refIndex,
                              std::uint32_t nameIndex, std::u16string& name, bool* addIn);
    // The name of that sheet in the workbook's sheet list; empty in every
    // other case.
    static std::u16string GetExternSheetName(const CExcelWorkbookGlobals& workbook,
                                             std::uint32_t refIndex);
};
