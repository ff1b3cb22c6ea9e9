// One worksheet of the model: its name, its cells with values, formulas and
// formats, its array formulas, merged ranges, conditional formats,
// hyperlinks and data validations, its column widths and row heights. Rows and columns are 0-based.
// Every setter refuses what the spreadsheet refuses (positions outside the 65,536 rows and 256
// columns, texts over 32,767 characters, numbers that are not finite, changing part of an array
// formula) and then leaves the sheet unchanged.
//
// The sheet shares its workbook's string and format pools; it lives as long
// as its workbook, which names, renames and orders the sheets.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "server/CXlsArrayFormula.h"
#include "server/CXlsCellStore.h"
#include "server/CXlsCellValue.h"
#include "server/CXlsColumn.h"
#include "server/CXlsCommentStore.h"
#include "server/CXlsConditionalFormats.h"
#include "server/CXlsFormatPool.h"
#include "server/CXlsFormulaCell.h"
#include "server/CXlsHyperlinks.h"
#include "server/CXlsMergedRanges.h"
#include "server/CXlsSheetView.h"
#include "server/CXlsStringPool.h"
#include "server/CXlsValidations.h"

class CXlsWorksheet {
public:
    static constexpr double kStandardRowHeight = 12.75;  // points, Arial 10
    static constexpr double kMaxColumnWidth = 255.0;     // characters
    // Points: a ROW record holds 15 bits of twips; the standard height of
    // rows without one stops at the tallest row the program offers.
    static constexpr double kMaxRowHeight = 1638.35;     // 32767 twips
    static constexpr double kMaxStandardHeight = 409.5;  // 8190 twips
    // Changes one cell format in place; false refuses the value it sets.
    using FormatChange = std::function<bool(CXlsCellFormat&)>;

    CXlsWorksheet(std::uint32_t id, std::u16string name, CXlsStringPool& strings,
                  CXlsFormatPool& formats);
    CXlsWorksheet(const CXlsWorksheet&) = delete;
    CXlsWorksheet& operator=(const CXlsWorksheet&) = delete;

    // An id that stays with the sheet while sheets are added and moved.
    std::uint32_t Id() const { return m_id; }
    const std::u16string& Name() const { return m_name; }
    // As BOUNDSHEET keeps it: kVisible, kHidden or kVeryHidden. The
    // workbook sets it (CXlsWorkbook::SetSheetVisibility), so that one sheet
    // always stays visible.
    static constexpr std::uint8_t kVisible = 0;
    static constexpr std::uint8_t kHidden = 1;
    static constexpr std::uint8_t kVeryHidden = 2;
    std::uint8_t Visibility() const { return m_visibility; }

    // ---- Values. A value replaces what the cell held, formula included; the
    // cell keeps its format.
    bool SetNumber(std::uint32_t row, std::uint32_t column, double value);
    // An empty text clears the cell's contents, as the spreadsheet does.
    bool SetText(std::uint32_t row, std::uint32_t column, std::u16string_view text);
    bool SetBoolean(std::uint32_t row, std::uint32_t column, bool value);
    // One of the codes CXlsCellValue::IsErrorCode accepts.
    bool SetError(std::uint32_t row, std::uint32_t column, std::uint8_t code);
    // Removes values and formulas, keeps formats. Refused when the range
    // holds part of an array formula but not all of it.
    bool ClearContents(const CXlsCellRange& range);

    // ---- Formulas. The value the cell held becomes the formula's cached
    // result; a formula cell keeps the result it had.
    bool SetFormula(std::uint32_t row, std::uint32_t column, const CXlsFormulaTokens& tokens);
    // One formula over the whole range, replacing array formulas that lie
    // wholly inside it. Refused over part of another array formula and over
    // merged cells.
    bool SetArrayFormula(const CXlsCellRange& range, const CXlsFormulaTokens& tokens);

    // What the cell shows: its value, or a formula cell's cached result.
    CXlsCellValue GetValue(std::uint32_t row, std::uint32_t column) const;
    // The cell's formula (for a cell of an array formula, the array's), or
    // null. Valid until the sheet changes.
    const CXlsFormulaTokens* GetFormula(std::uint32_t row, std::uint32_t column) const;
    // The range of the array formula holding the cell, or null.
    const CXlsCellRange* GetArrayRange(std::uint32_t row, std::uint32_t column) const;

    // ---- Formats. A cell without a format of its own shows its row's
    // format, else its column's, else the default.
    std::uint32_t GetFormatId(std::uint32_t row, std::uint32_t column) const;
    const CXlsCellFormat& GetFormat(std::uint32_t row, std::uint32_t column) const {
        return m_formats.Get(GetFormatId(row, column));
    }
    // Applies `change` to the format of every cell of the range. A range of
    // whole columns (or whole rows) changes the column (row) formats too, so
    // that cells filled later get the format. False, with nothing changed,
    // when `change` refuses its value.
    bool ModifyFormat(const CXlsCellRange& range, const FormatChange& change);

