#include "format/CFormatParser.h"

#include <algorithm>
#include <string>

#include "format/CFormatLexer.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsKind(const CFormatToken& token, EFormatToken kind) {
    return token.m_kind == kind;
}

bool IsDigitText(const std::u16string& text) {
    if (text.empty()) return false;
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// Codes that stop the look back from an 'm' for the hour or second it
// follows: days, months and minutes. Years, eras, AM/PM and literals are
// looked through ("h:y:m" shows minutes).
bool StopsLookBack(const CFormatToken& token) {
    if (token.m_kind == EFormatToken::Minute) return true;
    if (token.m_kind == EFormatToken::Elapsed) return token.m_char == u'm';
    if (token.m_kind != EFormatToken::DateCode) return false;
    return token.m_char == u'm' || token.m_char == u'd';
}

// Codes that stop the look ahead from an 'm' for the second it precedes:
// every date or time code except the era and the 'e' year, which show
// nothing of their own in between ("mm:gss" shows minutes, "mm yyyy ss" the
// month).
bool StopsLookAhead(const CFormatToken& token) {
    if (token.m_kind == EFormatToken::Elapsed || token.m_kind == EFormatToken::Minute) return true;
    if (token.m_kind != EFormatToken::DateCode) return false;
    return token.m_char != u'e' && token.m_char != u'g';
}

bool IsHourOrSecond(const CFormatToken& token) {
    return (token.m_kind == EFormatToken::DateCode || token.m_kind == EFormatToken::Elapsed) &&
           (token.m_char == u'h' || token.m_char == u's');
}

bool IsSecondAnchor(const CFormatToken& token) {
    return (token.m_kind == EFormatToken::DateCode || token.m_kind == EFormatToken::Elapsed) &&
           token.m_char == u's';
}

// The second at position second already has its minutes before it
// ("mm:ss"), so an 'm' after it is the month: "yyyy:mm ss:mm" shows minutes,
// then the month.
bool SecondTaken(const std::vector<CFormatToken>& tokens, std::size_t second) {
    for (std::size_t k = second; k-- > 0;) {
        if (tokens[k].m_kind == EFormatToken::Minute) return true;
        if (IsHourOrSecond(tokens[k]) || StopsLookBack(tokens[k])) return false;
    }
    return false;
}

int UnitRank(char16_t unit) {
    return unit == u'h' ? 3 : unit == u'm' ? 2 : unit == u's' ? 1 : 0;
}

}  // namespace

std::vector<CFormatSection> CFormatParser::Parse(std::u16string_view code) {
    std::vector<CFormatSection> sections = CFormatLexer::Split(code);
    for (CFormatSection& section : sections) Resolve(section);
    return sections;
}

void CFormatParser::Resolve(CFormatSection& section) {
    const std::vector<CFormatToken>& tokens = section.m_tokens;
    if (tokens.empty()) {
        section.m_kind = section.m_hadBrackets ? ESectionKind::General : ESectionKind::Empty;
        return;
    }
    auto has = [&tokens](EFormatToken kind) {
        return std::any_of(tokens.begin(), tokens.end(),
                           [kind](const CFormatToken& t) { return t.m_kind == kind; });
    };
    if (has(EFormatToken::DateCode) || has(EFormatToken::Elapsed) || has(EFormatToken::AmPm)) {
        ResolveDateTime(section);
        return;
    }
    if (has(EFormatToken::Text)) {
        section.m_kind = ESectionKind::Text;
        return;
    }
    if (has(EFormatToken::General)) {
        section.m_kind = ESectionKind::General;
        return;
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (IsKind(tokens[i], EFormatToken::Exponent)) {
            ResolveScientific(section, i);
            return;
        }
    }
    const std::size_t bar = FindFractionBar(section);
    if (bar != kNone) {
        ResolveFraction(section, bar);
        return;
    }
    if (has(EFormatToken::Digit)) {
        ResolveNumber(section);
        return;
    }
    section.m_kind = ESectionKind::Literal;
}

