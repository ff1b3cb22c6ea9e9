#include "containers/CPreviewFormatTable.h"

#include <array>

#include "containers/CGridUnits.h"
#include "format/CExcelFormatText.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "records/CExcelSSTData.h"

CPreviewFormatTable::CPreviewFormatTable(const CExcelWorkBook& workbook)
    : m_workbook(workbook), m_palette(workbook.GetPalettes().GetTail()) {
    // The lists are linked: index them once rather than walking them per cell.
    for (const CExcelRecordWBXF& xf : workbook.GetXFs()) m_xfs.push_back(&xf);
    for (const CExcelRecordWBFONT& font : workbook.GetFonts()) m_fonts.push_back(&font);
    m_styles.resize(m_xfs.size());
}

std::optional<std::uint32_t> CPreviewFormatTable::PaletteColor(std::uint32_t index) {
    return CPreviewPalette().Color(index);
}

CGridFont CPreviewFormatTable::GridFont(const CExcelRecordWBFONT& font) {
    // Boldness comes from the weight field, not from option bit 0, which
    // only older writers set.
    CGridFont grid;
    grid.faceName = font.GetName();
    grid.height = CGridUnits::TwipsToPixels(font.GetHeight());
    grid.weight = font.GetWeight();
    grid.italic = font.IsItalic();
    grid.underline = font.IsUnderlined();
    grid.strikeOut = font.IsStrikeOut();
    grid.charSet = font.GetCharSet();
    grid.escapement = font.GetEscapement();
    return grid;
}

CGridAlignment CPreviewFormatTable::Alignment(const CExcelRecordWBXF& xf) {
    // The horizontal code's three bits are all alignments; the vertical
    // code's values 5-7 are none, and such a cell keeps the bottom.
    static constexpr std::array<EGridVertical, 5> kVertical = {
        EGridVertical::Top, EGridVertical::Centre, EGridVertical::Bottom, EGridVertical::Justify,
        EGridVertical::Distributed};
    CGridAlignment alignment;
    alignment.horizontal = static_cast<EGridHorizontal>(xf.GetHorizontalAlignment() & 0x07);
    const std::uint8_t vertical = xf.GetVerticalAlignment();
    if (vertical < kVertical.size()) alignment.vertical = kVertical[vertical];
    alignment.wrap = xf.IsWrapped();
    alignment.rotation = xf.GetRotation();
    alignment.indent = xf.GetIndentLevel();
    return alignment;
}

CGridBorders CPreviewFormatTable::Borders(const CExcelRecordWBXF& xf,
                                          const CPreviewPalette& palette) {
    const auto line = [&palette](std::uint8_t style, std::uint8_t color) {
        // Four bits can say 14 and 15, which name no line; a spreadsheet
        // still draws a line there, the plainest one.
        constexpr std::uint8_t kLastStyle = static_cast<std::uint8_t>(EGridLine::SlantedDashDot);
        CGridBorderLine grid;
        grid.style = style > kLastStyle ? EGridLine::Thin : static_cast<EGridLine>(style);
        grid.color = palette.Color(color).value_or(0x000000);
        return grid;
    };
    CGridBorders borders;
    borders.left = line(xf.GetLeftBorderStyle(), xf.GetLeftBorderColor());
    borders.right = line(xf.GetRightBorderStyle(), xf.GetRightBorderColor());
    borders.top = line(xf.GetTopBorderStyle(), xf.GetTopBorderColor());
    borders.bottom = line(xf.GetBottomBorderStyle(), xf.GetBottomBorderColor());
    // Only a diagonal that shows is kept, so that every cell without one
    // compares equal.
    const CGridBorderLine diagonal = line(xf.GetDiagonalStyle(), xf.GetDiagonalColor());
    if (diagonal.style != EGridLine::None && (xf.IsDiagonalDown() || xf.IsDiagonalUp())) {
        borders.diagonal.color = diagonal.color;
        borders.diagonal.style = diagonal.style;
        borders.diagonal.down = xf.IsDiagonalDown();
        borders.diagonal.up = xf.IsDiagonalUp();
    }
    return borders;
}

