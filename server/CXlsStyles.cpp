#include "server/CXlsStyles.h"

#include "server/CXlsBuiltinNumberFormats.h"
#include "server/CXlsSheetName.h"

namespace {

struct BuiltinStyle {
    std::uint8_t id;
    std::u16string_view name;
};
constexpr BuiltinStyle kBuiltinStyles[] = {
    {0, u"Normal"},    {3, u"Comma"},        {4, u"Currency"},  {5, u"Percent"},
    {6, u"Comma [0]"}, {7, u"Currency [0]"}, {8, u"Hyperlink"}, {9, u"Followed Hyperlink"},
};

// The styles a new workbook has, in the order of their style XFs (0, 16-20):
// name, built-in number format index. All but Normal set the number format only.
struct InitialStyle {
    std::u16string_view name;
    std::uint16_t numberFormat;
};
constexpr InitialStyle kInitialStyles[] = {{u"Normal", 0},        {u"Comma", 43},
                                           {u"Comma [0]", 41},    {u"Currency", 44},
                                           {u"Currency [0]", 42}, {u"Percent", 9}};
static_assert(std::size(kInitialStyles) == CXlsStyles::kBuiltinCount);

}  // namespace

CXlsStyles::CXlsStyles() {
    for (const InitialStyle& initial : kInitialStyles) {
        Style style;
        style.name.assign(initial.name);
        style.builtinId = BuiltinId(initial.name);
        if (initial.numberFormat != 0) {
            style.format.SetNumberFormat(CXlsBuiltinNumberFormats::TextOf(initial.numberFormat));
            style.included = CXlsCellFormat::kGroupNumber;
        }
        m_styles.push_back(std::move(style));
    }
}

std::size_t CXlsStyles::Find(std::u16string_view name) const {
    for (std::size_t i = 0; i < m_styles.size(); ++i) {
        if (CXlsSheetName::SameName(m_styles[i].name, name)) return i;
    }
    return kNotFound;
}

std::size_t CXlsStyles::Add(std::u16string_view name) {
    if (name.empty() || name.size() > kMaxNameLength || m_styles.size() >= kMaxStyles ||
        Find(name) != kNotFound) {
        return kNotFound;
    }
    Style style;
    style.name.assign(name);
    style.builtinId = BuiltinId(name);
    style.format = m_styles.front().format;
    m_styles.push_back(std::move(style));
    return m_styles.size() - 1;
}

std::uint8_t CXlsStyles::BuiltinId(std::u16string_view name) {
    for (const BuiltinStyle& builtin : kBuiltinStyles) {
        if (CXlsSheetName::SameName(builtin.name, name)) return builtin.id;
    }
    return kNotBuiltIn;
}

std::u16string_view CXlsStyles::BuiltinName(std::uint8_t id) {
    for (const BuiltinStyle& builtin : kBuiltinStyles) {
        if (builtin.id == id) return builtin.name;
    }
    return {};
}

CXlsCellFormat CXlsStyles::Applied(const CXlsCellFormat& cell, std::uint16_t position) const {
    if (position >= m_styles.size()) return cell;
    const Style& style = m_styles[position];
    const CXlsCellFormat& from = style.format;
    CXlsCellFormat result = cell;
    const std::uint8_t groups = style.included;
    if (groups & CXlsCellFormat::kGroupNumber) result.SetNumberFormat(from.NumberFormat());
    if (groups & CXlsCellFormat::kGroupFont) result.Font() = from.Font();
    if (groups & CXlsCellFormat::kGroupAlignment) result.Alignment() = from.Alignment();
    if (groups & CXlsCellFormat::kGroupBorder) result.Borders() = from.Borders();
    if (groups & CXlsCellFormat::kGroupPattern) result.Interior() = from.Interior();
    if (groups & CXlsCellFormat::kGroupProtection) {
        result.SetLocked(from.Locked());
        result.SetFormulaHidden(from.FormulaHidden());
    }
    result.SetStyle(position);
    result.ClearOwn(groups);
    return result;
}