void CFormatParser::ResolveDateTime(CFormatSection& section) {
    section.m_kind = ESectionKind::DateTime;
    std::vector<CFormatToken>& tokens = section.m_tokens;

    // ".0", ".00", ".000" anywhere in a date or time code are the fraction of
    // the second ("hh.000", "e.000"); other placeholders are plain characters.
    std::vector<CFormatToken> merged;
    merged.reserve(tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        std::size_t zeros = 0;
        if (IsKind(tokens[i], EFormatToken::Point)) {
            while (i + 1 + zeros < tokens.size() &&
                   IsKind(tokens[i + 1 + zeros], EFormatToken::Digit) &&
                   tokens[i + 1 + zeros].m_char == u'0') {
                ++zeros;
            }
        }
        if (zeros == 0) {
            merged.push_back(std::move(tokens[i]));
            continue;
        }
        CFormatToken sub;
        sub.m_kind = EFormatToken::Subsecond;
        sub.m_count = static_cast<std::uint16_t>(std::min<std::size_t>(zeros, kMaxSubsecondDigits));
        section.m_subsecondDigits = std::max<int>(section.m_subsecondDigits, sub.m_count);
        merged.push_back(std::move(sub));
        i += zeros;
    }
    tokens = std::move(merged);

    // An m or mm is minutes after an hour or a second ("h:mm", "ss:mm",
    // "[s]:mm") or before a second ("mm:ss"), with literals between;
    // otherwise the month. mmm and longer are always month names.
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        CFormatToken& token = tokens[i];
        if (IsKind(token, EFormatToken::AmPm)) section.m_twelveHour = true;
        if (!IsKind(token, EFormatToken::DateCode) || token.m_char != u'm' || token.m_count > 2) {
            continue;
        }
        bool minutes = false;
        for (std::size_t k = i; k-- > 0;) {
            if (IsHourOrSecond(tokens[k])) {
                minutes = !IsSecondAnchor(tokens[k]) || !SecondTaken(tokens, k);
                break;
            }
            if (StopsLookBack(tokens[k])) break;
        }
        for (std::size_t k = i + 1; !minutes && k < tokens.size(); ++k) {
            if (!StopsLookAhead(tokens[k])) continue;
            minutes = IsSecondAnchor(tokens[k]);
            break;
        }
        if (minutes) token.m_kind = EFormatToken::Minute;
    }

    // With an elapsed bracket, the largest unit present runs past its usual
    // limit: "[s]:hh" counts hours, "[h]:hh" shows the total hours twice.
    bool elapsed = false;
    char16_t largest = 0;
    for (const CFormatToken& token : tokens) {
        char16_t unit = 0;
        if (IsKind(token, EFormatToken::Elapsed)) {
            elapsed = true;
            unit = token.m_char;
        } else if (IsKind(token, EFormatToken::Minute)) {
            unit = u'm';
        } else if (IsKind(token, EFormatToken::DateCode) &&
                   (token.m_char == u'h' || token.m_char == u's')) {
            unit = token.m_char;
        }
        if (UnitRank(unit) > UnitRank(largest)) largest = unit;
    }
    section.m_elapsedUnit = elapsed ? largest : 0;
}

void CFormatParser::ResolveDigits(CFormatSection& section, std::size_t first, std::size_t last) {
    std::vector<CFormatToken>& tokens = section.m_tokens;
    std::size_t point = kNone;
    for (std::size_t i = first; i < last; ++i) {
        if (IsKind(tokens[i], EFormatToken::Point)) {
            point = i;
            tokens[i].m_role = EFormatRole::DecimalPoint;
            break;
        }
    }
    const std::size_t integerEnd = (point == kNone) ? last : point;
    std::size_t lastInteger = kNone;
    for (std::size_t i = first; i < last; ++i) {
        if (!IsKind(tokens[i], EFormatToken::Digit)) continue;
        if (i < integerEnd) {
            tokens[i].m_role = EFormatRole::Integer;
            ++section.m_integerDigits;
            lastInteger = i;
        } else {
            tokens[i].m_role = EFormatRole::Decimal;
            ++section.m_decimalDigits;
        }
    }
    // A comma between two integer digits groups thousands; one that follows
    // a digit (or another such comma) otherwise is silent (the caller decides
    // whether it scales); any other comma is shown.
    bool digitSeen = false;
    bool afterDigit = false;
    for (std::size_t i = first; i < last; ++i) {
        CFormatToken& token = tokens[i];
        if (IsKind(token, EFormatToken::Digit)) {
            digitSeen = true;
            afterDigit = true;
            continue;
        }
        if (!IsKind(token, EFormatToken::Comma)) {
            afterDigit = false;
            continue;
        }
        if (digitSeen && i < integerEnd && lastInteger != kNone && i < lastInteger) {
            token.m_role = EFormatRole::Grouping;
            section.m_grouping = true;
        } else if (afterDigit) {
            token.m_role = EFormatRole::Silent;
        }
    }
}

void CFormatParser::ResolveNumber(CFormatSection& section) {
    section.m_kind = ESectionKind::Number;
    ResolveDigits(section, 0, section.m_tokens.size());
    for (const CFormatToken& token : section.m_tokens) {
        if (IsKind(token, EFormatToken::Percent)) ++section.m_percentCount;
        if (IsKind(token, EFormatToken::Comma) && token.m_role == EFormatRole::Silent) {
            ++section.m_scaleCount;
        }
    }
}

