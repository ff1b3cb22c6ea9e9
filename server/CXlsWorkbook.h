// The workbook model that the automation server builds and the writer
// saves: worksheets in tab order, the 1904 date system flag, the active
// sheet, the defined names, the links of its formulas to other sheets,
// add-in functions and other workbooks (with the values of the other
// workbooks' cells they read), the named styles, and the string and format
// pools the sheets share. Sheet positions are 0-based.
//
// The workbook owns its sheets; a sheet pointer stays valid for the
// workbook's life (sheets are never removed), while positions change when
// sheets are added or moved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "server/CXlsDefinedNames.h"
#include "server/CXlsExternSheetTable.h"
#include "server/CXlsFormatPool.h"
#include "server/CXlsFormulaShapeCache.h"
#include "server/CXlsLinkCache.h"
#include "server/CXlsLinkTable.h"
#include "server/CXlsPalette.h"
#include "server/CXlsStringPool.h"
#include "server/CXlsStyles.h"
#include "server/CXlsWorksheet.h"

class CXlsWorkbook {
public:
    // Far more than anyone uses; EXTERNSHEET sheet numbers are 16-bit.
    static constexpr std::size_t kMaxSheets = 4096;
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

    // A workbook without sheets (a new workbook from the object model gets
    // its "Sheet1" through AddSheet).
    CXlsWorkbook() = default;
    CXlsWorkbook(const CXlsWorkbook&) = delete;
    CXlsWorkbook& operator=(const CXlsWorkbook&) = delete;

    std::size_t SheetCount() const { return m_sheets.size(); }
    // The sheet at a position, or null.
    CXlsWorksheet* Sheet(std::size_t position);
    const CXlsWorksheet* Sheet(std::size_t position) const;
    // The position of a sheet by name (ignoring case) or by id; kNotFound.
    std::size_t FindSheet(std::u16string_view name) const;
    std::size_t PositionOfId(std::uint32_t sheetId) const;
    std::size_t PositionOf(const CXlsWorksheet& sheet) const { return PositionOfId(sheet.Id()); }

    // Inserts a sheet before `position` (SheetCount() appends). Null when
    // the name breaks the naming rules or is taken, or the position is
    // past the end, or the workbook is full.
    CXlsWorksheet* AddSheet(std::size_t position, std::u16string_view name);
    // The same with the next free default name: "Sheet" followed by a
    // number that counts the sheets this workbook has added.
    CXlsWorksheet* AddSheet(std::size_t position);
    // False, with the old name kept, when the new one breaks the rules or
    // another sheet has it.
    bool RenameSheet(CXlsWorksheet& sheet, std::u16string_view name);
    // Moves the sheet at `from` so that it ends up at position `to`.
    bool MoveSheet(std::size_t from, std::size_t to);

    // The sheet selected when the file is opened (0 until set).
    std::size_t ActiveSheet() const { return m_activeSheet < SheetCount() ? m_activeSheet : 0; }
    bool SetActiveSheet(std::size_t position);
    // Shows or hides a sheet (CXlsWorksheet::kVisible, kHidden,
    // kVeryHidden). Refused for a value outside those and for hiding the
    // last visible sheet; a hidden active sheet hands the activation to the
    // first visible sheet after it (going round to the first sheet).
    bool SetSheetVisibility(CXlsWorksheet& sheet, std::uint8_t visibility);

    bool Date1904() const { return m_date1904; }
    void SetDate1904(bool date1904) { m_date1904 = date1904; }
    // The colours that colour indices 1 to 56 pick.
    CXlsPalette& Palette() { return m_palette; }
    const CXlsPalette& Palette() const { return m_palette; }

    // The EXTERNSHEET index of a 3-D reference to the sheets at positions
    // first..last; -1 when a position is out of range or the table is full.
    // (The formula compiler registers all its links through Links().)
    int RegisterExternSheet(std::size_t firstPosition, std::size_t lastPosition);
    const CXlsExternSheetTable& ExternSheets() const { return m_links.ExternSheets(); }
    CXlsLinkTable& Links() { return m_links; }
    const CXlsLinkTable& Links() const { return m_links; }
    // Cell formulas already compiled, by shape (see CXlsFormulaCompiler).
    CXlsFormulaShapeCache& FormulaShapes() { return m_formulaShapes; }

    // Values of other workbooks' cells, written with their links.
    CXlsLinkCache& LinkCache() { return m_linkCache; }
    const CXlsLinkCache& LinkCache() const { return m_linkCache; }
    CXlsDefinedNames& Names() { return m_names; }
    const CXlsDefinedNames& Names() const { return m_names; }

    CXlsStringPool& Strings() { return m_strings; }
    const CXlsStringPool& Strings() const { return m_strings; }
    CXlsFormatPool& Formats() { return m_formats; }
    const CXlsFormatPool& Formats() const { return m_formats; }
    // The named styles the cell formats refer to by position.
    CXlsStyles& Styles() { return m_styles; }
    const CXlsStyles& Styles() const { return m_styles; }

private:
    CXlsPalette m_palette;
    bool NameIsFree(std::u16string_view name, const CXlsWorksheet* except) const;

    CXlsStringPool m_strings;
    CXlsFormatPool m_formats;
    CXlsStyles m_styles;
    CXlsLinkTable m_links;
    CXlsLinkCache m_linkCache;
    CXlsFormulaShapeCache m_formulaShapes;
    CXlsDefinedNames m_names;
    std::vector<std::unique_ptr<CXlsWorksheet>> m_sheets;
    std::uint32_t m_nextSheetId = 1;
    std::uint32_t m_defaultNameCounter = 0;
    std::size_t m_activeSheet = 0;
    bool m_date1904 = false;
};
