// The cell format and named style puts of CXLAutomation.
#include <string>
#include <tuple>
#include <utility>

#include "save/CXLAutomation.h"

namespace {

// "B3" for column 2, row 3 (both from 1; columns up to IV).
std::u16string CellAddress(double column, double row) {
    std::u16string letters;
    for (auto c = static_cast<std::uint32_t>(column); c > 0; c = (c - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char16_t>(u'A' + (c - 1) % 26));
    }
    const std::string digits = std::to_string(static_cast<std::uint32_t>(row));
    return letters + std::u16string(digits.begin(), digits.end());
}

constexpr std::pair<std::u16string_view, std::uint8_t> kIncludes[] = {
    {u"IncludeNumber", CXLCellFormat::kGroupNumber},
    {u"IncludeFont", CXLCellFormat::kGroupFont},
    {u"IncludeAlignment", CXLCellFormat::kGroupAlignment},
    {u"IncludeBorder", CXLCellFormat::kGroupBorder},
    {u"IncludePatterns", CXLCellFormat::kGroupPattern},
    {u"IncludeProtection", CXLCellFormat::kGroupProtection},
};

}  // namespace

void CXLAutomation::PutFormatValues(IDispatch* target, const CXLCellFormat& format,
                                    const CXLCellFormat& shown, std::uint8_t putAll,
                                    std::uint8_t own) {
    // A value is put when the cells do not show it yet or its whole group
    // is to be put; `done` collects the groups that got a put.
    std::uint8_t done = 0;
    const auto wanted = [putAll, &done](std::uint8_t group, const auto& value,
                                        const auto& initial) {
        const bool put = (putAll & group) != 0 || !(value == initial);
        if (put) done |= group;
        return put;
    };
    // An own group that got no put yet takes one, so the server marks it.
    const auto marks = [own, &done](std::uint8_t group) {
        const bool put = (own & group) != 0 && (done & group) == 0;
        if (put) done |= group;
        return put;
    };
    constexpr std::uint8_t kNumber = CXLCellFormat::kGroupNumber;
    constexpr std::uint8_t kAlign = CXLCellFormat::kGroupAlignment;
    constexpr std::uint8_t kProtect = CXLCellFormat::kGroupProtection;
    constexpr std::uint8_t kFont = CXLCellFormat::kGroupFont;

    if (wanted(kNumber, format.numberFormat, shown.numberFormat) || marks(kNumber))
        PutText(target, u"NumberFormat", format.numberFormat, 0);
    const std::tuple<std::u16string_view, std::uint8_t, std::int16_t, std::int16_t> shorts[] = {
        {u"HorizontalAlignment", kAlign, format.horizontal, shown.horizontal},
        {u"VerticalAlignment", kAlign, format.vertical, shown.vertical},
        {u"Orientation", kAlign, format.orientation, shown.orientation},
        {u"IndentLevel", kAlign, format.indent, shown.indent},
    };
    for (const auto& [member, group, value, initial] : shorts) {
        if (wanted(group, value, initial)) PutShort(target, member, value, 0);
    }
    const std::tuple<std::u16string_view, std::uint8_t, bool, bool> flags[] = {
        {u"WrapText", kAlign, format.wrap, shown.wrap},
        {u"ShrinkToFit", kAlign, format.shrink, shown.shrink},
        {u"Locked", kProtect, format.locked, shown.locked},
        {u"FormulaHidden", kProtect, format.formulaHidden, shown.formulaHidden},
    };
    for (const auto& [member, group, value, initial] : flags) {
        if (wanted(group, value, initial)) PutBool(target, member, value, 0);
    }
    if (marks(kAlign)) PutShort(target, u"HorizontalAlignment", format.horizontal, 0);
    if (marks(kProtect)) PutBool(target, u"Locked", format.locked, 0);

    const CXLCellFormat::Font& f = format.font;
    const CXLCellFormat::Font& was = shown.font;
    if ((putAll & kFont) != 0 || !(f == was) || (own & kFont) != 0) {
        ResetArguments();
        if (IDispatch* font = GetObjectMember(target, u"Font", kResetAfterCall)) {
            if (!f.name.empty() && wanted(kFont, f.name, was.name))
                PutText(font, u"Name", f.name, 0);
            if (wanted(kFont, f.size, was.size)) PutDouble(font, u"Size", f.size, 0);
            const std::pair<std::u16string_view, std::pair<bool, bool>> fontFlags[] = {
                {u"Bold", {f.bold, was.bold}},
                {u"Italic", {f.italic, was.italic}},
                {u"Strikethrough", {f.strikethrough, was.strikethrough}},
                {u"Superscript", {f.superscript, was.superscript}},
                {u"Subscript", {f.subscript, was.subscript}},
            };
            for (const auto& [member, values] : fontFlags) {
                if (wanted(kFont, values.first, values.second))
                    PutBool(font, member, values.first, 0);
            }
            if (wanted(kFont, f.underline, was.underline))
                PutShort(font, u"Underline", f.underline, 0);
            if (wanted(kFont, f.colorIndex, was.colorIndex))
                PutShort(font, u"ColorIndex", f.colorIndex, 0);
            if (marks(kFont)) PutBool(font, u"Bold", f.bold, 0);
            font->Release();
        }
    }

    const CXLCellFormat::Interior& fill = format.interior;
    if (wanted(CXLCellFormat::kGroupPattern, fill, shown.interior) ||
        marks(CXLCellFormat::kGroupPattern)) {
        ResetArguments();
        if (IDispatch* interior = GetObjectMember(target, u"Interior", kResetAfterCall)) {
            if (fill.pattern != 0) {
                PutShort(interior, u"ColorIndex", fill.colorIndex, 0);
                PutShort(interior, u"Pattern", fill.pattern, 0);
                PutShort(interior, u"PatternColorIndex", fill.patternColorIndex, 0);
            } else {
                PutShort(interior, u"Pattern", 0, 0);
            }
            interior->Release();
        }
    }

    for (std::size_t edge = 0; edge < format.lines.size(); ++edge) {
        const CXLCellFormat::Line& line = format.lines[edge];
        if (!wanted(CXLCellFormat::kGroupBorder, line, shown.lines[edge]) &&
            !(edge + 1 == format.lines.size() && marks(CXLCellFormat::kGroupBorder)))
            continue;
        ResetArguments();
        if (!PushShort(u"", 0, static_cast<std::int16_t>(edge + 1))) continue;
        IDispatch* border = GetObjectMember(target, u"Borders", kResetAfterCall);
        if (border == nullptr) continue;
        PutShort(border, u"LineStyle", line.lineStyle, 0);
        if (line.lineStyle != 0) PutShort(border, u"ColorIndex", line.colorIndex, 0);
        border->Release();
    }
}

