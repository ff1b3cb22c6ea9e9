#include "save/CSaveXfFormat.h"

#include <array>

#include "format/CExcelFormatText.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"

namespace {

// By the XF's horizontal (0-7) and vertical (0-4) alignment: xlHAlignGeneral,
// Left, Center, Right, Fill, Justify, CenterAcrossSelection, Distributed;
// xlVAlignTop, Center, Bottom, Justify, Distributed.
constexpr std::array<std::int16_t, 8> kHorizontal = {1, -4131, -4108, -4152, 5, -4130, 7, -4117};
constexpr std::array<std::int16_t, 5> kVertical = {-4160, -4108, -4107, -4130, -4117};

// FONT underline kinds against Font.Underline styles.
struct Underline {
    std::uint8_t kind;
    std::int16_t style;
};
constexpr Underline kUnderlines[] = {{0x01, 2}, {0x02, -4119}, {0x21, 4}, {0x22, 5}};

constexpr std::int16_t kOrientationVertical = -4166;
constexpr std::uint8_t kRotationStacked = 255;
constexpr std::uint8_t kLastRotation = 180;
constexpr std::uint8_t kRightAngle = 90;
constexpr std::uint8_t kLastPattern = 18;
constexpr std::uint16_t kBoldWeight = 700;
constexpr std::uint16_t kSuperscript = 1;
constexpr std::uint16_t kSubscript = 2;
constexpr double kTwipsPerPoint = 20.0;

// The first 8 colour indices are fixed colours; the palette starts at 8.
constexpr std::uint32_t kFirstPaletteIndex = 8;
constexpr std::uint32_t kLastPaletteIndex = 63;
constexpr std::uint32_t kWindowText = 0x40;
constexpr std::uint32_t kWindowBackground = 0x41;
constexpr std::uint32_t kFontDefault = 0x7FFF;

// The system colours as a standard desktop shows them: text black,
// backgrounds white (ColorIndex 1 and 2).
struct SystemColor {
    std::uint32_t biffIndex;
    std::int16_t shownAs;
};
constexpr SystemColor kSystemColors[] = {
    {kWindowText, 1}, {kWindowBackground, 2}, {0x51, 1}, {kFontDefault, 1}};

std::int16_t ShownAs(std::uint32_t biffIndex) {
    for (const SystemColor& system : kSystemColors) {
        if (system.biffIndex == biffIndex) return system.shownAs;
    }
    return 0;
}

// The object model's text of the built-in formats our reader spells the
// way they show ("M/D/YYYY" for 14): the save names a built-in by the text
// the spreadsheet gives it, so that a workbook's own FORMAT record written
// in the reader's spelling stays a format of its own.
struct ModelText {
    std::uint16_t index;
    std::u16string_view text;
};
constexpr ModelText kModelTexts[] = {
    {14, u"m/d/yy"},
    {15, u"d-mmm-yy"},
    {16, u"d-mmm"},
    {17, u"mmm-yy"},
    {22, u"m/d/yy h:mm"},
    {37, u"#,##0_);(#,##0)"},
    {38, u"#,##0_);[Red](#,##0)"},
    {39, u"#,##0.00_);(#,##0.00)"},
    {40, u"#,##0.00_);[Red](#,##0.00)"},
};

}  // namespace

std::u16string CSaveXfFormat::NumberFormat(const CTList<CExcelRecordWBFORMAT>& formats,
                                           std::uint16_t index) {
    // The source's own record wins for every index, built-in ones too: a
    // workbook from another country writes its currency codes (5-8, 41-44)
    // under the built-in indices.
    for (const CExcelRecordWBFORMAT& format : formats) {
        if (format.GetFormatIndex() == index) {
            std::u16string text = format.GetFormatString();
            if (!text.empty()) return text;
            break;
        }
    }
    for (const ModelText& model : kModelTexts) {
        if (model.index == index) return std::u16string(model.text);
    }
    const std::u16string_view builtIn = CExcelFormatText::BuiltIn(index);
    return builtIn.empty() ? std::u16string(u"General") : std::u16string(builtIn);
}

