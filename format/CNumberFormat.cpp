#include "format/CNumberFormat.h"

#include <cmath>

#include "format/CDateTimeRenderer.h"
#include "format/CFormatParser.h"
#include "format/CFractionRenderer.h"
#include "format/CGeneralNumber.h"
#include "format/CNumberRenderer.h"
#include "format/CPlaceholderText.h"
#include "format/CScientificRenderer.h"

namespace {

constexpr std::u16string_view kNoDate = u"########";
constexpr std::u16string_view kNotANumber = u"#NUM!";

}  // namespace

CNumberFormat::CNumberFormat(std::u16string_view code) : m_sections(CFormatParser::Parse(code)) {
    // The fourth section is for text; so is a last section holding '@'
    // ("0;@", "\"foo\";\"bar\";@"). Numbers never use it.
    m_numberSections = m_sections.size();
    if (m_numberSections == kMaxFormatSections) {
        m_numberSections = kMaxFormatSections - 1;
        m_hasTextSection = true;
    } else if (m_numberSections > 1 && m_sections.back().m_kind == ESectionKind::Text) {
        --m_numberSections;
        m_hasTextSection = true;
    }
}

bool CNumberFormat::IsDateTime() const {
    return !m_sections.empty() && m_sections.front().m_kind == ESectionKind::DateTime;
}

CNumberFormat::SChoice CNumberFormat::Choose(double value) const {
    for (std::size_t i = 0; i < m_numberSections; ++i) {
        if (m_sections[i].m_condition.IsSet()) return ChooseByCondition(value);
    }
    // Without conditions: positive; negative (shown without its minus,
    // the section writes its own sign, except that General there keeps
    // it); zero.
    const std::size_t n = m_numberSections;
    if (n == 1 || (value >= 0.0 && (value > 0.0 || n == 2))) return {&m_sections[0], value < 0.0};
    if (value < 0.0) return {&m_sections[1], m_sections[1].m_kind == ESectionKind::General};
    return {&m_sections[2], false};
}

CNumberFormat::SChoice CNumberFormat::ChooseByCondition(double value) const {
    const std::size_t n = m_numberSections;
    const CFormatCondition& first = m_sections[0].m_condition;
    const bool negative = value < 0.0;
    // A section whose condition admits only negative numbers shows them
    // without a minus ("[<=-1]0.00" gives 2.50 for -2.5; "[<=0]0.00" -2.50).
    auto byOwnCondition = [&](std::size_t i) {
        return SChoice{&m_sections[i], negative && m_sections[i].m_condition.AdmitsNonNegative()};
    };
    if (first.IsSet() && first.Holds(value)) return byOwnCondition(0);
    if (n == 1) return {};
    if (!first.IsSet()) {
        // "0.00;[>0]0.000": the first section without a condition takes the
        // positive numbers, the second's condition comes next and a third
        // section takes the rest; without one the rest is General.
        if (value > 0.0) return {&m_sections[0], false};
        if (m_sections[1].m_condition.Holds(value)) return byOwnCondition(1);
        if (n >= 3) return {&m_sections[2], negative};
        return {};
    }
    const CFormatCondition& second = m_sections[1].m_condition;
    if (second.IsSet()) {
        // After a first section that takes every positive number the second
        // is the negative numbers' section and drops the minus
        // ("[>=-10]0%;[<1]0.0" shows -15 as 15.0).
        if (second.Holds(value)) {
            return {&m_sections[1],
                    negative && second.AdmitsNonNegative() && !first.AdmitsAllPositive()};
        }
        if (n >= 3) return {&m_sections[2], negative};
        return {};
    }
    if (n >= 3) {
        // [cond];negative;rest.
        if (negative) return {&m_sections[1], false};
        return {&m_sections[2], false};
    }
    // [cond];rest: the program shows the minus there only when the first
    // condition's bound is positive, so that it also catches small positive
    // numbers ("[>1]0.00;0.000" gives -2.500, "[>0]0.0;0.00" gives 2.50).
    return {&m_sections[1], negative && first.Bound() > 0.0};
}

std::u16string CNumberFormat::RenderSection(const CFormatSection& section, double value,
                                            bool showMinus) const {
    const double magnitude = std::fabs(value);
    bool shownZero = (magnitude == 0.0);
    std::u16string text;
    switch (section.m_kind) {
        case ESectionKind::Empty:
            return {};
        case ESectionKind::Text:
            text = CGeneralNumber::Render(magnitude);
            break;
        case ESectionKind::General:
            if (section.m_tokens.empty()) text = CGeneralNumber::Render(magnitude);
            for (const CFormatToken& token : section.m_tokens) {
                if (token.m_kind == EFormatToken::General)
                    text += CGeneralNumber::Render(magnitude);
                else
                    text += CPlaceholderText::Plain(token);
            }
            break;
        case ESectionKind::Literal:
        case ESectionKind::Number:
            text = CNumberRenderer::Render(section, magnitude, shownZero);
            break;
        case ESectionKind::Scientific:
            text = CScientificRenderer::Render(section, magnitude, shownZero);
            break;
        case ESectionKind::Fraction:
            text = CFractionRenderer::Render(section, magnitude, shownZero);
            break;
        case ESectionKind::DateTime:
            // A negative serial with its minus shown has no date; a section
            // that drops the minus shows the magnitude as a date.
            if (!CDateTimeRenderer::Render(section, showMinus ? value : magnitude, text)) {
                return std::u16string(kNoDate);
            }
            return text;
    }
    if (showMinus && value < 0.0 && !shownZero) text.insert(text.begin(), u'-');
    return text;
}

std::u16string CNumberFormat::Render(double value) const {
    if (!std::isfinite(value)) return std::u16string(kNotANumber);
    if (value == 0.0) value = 0.0;  // -0.0 is zero
    const SChoice choice = Choose(value);
    if (choice.m_section == nullptr) {
        // No section's condition holds: General, or nothing when the code
        // has a text section.
        if (m_hasTextSection) return {};
        std::u16string text = CGeneralNumber::Render(std::fabs(value));
        if (value < 0.0) text.insert(text.begin(), u'-');
        return text;
    }
    return RenderSection(*choice.m_section, value, choice.m_showMinus);
}

std::u16string FormatNumber(std::u16string_view code, double value) {
    return CNumberFormat(code).Render(value);
}
