#include "save/CSaveNamedStyles.h"

#include <array>

#include "model/CExcelWorkBook.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordSTYLE.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "save/CSaveXfFormat.h"
#include "save/CXLEzAutomation.h"

namespace {

// The built-in styles by id, as the object model names them (id 0 is
// Normal, ids 1 and 2 the outline levels).
constexpr std::array<std::u16string_view, 10> kBuiltinNames = {u"",          u"",
                                                               u"",          u"Comma",
                                                               u"Currency",  u"Percent",
                                                               u"Comma [0]", u"Currency [0]",
                                                               u"Hyperlink", u"Followed Hyperlink"};

constexpr std::uint16_t kXfIsStyle = 0x0004;

// What a cell shows once the style is put: its values for the groups it
// includes, a fresh cell's for the others.
CXLStyleBase BaseOf(const CXLCellFormat& style, std::uint8_t included) {
    CXLStyleBase base;
    base.included = included;
    CXLCellFormat& shown = base.shown;
    if (included & CXLCellFormat::kGroupNumber) shown.numberFormat = style.numberFormat;
    if (included & CXLCellFormat::kGroupFont) shown.font = style.font;
    if (included & CXLCellFormat::kGroupAlignment) {
        shown.horizontal = style.horizontal;
        shown.vertical = style.vertical;
        shown.wrap = style.wrap;
        shown.orientation = style.orientation;
        shown.indent = style.indent;
        shown.shrink = style.shrink;
    }
    if (included & CXLCellFormat::kGroupBorder) shown.lines = style.lines;
    if (included & CXLCellFormat::kGroupPattern) shown.interior = style.interior;
    if (included & CXLCellFormat::kGroupProtection) {
        shown.locked = style.locked;
        shown.formulaHidden = style.formulaHidden;
    }
    return base;
}

}  // namespace

std::u16string_view CSaveNamedStyles::BuiltinName(std::uint8_t id) {
    return id < kBuiltinNames.size() ? kBuiltinNames[id] : std::u16string_view();
}

CSaveNamedStyles::CSaveNamedStyles(const CExcelWorkBook& workbook) {
    if (workbook.GetStyles().GetCount() == 0) return;
    std::vector<const CExcelRecordWBXF*> xfs;
    for (const CExcelRecordWBXF* xf = workbook.GetXFs().GetHead(); xf; xf = xf->GetNext())
        xfs.push_back(xf);
    std::vector<const CExcelRecordWBFONT*> fonts;
    for (const CExcelRecordWBFONT* font = workbook.GetFonts().GetHead(); font;
         font = font->GetNext())
        fonts.push_back(font);
    for (const CExcelRecordSTYLE* record = workbook.GetStyles().GetHead(); record;
         record = record->GetNext()) {
        const std::uint32_t xfIndex = record->GetXfIndex();
        // A STYLE record naming a missing XF, or a cell XF, is damage: skipped.
        if (xfIndex >= xfs.size() || (xfs[xfIndex]->GetTypeProtection() & kXfIsStyle) == 0)
            continue;
        if (m_byXf.size() <= xfIndex) m_byXf.resize(xfIndex + 1);
        Style& style = m_byXf[xfIndex];
        if (!style.name.empty()) continue;
        style.name = record->IsBuiltIn() ? std::u16string(BuiltinName(record->GetBuiltInId()))
                                         : record->GetName();
        if (style.name.empty()) continue;
        const CExcelRecordWBXF& xf = *xfs[xfIndex];
        const std::uint32_t font = CExcelGlobalLookup::FontPosition(xf.GetFontIndex());
        const CXLCellFormat values = CSaveXfFormat::Build(
            xf, font < fonts.size() ? fonts[font] : nullptr, workbook.GetFormats());
        // In a style XF a set used-attribute bit marks a group left out.
        const auto included =
            static_cast<std::uint8_t>(~xf.GetUsedAttributes() & CXLCellFormat::kAllGroups);
        style.base = BaseOf(values, included);
        m_order.push_back(xfIndex);
    }
}

const CSaveNamedStyles::Style* CSaveNamedStyles::Of(std::uint32_t xfIndex) const {
    if (xfIndex >= m_byXf.size() || m_byXf[xfIndex].name.empty()) return nullptr;
    return &m_byXf[xfIndex];
}

void CSaveNamedStyles::Make(CXLEzAutomation& automation) const {
    for (const std::uint32_t xfIndex : m_order) {
        const Style& style = m_byXf[xfIndex];
        automation.ApplyStyle(style.name, style.base.shown, style.base.included);
    }
}
