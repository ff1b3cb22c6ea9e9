#include "server/CXlsStyleTable.h"

#include <algorithm>
#include <unordered_map>

#include "server/CXlsBuiltinNumberFormats.h"

using namespace xlsw;

namespace {

// The style XFs, as the spreadsheet writes them for a new workbook: Normal
// (0), the outline level styles (1-14), and Comma, Comma [0], Currency,
// Currency [0], Percent (16-20). Each leaves to its parent what its
// attribute byte marks.
struct StyleXf {
    std::uint16_t font;
    std::uint16_t numberFormat;
    std::uint8_t leftToParent;
};

// clang-format off
constexpr StyleXf kStyleXfs[] = {
    {0, 0, 0x00},                                                  // 0: Normal
    {1, 0, 0xF4}, {1, 0, 0xF4}, {2, 0, 0xF4}, {2, 0, 0xF4},        // 1-14: outline levels
    {0, 0, 0xF4}, {0, 0, 0xF4}, {0, 0, 0xF4}, {0, 0, 0xF4}, {0, 0, 0xF4},
    {0, 0, 0xF4}, {0, 0, 0xF4}, {0, 0, 0xF4}, {0, 0, 0xF4}, {0, 0, 0xF4},
    {0, 0, 0x00},                                                  // 15: default cell XF
    {1, 43, 0xF8}, {1, 41, 0xF8}, {1, 44, 0xF8}, {1, 42, 0xF8},    // 16-19: Comma, Currency
    {1, 9, 0xF8},                                                  // 20: Percent
};
// clang-format on
static_assert(std::size(kStyleXfs) == kStyleXfCount);

// STYLE records of the built-in styles: XF index and built-in style id.
struct BuiltinStyle {
    std::uint16_t xf;
    std::uint8_t id;
};
constexpr BuiltinStyle kBuiltinStyles[] = {{0, 0}, {16, 3}, {17, 6}, {18, 4}, {19, 7}, {20, 5}};

constexpr std::uint16_t kDefaultFontCopies = 4;  // fonts 0-3
constexpr std::uint16_t kStyleXfFlags = kXfLocked | kXfStyle | (kXfNoParent << kXfParentShift);

struct FontHasher {
    std::size_t operator()(const CXlsFont& font) const { return font.Hash(); }
};

// The three alignment bytes of an XF: horizontal, wrap and vertical; the
// rotation; indent and shrink-to-fit.
struct XfAlignment {
    std::uint8_t align = kXfAlignBottom;
    std::uint8_t rotation = 0;
    std::uint8_t indent = 0;
};

XfAlignment AlignmentBytes(const CXlsAlignment& alignment) {
    XfAlignment bytes;
    bytes.align = static_cast<std::uint8_t>(alignment.Horizontal() | (alignment.Wrap() ? 0x08 : 0) |
                                            (alignment.Vertical() << 4));
    bytes.rotation = alignment.Rotation();
    bytes.indent =
        static_cast<std::uint8_t>(alignment.Indent() | (alignment.ShrinkToFit() ? 0x10 : 0));
    return bytes;
}

void PutXf(CBiffRecordBuilder& xf, std::uint16_t font, std::uint16_t numberFormat,
           std::uint16_t flags, const XfAlignment& alignment, std::uint8_t used,
           std::uint32_t lines, std::uint32_t linesAndFill, std::uint16_t fillColors) {
    xf.U16(font).U16(numberFormat).U16(flags);
    xf.U8(alignment.align).U8(alignment.rotation).U8(alignment.indent).U8(used);
    xf.U32(lines).U32(linesAndFill).U16(fillColors);
}

std::uint32_t LineColor(const CXlsBorders& borders, CXlsBorders::EEdge edge) {
    const bool drawn = edge == CXlsBorders::kDiagonalDown
                           ? borders.DiagonalDown() || borders.DiagonalUp()
                           : borders.LineStyle(edge) != CXlsBorders::kLineNone;
    return drawn ? CXlsColorIndex::ToBiff(borders.ColorIndex(edge), kColorAutoLine) : 0;
}

}  // namespace

CXlsStyleTable::CXlsStyleTable(const CXlsFormatPool& pool) : m_pool(pool) {}

void CXlsStyleTable::Use(std::uint32_t formatId) {
    if (formatId >= m_pool.Count()) return;
    if (m_used.size() <= formatId) m_used.resize(m_pool.Count(), false);
    m_used[formatId] = true;
}