    // ---- Columns and rows.
    // Width in characters of the default font's digits, 0 (hidden) to 255.
    bool SetColumnWidth(std::uint32_t column, double characters);
    double GetColumnWidth(std::uint32_t column) const;
    // Height in points, 0 (hidden) to 1638.35, the most a ROW record holds;
    // kept in twips (1/20 point).
    bool SetRowHeight(std::uint32_t row, double points);
    double GetRowHeight(std::uint32_t row) const;
    // Hidden columns and rows keep their width and height; a width or height
    // of 0 hides as well.
    bool SetColumnHidden(std::uint32_t column, bool hidden);
    bool IsColumnHidden(std::uint32_t column) const;
    bool SetRowHidden(std::uint32_t row, bool hidden);
    bool IsRowHidden(std::uint32_t row) const;
    // The width of columns without one of their own, in characters (0 to
    // 255), and the height of rows without one, in points (0 to 409.5).
    // Either one set makes the writer write it (STANDARDWIDTH, and
    // DEFAULTROWHEIGHT with its custom-height flag).
    bool SetStandardWidth(double characters);
    double StandardWidth() const { return m_standardWidth; }
    bool HasStandardWidth() const { return m_hasStandardWidth; }
    bool SetStandardHeight(double points);
    double StandardHeight() const { return m_standardHeightTwips / 20.0; }
    bool HasStandardHeight() const { return m_hasStandardHeight; }
    std::uint16_t StandardHeightTwips() const { return m_standardHeightTwips; }

    // ---- How the sheet shows in its window: panes, zoom, gridlines,
    // headings, the first row and column shown and the selection.
    CXlsSheetView& View() { return m_view; }
    const CXlsSheetView& View() const { return m_view; }

    // ---- Merged ranges. Only the top-left cell of a merged range keeps its
    // value. A single cell is not merged. Refused over array formulas.
    bool Merge(const CXlsCellRange& range);
    // Unmerges every merged range that touches `range`.
    bool Unmerge(const CXlsCellRange& range);
    const std::vector<CXlsCellRange>& MergedRanges() const { return m_merged.Ranges(); }

    // ---- Cell comments, one per cell; values and formats leave them alone.
    CXlsCommentStore& Comments() { return m_comments; }
    const CXlsCommentStore& Comments() const { return m_comments; }
    // ---- Hyperlinks: where they lead; the cells under them keep their
    // values.
    CXlsHyperlinks& Hyperlinks() { return m_hyperlinks; }
    const CXlsHyperlinks& Hyperlinks() const { return m_hyperlinks; }

    // ---- Conditional formats: formatting that applies while a condition
    // holds.
    CXlsConditionalFormats& ConditionalFormats() { return m_conditionalFormats; }
    const CXlsConditionalFormats& ConditionalFormats() const { return m_conditionalFormats; }

    // ---- Data validations: the rules for what the cells may take.
    CXlsValidations& Validations() { return m_validations; }
    const CXlsValidations& Validations() const { return m_validations; }

    // ---- What the writer reads.
    const CXlsCellStore& Cells() const { return m_cells; }
    const CXlsFormulaCell& FormulaSlot(std::uint32_t slot) const { return m_formulas[slot]; }
    const CXlsArrayFormula& ArrayFormula(std::uint32_t index) const { return m_arrays[index]; }
    const CXlsColumn& Column(std::uint32_t column) const { return m_columns[column]; }
    const CXlsStringPool& Strings() const { return m_strings; }

private:
    friend class CXlsWorkbook;
    void SetName(std::u16string name) { m_name = std::move(name); }
    void SetVisibility(std::uint8_t visibility) { m_visibility = visibility; }

    std::uint32_t InheritedFormatId(std::uint32_t row, std::uint32_t column) const;
    bool IsArrayPart(const CXlsCell& cell) const;
    // The cell that is to take a new value, its formula released; null when
    // outside the sheet or in an array formula.
    CXlsCell* CellForValue(std::uint32_t row, std::uint32_t column);
    void ReleaseFormula(CXlsCell& cell);
    std::uint32_t NewFormulaSlot(const CXlsCell& cell);
    // The value of a plain cell, or a formula cell's cached one, as a
    // formula's cached result.
    void CacheValue(const CXlsCell& cell, CXlsFormulaCell& formula) const;
    // Blanks the values in `range` (except `keep`) and drops blank cells that
    // carry nothing but the format they would inherit.
    void ClearValues(const CXlsCellRange& range, const CXlsCellRange* keep);
    void DropPlainBlanks(std::uint32_t row, CXlsRow& cells, std::uint32_t firstColumn,
                         std::uint32_t lastColumn);
    // False when an array formula lies partly inside `range`.
    bool ArraysFitIn(const CXlsCellRange& range) const;
    void RemoveArraysInside(const CXlsCellRange& range);

    void ModifyColumns(const CXlsCellRange& range,
                       const std::function<std::uint32_t(std::uint32_t)>& changed);
    void ModifyRows(const CXlsCellRange& range,
                    const std::function<std::uint32_t(std::uint32_t)>& changed);
    void ModifyCells(const CXlsCellRange& range,
                     const std::function<std::uint32_t(std::uint32_t)>& changed);

    std::uint32_t m_id;
    std::u16string m_name;
    CXlsStringPool& m_strings;
    CXlsFormatPool& m_formats;
    CXlsCellStore m_cells;
    std::array<CXlsColumn, xlsw::kMaxColumns> m_columns{};
    // Slots by index. A deque grows by small blocks that stay where they
    // are: a sheet of many formulas never holds an old and a new copy of
    // all its slots at once, nor a doubling's unused half.
    std::deque<CXlsFormulaCell> m_formulas;
    std::vector<std::uint32_t> m_freeFormulas;
    std::vector<CXlsArrayFormula> m_arrays;
    std::vector<std::uint32_t> m_freeArrays;
    CXlsMergedRanges m_merged;
    CXlsCommentStore m_comments;
    CXlsHyperlinks m_hyperlinks;
    CXlsValidations m_validations;
    CXlsConditionalFormats m_conditionalFormats;
    CXlsSheetView m_view;
    double m_standardWidth = CXlsColumn::kStandardWidth;
    std::uint16_t m_standardHeightTwips = 255;
    bool m_hasStandardWidth = false;
    bool m_hasStandardHeight = false;
    std::uint8_t m_visibility = kVisible;
};