bool CXLAutomation::ApplyCellFormat(double c1, double r1, double c2, double r2,
                                    const CXLCellFormat& format, bool complete,
                                    const CXLStyleBase* base) {
    if (m_firstWorksheet == nullptr || c1 < 1 || r1 < 1) return false;
    ResetArguments();
    if (!PushText(u"", 0, CellAddress(c2, r2)) || !PushText(u"", 0, CellAddress(c1, r1))) {
        return false;
    }
    IDispatch* range = GetObjectMember(m_activeWorksheet, u"Range", kResetAfterCall);
    if (range == nullptr) return false;

    const CXLStyleBase fresh;
    const CXLStyleBase& from = base != nullptr ? *base : fresh;
    // The style first: it resets the groups it includes to its values, and
    // the puts after it make the cells' own groups.
    std::uint8_t putAll = 0;
    if (!format.style.empty() || complete) {
        PutText(range, u"Style", format.style.empty() ? u"Normal" : format.style, 0);
        // Groups the style leaves out keep what the cells held before.
        if (complete)
            putAll = static_cast<std::uint8_t>(~from.included & CXLCellFormat::kAllGroups);
    }
    PutFormatValues(range, format, from.shown, putAll, format.ownGroups);
    ResetArguments();
    range->Release();
    return true;
}

bool CXLAutomation::ApplyStyle(std::u16string_view name, const CXLCellFormat& format,
                               std::uint8_t included) {
    if (m_workbook == nullptr || name.empty()) return false;
    ResetArguments();
    IDispatch* styles = GetObjectMember(m_workbook, u"Styles", kResetAfterCall);
    if (styles == nullptr) return false;
    ResetArguments();
    IDispatch* style = nullptr;
    if (PushText(u"", 0, name))
        style = GetObjectMember(styles, u"Item", kResetAfterCall | kQuietCall);
    if (style == nullptr) {
        ResetArguments();
        if (PushText(u"", 0, name)) style = GetObjectMember(styles, u"Add", kResetAfterCall);
    }
    styles->Release();
    if (style == nullptr) return false;
    for (const auto& [member, group] : kIncludes) {
        PutBool(style, member, (included & group) != 0, 0);
    }
    // Every value of the groups it includes: a built-in style holds values
    // of its own before.
    PutFormatValues(style, format, CXLCellFormat{}, included, 0);
    ResetArguments();
    style->Release();
    return true;
}