void CPreviewFormatTable::Fill(const CExcelRecordWBXF& xf, const CPreviewPalette& palette,
                               CGridStyle& style) {
    // The fill shows whether or not the XF says its pattern is used: solid
    // fills written by other programs often leave the flag clear. Pattern 0
    // is no fill whatever colours the XF carries; writers leave their
    // defaults there, black among them.
    const std::uint8_t pattern = xf.GetFillPattern();
    if (pattern == kNoFill) return;
    // Patterns 1-18 draw the system colours too: window text (64, the
    // automatic pattern colour) as black and window background (65) as
    // white. A damaged code past 18 keeps to the palette's colours, so that
    // it never blackens a cell.
    const bool known = pattern <= kLastFillPattern;
    const auto color = [&palette, known](std::uint8_t index) -> std::optional<std::uint32_t> {
        if (known && index == kWindowTextColor) return 0x000000;
        if (known && index == kWindowBackgroundColor) return 0xFFFFFF;
        return palette.Color(index);
    };
    style.background = color(xf.GetPatternColor());
    if (!style.background) return;
    style.fillPattern = pattern;
    style.patternBackground = color(xf.GetPatternBackgroundColor());
}

CGridStyle CPreviewFormatTable::MakeStyle(const CExcelRecordWBXF& xf) const {
    CGridStyle style;
    // Alignment is read whatever the used-attribute bits say, as the save
    // does: writers set the alignment fields of every cell XF.
    style.alignment = Alignment(xf);
    Fill(xf, m_palette, style);
    if (xf.IsFontUsed()) {
        const std::uint32_t position = CExcelGlobalLookup::FontPosition(xf.GetFontIndex());
        if (position < m_fonts.size()) {
            const CExcelRecordWBFONT& font = *m_fonts[position];
            style.font = GridFont(font);
            style.textColor = m_palette.Color(font.GetColorIndex());
        }
    }
    // The borders show whatever the border-used flag says: a cell XF's own
    // lines apply unless they equal its parent style's, and then they are
    // the same lines.
    style.borders = Borders(xf, m_palette);
    return style;
}

CGridTextRuns CPreviewFormatTable::TextRuns(const CExcelSSTData& entry) const {
    CGridTextRuns runs;
    const std::size_t length = entry.GetText().size();
    // The decoder keeps only the runs the SST's bytes hold; the store's cap
    // bounds what is kept of them.
    for (const CFormatingRuns& run : entry.GetRuns()) {
        if (runs.size() >= CSheetGridStore::kTextRunLimit) break;
        // A damaged string may name characters it does not have, or runs
        // out of order; neither can say where a font starts.
        if (run.GetFirstChar() >= length) continue;
        if (!runs.empty() && run.GetFirstChar() <= runs.back().firstChar) continue;
        CGridTextRun grid;
        grid.firstChar = run.GetFirstChar();
        const std::uint32_t position = CExcelGlobalLookup::FontPosition(run.GetFontIndex());
        if (position < m_fonts.size()) {
            grid.font = GridFont(*m_fonts[position]);
            grid.textColor = m_palette.Color(m_fonts[position]->GetColorIndex());
        }
        runs.push_back(std::move(grid));
    }
    return runs;
}

const CGridStyle* CPreviewFormatTable::GetStyle(std::uint32_t xfIndex) {
    if (xfIndex >= m_xfs.size()) return nullptr;
    std::optional<CGridStyle>& slot = m_styles[xfIndex];
    if (!slot) slot = MakeStyle(*m_xfs[xfIndex]);
    return &*slot;
}

std::u16string CPreviewFormatTable::NumberText(std::uint32_t xfIndex, double value) {
    // A lost XF falls back to General rather than to another cell's format.
    const std::uint16_t formatIndex = xfIndex < m_xfs.size() ? m_xfs[xfIndex]->GetFormatIndex() : 0;
    auto found = m_formats.find(formatIndex);
    if (found == m_formats.end())
        found = m_formats
                    .emplace(formatIndex, CFormatNumberApiFormating::Prepared(
                                              CExcelFormatText::Lookup(m_workbook, formatIndex)))
                    .first;
    return m_renderer.Format(found->second, value);
}
