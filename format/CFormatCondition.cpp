#include "format/CFormatCondition.h"

#include <charconv>
#include <string>
#include <system_error>

namespace {

struct SOpSpelling {
    const char16_t* m_text;
    CFormatCondition::EOp m_op;
};

// Two-character operators first, so that "<=" is not read as "<".
constexpr SOpSpelling kOps[] = {
    {u"<=", CFormatCondition::EOp::LessEqual},    {u">=", CFormatCondition::EOp::GreaterEqual},
    {u"<>", CFormatCondition::EOp::NotEqual},     {u"=<", CFormatCondition::EOp::LessEqual},
    {u"=>", CFormatCondition::EOp::GreaterEqual}, {u"<", CFormatCondition::EOp::Less},
    {u">", CFormatCondition::EOp::Greater},       {u"=", CFormatCondition::EOp::Equal},
};

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t';
}

// The longest prefix that looks like a number (sign, digits, point, exponent),
// narrowed to ASCII for from_chars. "1d1" reads as 1, "-1,000" as -1.
bool ReadBound(std::u16string_view text, double& bound) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    std::string ascii;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') ascii.push_back('-');
        ++i;
    }
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool exponentSign =
            (c == u'+' || c == u'-') && !ascii.empty() && (ascii.back() == 'e');
        if ((c >= u'0' && c <= u'9') || c == u'.' || exponentSign) {
            ascii.push_back(static_cast<char>(c));
        } else if (c == u'e' || c == u'E') {
            ascii.push_back('e');
        } else {
            break;
        }
    }
    double value = 0.0;
    const char* first = ascii.data();
    const char* last = ascii.data() + ascii.size();
    // from_chars stops at the first character that does not continue the
    // number, so a dangling "e" or "." is simply left over.
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc()) return false;
    bound = value;
    return true;
}

}  // namespace

CFormatCondition CFormatCondition::Parse(std::u16string_view inside) {
    std::size_t i = 0;
    while (i < inside.size() && IsSpace(inside[i])) ++i;
    const std::u16string_view rest = inside.substr(i);
    for (const SOpSpelling& spelling : kOps) {
        const std::u16string_view op(spelling.m_text);
        if (rest.substr(0, op.size()) != op) continue;
        double bound = 0.0;
        if (!ReadBound(rest.substr(op.size()), bound)) return {};
        return CFormatCondition(spelling.m_op, bound);
    }
    return {};
}

bool CFormatCondition::Holds(double value) const {
    switch (m_op) {
        case EOp::None:
            return true;
        case EOp::Less:
            return value < m_bound;
        case EOp::LessEqual:
            return value <= m_bound;
        case EOp::Greater:
            return value > m_bound;
        case EOp::GreaterEqual:
            return value >= m_bound;
        case EOp::Equal:
            return value == m_bound;
        case EOp::NotEqual:
            return value != m_bound;
    }
    return false;
}

bool CFormatCondition::AdmitsAllPositive() const {
    switch (m_op) {
        case EOp::None:
            return true;
        case EOp::Greater:
        case EOp::GreaterEqual:
        case EOp::NotEqual:
            return m_bound <= 0.0;
        default:
            return false;
    }
}

bool CFormatCondition::AdmitsNonNegative() const {
    switch (m_op) {
        case EOp::Less:
            return m_bound > 0.0;
        case EOp::LessEqual:
        case EOp::Equal:
            return m_bound >= 0.0;
        default:
            return true;
    }
}