namespace {

std::int16_t Orientation(std::uint8_t rotation) {
    if (rotation == kRotationStacked) return kOrientationVertical;
    if (rotation <= kRightAngle) return rotation;
    // 91-180 are 1-90 degrees clockwise; a damaged byte above 180 is left
    // unrotated.
    if (rotation <= kLastRotation) return static_cast<std::int16_t>(kRightAngle - rotation);
    return 0;
}

void SetFont(CXLCellFormat::Font& out, const CExcelRecordWBFONT& font) {
    const std::u16string name = font.GetName();
    if (!name.empty()) out.name = name;
    // Readers refuse heights under one point; such a font keeps the default size.
    if (font.GetHeight() >= kTwipsPerPoint) out.size = font.GetHeight() / kTwipsPerPoint;
    out.bold = font.GetWeight() >= kBoldWeight;
    out.italic = font.IsItalic();
    out.strikethrough = font.IsStrikeOut();
    out.superscript = font.GetEscapement() == kSuperscript;
    out.subscript = font.GetEscapement() == kSubscript;
    for (const Underline& underline : kUnderlines) {
        if (underline.kind == font.GetUnderlineKind()) out.underline = underline.style;
    }
    out.colorIndex = CSaveXfFormat::ColorIndex(font.GetColorIndex(), kFontDefault);
}

void SetInterior(CXLCellFormat::Interior& out, const CExcelRecordWBXF& xf) {
    const std::uint8_t pattern = xf.GetFillPattern();
    // A pattern number past the 18 kinds is damage: the cell keeps no fill.
    if (pattern == 0 || pattern > kLastPattern) return;
    out.pattern = pattern;
    const std::int16_t fore = CSaveXfFormat::ColorIndex(xf.GetPatternColor(), kWindowText);
    // A solid fill shows its pattern colour as the cell's colour; a hatching
    // draws the pattern colour over the background colour.
    if (pattern == 1) {
        out.colorIndex = fore;
    } else {
        out.colorIndex =
            CSaveXfFormat::ColorIndex(xf.GetPatternBackgroundColor(), kWindowBackground);
        out.patternColorIndex = fore;
    }
}

void SetLines(std::array<CXLCellFormat::Line, CXLCellFormat::kEdgeCount>& lines,
              const CExcelRecordWBXF& xf) {
    const std::uint8_t styles[] = {xf.GetLeftBorderStyle(),
                                   xf.GetRightBorderStyle(),
                                   xf.GetTopBorderStyle(),
                                   xf.GetBottomBorderStyle(),
                                   xf.IsDiagonalDown() ? xf.GetDiagonalStyle() : std::uint8_t{0},
                                   xf.IsDiagonalUp() ? xf.GetDiagonalStyle() : std::uint8_t{0}};
    const std::uint8_t colors[] = {xf.GetLeftBorderColor(), xf.GetRightBorderColor(),
                                   xf.GetTopBorderColor(),  xf.GetBottomBorderColor(),
                                   xf.GetDiagonalColor(),   xf.GetDiagonalColor()};
    for (std::size_t edge = 0; edge < lines.size(); ++edge) {
        // Styles 14 and 15 do not exist: such an edge is left without a line.
        if (styles[edge] == 0 || styles[edge] > 13) continue;
        lines[edge].lineStyle = styles[edge];
        lines[edge].colorIndex = CSaveXfFormat::ColorIndex(colors[edge], kWindowText);
    }
}

}  // namespace

std::int16_t CSaveXfFormat::ColorIndex(std::uint32_t biffIndex) {
    if (biffIndex < kFirstPaletteIndex) return static_cast<std::int16_t>(biffIndex + 1);
    if (biffIndex <= kLastPaletteIndex) {
        return static_cast<std::int16_t>(biffIndex - kFirstPaletteIndex + 1);
    }
    return CXLCellFormat::kAutomatic;
}

std::int16_t CSaveXfFormat::ColorIndex(std::uint32_t biffIndex, std::uint32_t automaticIndex) {
    const std::int16_t shown = ShownAs(biffIndex);
    if (shown == 0 || shown == ShownAs(automaticIndex)) return ColorIndex(biffIndex);
    return shown;
}

CXLCellFormat CSaveXfFormat::Build(const CExcelRecordWBXF& xf, const CExcelRecordWBFONT* font,
                                   const CTList<CExcelRecordWBFORMAT>& formats) {
    CXLCellFormat format;
    format.numberFormat = NumberFormat(formats, xf.GetFormatIndex());
    const std::uint8_t horizontal = xf.GetHorizontalAlignment();
    format.horizontal = kHorizontal[horizontal];
    const std::uint8_t vertical = xf.GetVerticalAlignment();
    // Values 5-7 are not alignments: such a cell keeps the default.
    if (vertical < kVertical.size()) format.vertical = kVertical[vertical];
    format.wrap = xf.IsWrapped();
    format.orientation = Orientation(xf.GetRotation());
    format.indent = xf.GetIndentLevel();
    format.shrink = xf.IsShrinkToFit();
    format.locked = xf.IsLocked();
    format.formulaHidden = xf.IsFormulaHidden();
    if (font != nullptr) SetFont(format.font, *font);
    SetInterior(format.interior, xf);
    SetLines(format.lines, xf);
    return format;
}
