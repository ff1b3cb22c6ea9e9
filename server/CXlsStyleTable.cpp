#include "server/CXlsStyleTable.h"

#include <algorithm>
#include <unordered_map>

#include "server/CXlsBuiltinNumberFormats.h"

using namespace xlsw;

namespace {

// The style XFs, as the spreadsheet writes them for a new workbook: Normal
// (0), the outline level styles (1-14), and Comma, Comma [0], Currency,
// Currency [0], Percent (16-20). Each leaves to its parent what its
// attribute byte marks. XF 0 and 16-20 are written from the workbook's
// styles (CXlsStyles); their rows here are what a new workbook's styles give.
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

// The style XFs of the workbook's styles at positions 0-5.
constexpr std::uint16_t kBuiltinStyleXfs[CXlsStyles::kBuiltinCount] = {0, 16, 17, 18, 19, 20};

constexpr std::uint16_t kDefaultFontCopies = 4;  // fonts 0-3
constexpr std::uint16_t kStyleXfFlags = kXfLocked | kXfStyle | (kXfNoParent << kXfParentShift);

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

// The groups in which two formats differ (used-attribute bits).
std::uint8_t DifferingGroups(const CXlsCellFormat& a, const CXlsCellFormat& b) {
    std::uint8_t groups = 0;
    if (a.NumberFormat() != b.NumberFormat()) groups |= kXfUsedFormat;
    if (!(a.Font() == b.Font())) groups |= kXfUsedFont;
    if (!(a.Alignment() == b.Alignment())) groups |= kXfUsedAlign;
    if (!(a.Borders() == b.Borders())) groups |= kXfUsedBorder;
    if (!(a.Interior() == b.Interior())) groups |= kXfUsedPattern;
    if (a.Locked() != b.Locked() || a.FormulaHidden() != b.FormulaHidden())
        groups |= kXfUsedProtect;
    return groups;
}

// An XF with the alignment, lines and fill of a format.
void PutFormatXf(CBiffRecordBuilder& record, std::uint16_t font, std::uint16_t numberFormat,
                 std::uint16_t flags, std::uint8_t used, const CXlsCellFormat& format) {
    const CXlsBorders& b = format.Borders();
    const CXlsInterior& fill = format.Interior();

    std::uint32_t lines =
        b.LineStyle(CXlsBorders::kLeft) | (b.LineStyle(CXlsBorders::kRight) << 4) |
        (b.LineStyle(CXlsBorders::kTop) << 8) | (b.LineStyle(CXlsBorders::kBottom) << 12) |
        (LineColor(b, CXlsBorders::kLeft) << 16) | (LineColor(b, CXlsBorders::kRight) << 23);
    if (b.DiagonalDown()) lines |= kXfDiagDown;
    if (b.DiagonalUp()) lines |= kXfDiagUp;
    const std::uint32_t diagonalStyle =
        std::max(b.LineStyle(CXlsBorders::kDiagonalDown), b.LineStyle(CXlsBorders::kDiagonalUp));

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

    PutXf(record, font, numberFormat, flags, AlignmentBytes(format.Alignment()), used, lines,
          linesAndFill, static_cast<std::uint16_t>(fore | (back << 7)));
}

// A named style's XF: the groups it leaves out are marked in its
// used-attribute bits.
void PutStyleXf(CBiffRecordBuilder& record, std::uint16_t font, std::uint16_t numberFormat,
                const CXlsStyles::Style& style) {
    const CXlsCellFormat& format = style.format;
    const std::uint16_t flags = static_cast<std::uint16_t>(
        (kStyleXfFlags & ~kXfLocked) | (format.Locked() ? kXfLocked : 0) |
        (format.FormulaHidden() ? kXfHidden : 0));
    const auto leftOut = static_cast<std::uint8_t>(~style.included & CXlsCellFormat::kAllGroups);
    PutFormatXf(record, font, numberFormat, flags, leftOut, format);
}

}  // namespace

CXlsStyleTable::CXlsStyleTable(const CXlsFormatPool& pool, const CXlsStyles& styles)
    : m_pool(pool), m_styles(styles), m_nextCustom(kFirstUserFormat) {}

void CXlsStyleTable::Use(std::uint32_t formatId) {
    if (formatId >= m_pool.Count()) return;
    if (m_used.size() <= formatId) m_used.resize(m_pool.Count(), false);
    m_used[formatId] = true;
}

std::uint16_t CXlsStyleTable::FontIndex(const CXlsFont& font) {
    if (font == CXlsFont()) return 0;
    if (const auto it = m_fontIndices.find(font); it != m_fontIndices.end()) return it->second;
    if (m_fonts.size() >= kMaxFontRecords - kDefaultFontCopies) return 0;
    // Index 4 is skipped: the fifth record has index 5.
    const auto index = static_cast<std::uint16_t>(kDefaultFontCopies + 1 + m_fonts.size());
    m_fonts.push_back(font);
    m_fontIndices.emplace(font, index);
    return index;
}