void CXlsStyleTable::Assign() {
    const CXlsFont defaultFont;
    std::unordered_map<CXlsFont, std::uint16_t, FontHasher> fonts;
    std::unordered_map<std::u16string, std::uint16_t> customFormats;
    std::uint16_t nextCustom = kFirstUserFormat;

    m_xf.assign(m_used.size(), static_cast<std::uint16_t>(kDefaultCellXf));
    for (std::uint32_t id = 1; id < m_used.size(); ++id) {
        if (!m_used[id]) continue;
        if (kStyleXfCount + m_cellXfs.size() >= kMaxXfCount) {
            ++m_dropped;
            continue;
        }
        const CXlsCellFormat& format = m_pool.Get(id);

        std::uint16_t font = 0;
        if (!(format.Font() == defaultFont)) {
            if (const auto it = fonts.find(format.Font()); it != fonts.end()) {
                font = it->second;
            } else if (m_fonts.size() < kMaxFontRecords - kDefaultFontCopies) {
                // Index 4 is skipped: the fifth record has index 5.
                font = static_cast<std::uint16_t>(kDefaultFontCopies + 1 + m_fonts.size());
                m_fonts.push_back(format.Font());
                fonts.emplace(format.Font(), font);
            }
        }

        std::uint16_t numberFormat = 0;
        if (const auto builtin = CXlsBuiltinNumberFormats::IndexOf(format.NumberFormat())) {
            numberFormat = *builtin;
        } else if (const auto it = customFormats.find(format.NumberFormat());
                   it != customFormats.end()) {
            numberFormat = it->second;
        } else if (nextCustom < 0xFFFF) {
            numberFormat = nextCustom++;
            customFormats.emplace(format.NumberFormat(), numberFormat);
            m_numberFormats.push_back({numberFormat, format.NumberFormat()});
        }

        m_xf[id] = static_cast<std::uint16_t>(kStyleXfCount + m_cellXfs.size());
        m_cellXfs.push_back({id, font, numberFormat});
    }
}

std::uint16_t CXlsStyleTable::XfIndex(std::uint32_t formatId) const {
    return formatId < m_xf.size() ? m_xf[formatId] : static_cast<std::uint16_t>(kDefaultCellXf);
}

std::uint32_t CXlsStyleTable::FontCount() const {
    return kDefaultFontCopies + static_cast<std::uint32_t>(m_fonts.size());
}

bool CXlsStyleTable::Write(CBiffRecordWriter& out) const {
    return WriteFonts(out) && WriteNumberFormats(out) && WriteXfs(out) && WriteStyles(out);
}

bool CXlsStyleTable::WriteFonts(CBiffRecordWriter& out) const {
    const CXlsFont defaultFont;
    CBiffRecordBuilder record;
    for (std::uint32_t i = 0; i < FontCount(); ++i) {
        const CXlsFont& font =
            i < kDefaultFontCopies ? defaultFont : m_fonts[i - kDefaultFontCopies];
        record.Reset(kFONT);
        record.U16(font.HeightTwips())
            .U16(static_cast<std::uint16_t>((font.Bold() ? kFontBold : 0) |
                                            (font.Italic() ? kFontItalic : 0) |
                                            (font.Strikethrough() ? kFontStrikeOut : 0)))
            .U16(CXlsColorIndex::ToBiff(font.ColorIndex(), kFontColorAuto))
            .U16(font.Bold() ? kFontWeightBold : kFontWeightNormal)
            .U16(font.Escapement())
            .U8(font.Underline())
            .U8(0)  // family: not known
            .U8(kFontDefaultCharSet)
            .U8(0)
            .ShortString(font.Name());
        if (!out.Write(record)) return false;
    }
    return true;
}

bool CXlsStyleTable::WriteNumberFormats(CBiffRecordWriter& out) const {
    CBiffRecordBuilder record;
    for (std::uint16_t index = 0; index < kFirstUserFormat; ++index) {
        if (!CXlsBuiltinNumberFormats::IsAlwaysWritten(index)) continue;
        record.Reset(kFORMAT);
        record.U16(index).LongString(CXlsBuiltinNumberFormats::TextOf(index));
        if (!out.Write(record)) return false;
    }
    for (const NumberFormat& format : m_numberFormats) {
        record.Reset(kFORMAT);
        record.U16(format.index).LongString(format.text);
        if (!out.Write(record)) return false;
    }
    return true;
}