void CFormatParser::ResolveScientific(CFormatSection& section, std::size_t exponent) {
    section.m_kind = ESectionKind::Scientific;
    std::vector<CFormatToken>& tokens = section.m_tokens;
    ResolveDigits(section, 0, exponent);
    // After E+ the placeholders are the exponent's; a comma after one of them
    // is dropped ("e+000,00" shows five exponent digits).
    bool afterDigit = false;
    for (std::size_t i = exponent + 1; i < tokens.size(); ++i) {
        CFormatToken& token = tokens[i];
        if (IsKind(token, EFormatToken::Digit)) {
            token.m_role = EFormatRole::ExponentDigit;
            afterDigit = true;
        } else if (IsKind(token, EFormatToken::Comma) && afterDigit) {
            token.m_role = EFormatRole::Silent;
        } else {
            afterDigit = false;
        }
    }
}

std::size_t CFormatParser::FindFractionBar(const CFormatSection& section) {
    const std::vector<CFormatToken>& tokens = section.m_tokens;
    bool digitBefore = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (IsKind(tokens[i], EFormatToken::Digit)) digitBefore = true;
        if (!IsKind(tokens[i], EFormatToken::Slash) || !digitBefore) continue;
        // Look past spaces, commas and other text to the denominator.
        for (std::size_t k = i + 1; k < tokens.size(); ++k) {
            const CFormatToken& next = tokens[k];
            if (IsKind(next, EFormatToken::Digit)) return i;
            if (IsKind(next, EFormatToken::Literal) && IsDigitText(next.m_text) &&
                next.m_text[0] != u'0') {
                return i;
            }
            if (IsKind(next, EFormatToken::Slash)) break;
        }
    }
    return kNone;
}

void CFormatParser::ResolveFraction(CFormatSection& section, std::size_t slash) {
    section.m_kind = ESectionKind::Fraction;
    std::vector<CFormatToken>& tokens = section.m_tokens;
    tokens[slash].m_role = EFormatRole::FractionBar;

    // The numerator is the last run of placeholders before the bar; literals
    // may stand between it and the bar ("#=/=#").
    std::size_t numeratorEnd = slash;
    while (numeratorEnd > 0 && !IsKind(tokens[numeratorEnd - 1], EFormatToken::Digit)) {
        --numeratorEnd;
    }
    std::size_t numeratorStart = numeratorEnd;
    while (numeratorStart > 0 && IsKind(tokens[numeratorStart - 1], EFormatToken::Digit)) {
        --numeratorStart;
    }
    for (std::size_t i = numeratorStart; i < numeratorEnd; ++i) {
        tokens[i].m_role = EFormatRole::Numerator;
    }
    // Any placeholder before the numerator belongs to the integer part.
    std::size_t lastInteger = kNone;
    for (std::size_t i = 0; i < numeratorStart; ++i) {
        if (!IsKind(tokens[i], EFormatToken::Digit)) continue;
        tokens[i].m_role = EFormatRole::Integer;
        ++section.m_integerDigits;
        lastInteger = i;
    }
    section.m_improper = (lastInteger == kNone);
    bool digitSeen = false;
    for (std::size_t i = 0; lastInteger != kNone && i < lastInteger; ++i) {
        if (IsKind(tokens[i], EFormatToken::Digit)) digitSeen = true;
        if (IsKind(tokens[i], EFormatToken::Comma) && digitSeen) {
            tokens[i].m_role = EFormatRole::Grouping;
            section.m_grouping = true;
        }
    }

    // The denominator: placeholders (their count bounds the search) or
    // written digits (a fixed denominator, "?/16", "??/100").
    std::size_t k = slash + 1;
    while (k < tokens.size() && !IsKind(tokens[k], EFormatToken::Digit) &&
           !(IsKind(tokens[k], EFormatToken::Literal) && IsDigitText(tokens[k].m_text))) {
        ++k;
    }
    if (k < tokens.size() && IsKind(tokens[k], EFormatToken::Digit)) {
        for (; k < tokens.size() && IsKind(tokens[k], EFormatToken::Digit); ++k) {
            tokens[k].m_role = EFormatRole::Denominator;
            ++section.m_denominatorDigits;
        }
    } else {
        long long fixed = 0;
        for (; k < tokens.size(); ++k) {
            const CFormatToken& token = tokens[k];
            std::u16string digits;
            if (IsKind(token, EFormatToken::Literal) && IsDigitText(token.m_text))
                digits = token.m_text;
            else if (IsKind(token, EFormatToken::Digit) && token.m_char == u'0')
                digits.assign(1, u'0');  // not = u"0": g++ 12 -O2 with ASan warns falsely there
            else
                break;
            tokens[k].m_role = EFormatRole::FixedDenominator;
            for (char16_t c : digits) {
                // Beyond ten digits the denominator stops growing; the
                // written digits are still shown.
                if (fixed < 1000000000LL) fixed = fixed * 10 + (c - u'0');
            }
        }
        section.m_fixedDenominator = fixed;
    }
    for (const CFormatToken& token : tokens) {
        if (IsKind(token, EFormatToken::Percent)) ++section.m_percentCount;
    }
}