std::uint16_t CXlsStyleTable::NumberFormatIndex(const std::u16string& text) {
    if (const auto builtin = CXlsBuiltinNumberFormats::IndexOf(text)) return *builtin;
    if (const auto it = m_customFormats.find(text); it != m_customFormats.end()) return it->second;
    if (m_nextCustom == 0xFFFF) return 0;
    const std::uint16_t index = m_nextCustom++;
    m_customFormats.emplace(text, index);
    m_numberFormats.push_back({index, text});
    return index;
}

std::uint16_t CXlsStyleTable::StyleXfIndex(std::uint16_t style) const {
    if (style < CXlsStyles::kBuiltinCount) return kBuiltinStyleXfs[style];
    return style < m_styleXfs.size()
               ? static_cast<std::uint16_t>(kStyleXfCount + style - CXlsStyles::kBuiltinCount)
               : 0;
}

void CXlsStyleTable::Assign() {
    // Styles past what the XF limit leaves a few cell XFs are not written;
    // their cells take Normal as parent.
    const std::size_t styleCount =
        std::min<std::size_t>(m_styles.Count(), kMaxXfCount / 2 - kStyleXfCount);
    for (std::size_t i = 0; i < styleCount; ++i) {
        const CXlsCellFormat& format = m_styles.At(i).format;
        m_styleXfs.push_back(
            {0, FontIndex(format.Font()), NumberFormatIndex(format.NumberFormat())});
    }
    const std::uint32_t firstCellXf =
        kStyleXfCount + static_cast<std::uint32_t>(styleCount - CXlsStyles::kBuiltinCount);

    m_xf.assign(m_used.size(), static_cast<std::uint16_t>(kDefaultCellXf));
    for (std::uint32_t id = 1; id < m_used.size(); ++id) {
        if (!m_used[id]) continue;
        if (firstCellXf + m_cellXfs.size() >= kMaxXfCount) {
            ++m_dropped;
            continue;
        }
        const CXlsCellFormat& format = m_pool.Get(id);
        m_xf[id] = static_cast<std::uint16_t>(firstCellXf + m_cellXfs.size());
        m_cellXfs.push_back(
            {id, FontIndex(format.Font()), NumberFormatIndex(format.NumberFormat())});
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
        record.Reset(kXF);
        const auto builtin = std::find(std::begin(kBuiltinStyleXfs), std::end(kBuiltinStyleXfs), i);
        if (builtin != std::end(kBuiltinStyleXfs)) {
            const auto position = static_cast<std::size_t>(builtin - std::begin(kBuiltinStyleXfs));
            PutStyleXf(record, m_styleXfs[position].font, m_styleXfs[position].numberFormat,
                       m_styles.At(position));
        } else {
            const StyleXf& style = kStyleXfs[i];
            const std::uint16_t flags = i == kDefaultCellXf ? kXfLocked : kStyleXfFlags;
            PutXf(record, style.font, style.numberFormat, flags, XfAlignment{}, style.leftToParent,
                  0, 0, kColorAutoLine | (kColorAutoPatternBack << 7));
        }
        if (!out.Write(record)) return false;
    }
    for (std::size_t i = CXlsStyles::kBuiltinCount; i < m_styleXfs.size(); ++i) {
        record.Reset(kXF);
        PutStyleXf(record, m_styleXfs[i].font, m_styleXfs[i].numberFormat, m_styles.At(i));
        if (!out.Write(record)) return false;
    }
    for (const CellXf& cell : m_cellXfs) {
        const CXlsCellFormat& format = m_pool.Get(cell.formatId);
        const std::uint16_t style =
            format.Style() < m_styleXfs.size() ? format.Style() : std::uint16_t{0};
        const std::uint8_t used = static_cast<std::uint8_t>(
            format.OwnGroups() | DifferingGroups(format, m_styles.At(style).format));
        const std::uint16_t flags = static_cast<std::uint16_t>(
            (format.Locked() ? kXfLocked : 0) | (format.FormulaHidden() ? kXfHidden : 0) |
            (StyleXfIndex(style) << kXfParentShift));
        record.Reset(kXF);
        PutFormatXf(record, cell.font, cell.numberFormat, flags, used, format);
        if (!out.Write(record)) return false;
    }
    return true;
}

bool CXlsStyleTable::WriteStyles(CBiffRecordWriter& out) const {
    CBiffRecordBuilder record;
    for (std::size_t i = 0; i < m_styleXfs.size(); ++i) {
        const CXlsStyles::Style& style = m_styles.At(i);
        const std::uint16_t xf = StyleXfIndex(static_cast<std::uint16_t>(i));
        record.Reset(kSTYLE);
        if (style.builtinId != CXlsStyles::kNotBuiltIn) {
            record.U16(static_cast<std::uint16_t>(kStyleBuiltIn | xf)).U8(style.builtinId).U8(0xFF);
        } else {
            record.U16(xf).LongString(style.name);
        }
        if (!out.Write(record)) return false;
    }
    return true;
}
