// How the preview draws the cells of one workbook, looked up by a cell's XF
// index: the background (the XF's pattern colour, with its fill pattern
// and the pattern's background colour), font (only with the XF's
// font-used flag), text colour (the font's), the line style and colour of
// each border side and of the diagonals, and alignment the XF gives, and a number
// rendered with the XF's number format text. Built for one fill and thrown
// away after it.
//
// An XF index n selects position n of the workbook's XF list; an index past
// the list selects nothing, and such a cell keeps the grid's defaults.
// Colour indices go through the workbook's palette (the default one
// changed by its PALETTE record); an index the palette does not define
// gives no colour. Colours come out as 0xRRGGBB.
//
// The workbook is borrowed and must not change while the table lives. Each
// XF's style and each format index's text is worked out on first use and
// kept, so a sheet of a million cells walks the record lists once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "containers/CPreviewPalette.h"
#include "containers/CSheetGridStore.h"
#include "format/CFormatNumberApiFormating.h"

class CExcelRecordWBFONT;
class CExcelSSTData;
class CExcelRecordWBXF;
class CExcelWorkBook;

class CPreviewFormatTable {
public:
    explicit CPreviewFormatTable(const CExcelWorkBook& workbook);
    CPreviewFormatTable(const CPreviewFormatTable&) = delete;
    CPreviewFormatTable& operator=(const CPreviewFormatTable&) = delete;

    // The style of XF index xfIndex; null when the workbook has no such XF.
    const CGridStyle* GetStyle(std::uint32_t xfIndex);
    // value rendered with the number format text of the XF (General when
    // the XF does not exist), as the preview cell shows it.
    std::u16string NumberText(std::uint32_t xfIndex, double value);

    // The runs of a rich shared string as the grid draws them: each run's
    // FONT record (by the font index rule an XF's font follows) and its
    // colour. A run at or past the end of the text, or not after the run
    // before it, is dropped (the text keeps the font it had); a run whose
    // FONT record is lost keeps the cell's font. Empty for a plain string.
    CGridTextRuns TextRuns(const CExcelSSTData& entry) const;

    // The default palette's colour of index as 0xRRGGBB, or nothing; the
    // table itself draws with the workbook's palette.
    static std::optional<std::uint32_t> PaletteColor(std::uint32_t index);
    // The grid's font for a FONT record: its height in twips as pixels at
    // 96 dots per inch (10 points: 13 pixels).
    static CGridFont GridFont(const CExcelRecordWBFONT& font);
    // The XF's horizontal and vertical alignment, wrap flag, rotation and
    // indent level; a vertical code that names no alignment gives the
    // bottom.
    static CGridAlignment Alignment(const CExcelRecordWBXF& xf);
    // The XF's left, right, top and bottom lines and its diagonals: a style
    // code past 13 (a damaged XF) is a thin line, and a colour index the
    // palette does not define (64, automatic, among them) is black. A
    // diagonal flag with style 0 gives no diagonal.
    static CGridBorders Borders(const CExcelRecordWBXF& xf,
                                const CPreviewPalette& palette = CPreviewPalette());

    // The XF's fill written into style's background, pattern background and
    // fill pattern: nothing for pattern 0 (none), the pattern colour solid
    // for pattern 1, patterns 2-18 in the pattern colour over the pattern
    // background colour. In patterns 1-18 the system colours 64 (window
    // text) and 65 (window background) are black and white. A pattern
    // colour index the palette does not define (past 65, or a system one
    // under a damaged code past 18) leaves style without a fill.
    static void Fill(const CExcelRecordWBXF& xf, const CPreviewPalette& palette, CGridStyle& style);

private:
    // Fill pattern codes (six bits in the XF) and the system colour indices.
    static constexpr std::uint8_t kNoFill = 0;
    static constexpr std::uint8_t kLastFillPattern = 18;
    static constexpr std::uint8_t kWindowTextColor = 64;
    static constexpr std::uint8_t kWindowBackgroundColor = 65;

    CGridStyle MakeStyle(const CExcelRecordWBXF& xf) const;

    const CExcelWorkBook& m_workbook;
    CPreviewPalette m_palette;
    std::vector<const CExcelRecordWBXF*> m_xfs;
    std::vector<const CExcelRecordWBFONT*> m_fonts;
    // One slot per XF, filled on first use.
    std::vector<std::optional<CGridStyle>> m_styles;
    // Each format index's text, prepared for rendering on first use.
    std::unordered_map<std::uint16_t, CFormatNumberApiFormating::Prepared> m_formats;
    CFormatNumberApiFormating m_renderer;
};