bool CXlsStyleTable::WriteXfs(CBiffRecordWriter& out) const {
    CBiffRecordBuilder record;
    for (std::uint32_t i = 0; i < kStyleXfCount; ++i) {
        const StyleXf& style = kStyleXfs[i];
        record.Reset(kXF);
        const std::uint16_t flags = i == kDefaultCellXf ? kXfLocked : kStyleXfFlags;
        PutXf(record, style.font, style.numberFormat, flags, XfAlignment{}, style.leftToParent, 0,
              0, kColorAutoLine | (kColorAutoPatternBack << 7));
        if (!out.Write(record)) return false;
    }

    const CXlsCellFormat defaults;
    for (const CellXf& cell : m_cellXfs) {
        const CXlsCellFormat& format = m_pool.Get(cell.formatId);
        const CXlsBorders& b = format.Borders();
        const CXlsInterior& fill = format.Interior();

        std::uint8_t used = 0;
        if (format.NumberFormat() != defaults.NumberFormat()) used |= kXfUsedFormat;
        if (!(format.Font() == defaults.Font())) used |= kXfUsedFont;
        if (b.HasLines()) used |= kXfUsedBorder;
        if (fill.IsFilled()) used |= kXfUsedPattern;
        if (!(format.Alignment() == defaults.Alignment())) used |= kXfUsedAlign;
        if (format.Locked() != defaults.Locked() ||
            format.FormulaHidden() != defaults.FormulaHidden())
            used |= kXfUsedProtect;
        const std::uint16_t protection = static_cast<std::uint16_t>(
            (format.Locked() ? kXfLocked : 0) | (format.FormulaHidden() ? kXfHidden : 0));

        std::uint32_t lines =
            b.LineStyle(CXlsBorders::kLeft) | (b.LineStyle(CXlsBorders::kRight) << 4) |
            (b.LineStyle(CXlsBorders::kTop) << 8) | (b.LineStyle(CXlsBorders::kBottom) << 12) |
            (LineColor(b, CXlsBorders::kLeft) << 16) | (LineColor(b, CXlsBorders::kRight) << 23);
        if (b.DiagonalDown()) lines |= kXfDiagDown;
        if (b.DiagonalUp()) lines |= kXfDiagUp;
        const std::uint32_t diagonalStyle = std::max(b.LineStyle(CXlsBorders::kDiagonalDown),
                                                     b.LineStyle(CXlsBorders::kDiagonalUp));

        // A solid fill is drawn in the cell's colour; a hatching draws the
        // pattern colour over the cell's colour.
        std::uint16_t fore = kColorAutoLine;
        std::uint16_t back = kColorAutoPatternBack;
        if (fill.Pattern() == CXlsInterior::kPatternSolid) {
            fore = CXlsColorIndex::ToBiff(fill.ColorIndex(), kColorAutoLine);
        } else if (fill.IsFilled()) {
            fore = CXlsColorIndex::ToBiff(fill.PatternColorIndex(), kColorAutoLine);
            back = CXlsColorIndex::ToBiff(fill.ColorIndex(), kColorAutoPatternBack);
        }
        const std::uint32_t linesAndFill =
            LineColor(b, CXlsBorders::kTop) | (LineColor(b, CXlsBorders::kBottom) << 7) |
            (LineColor(b, CXlsBorders::kDiagonalDown) << 14) | (diagonalStyle << 21) |
            (static_cast<std::uint32_t>(fill.Pattern()) << 26);

        record.Reset(kXF);
        PutXf(record, cell.font, cell.numberFormat, protection, AlignmentBytes(format.Alignment()),
              used, lines, linesAndFill, static_cast<std::uint16_t>(fore | (back << 7)));
        if (!out.Write(record)) return false;
    }
    return true;
}

bool CXlsStyleTable::WriteStyles(CBiffRecordWriter& out) const {
    CBiffRecordBuilder record;
    for (const BuiltinStyle& style : kBuiltinStyles) {
        record.Reset(kSTYLE);
        record.U16(static_cast<std::uint16_t>(kStyleBuiltIn | style.xf)).U8(style.id).U8(0xFF);
        if (!out.Write(record)) return false;
    }
    return true;
}
