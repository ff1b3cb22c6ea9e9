#include "format/CFormatLexer.h"

#include <cstddef>
#include <string>

namespace {

constexpr std::u16string_view kSystemLongDate = u"dddd, mmmm d, yyyy";
constexpr std::u16string_view kSystemTime = u"h:mm:ss AM/PM";
constexpr std::u16string_view kChineseAmPm = u"上午/下午";

struct SCharToken {
    char16_t m_char;
    EFormatToken m_kind;
};

// Characters that are a token by themselves.
constexpr SCharToken kCharTokens[] = {
    {u'0', EFormatToken::Digit}, {u'#', EFormatToken::Digit}, {u'?', EFormatToken::Digit},
    {u'.', EFormatToken::Point}, {u',', EFormatToken::Comma}, {u'%', EFormatToken::Percent},
    {u'/', EFormatToken::Slash}, {u'@', EFormatToken::Text},
};

// Letters that are date and time codes, in either case; a run of the same
// letter is one code ("yyyy", "mmm", "ss").
constexpr char16_t kDateLetters[] = u"ymdhsebg";

char16_t Lower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

bool StartsWithNoCase(std::u16string_view text, std::size_t at, std::u16string_view word) {
    if (text.size() - at < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (Lower(text[at + k]) != Lower(word[k])) return false;
    }
    return true;
}

bool IsDateLetter(char16_t lower) {
    for (const char16_t* p = kDateLetters; *p; ++p) {
        if (*p == lower) return true;
    }
    return false;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

CFormatToken MakeToken(EFormatToken kind, char16_t c = 0, std::uint16_t count = 0) {
    CFormatToken token;
    token.m_kind = kind;
    token.m_char = c;
    token.m_count = count;
    return token;
}

CFormatToken MakeLiteral(std::u16string text) {
    CFormatToken token;
    token.m_kind = EFormatToken::Literal;
    token.m_text = std::move(text);
    return token;
}

class CSectionLexer {
public:
    CSectionLexer(std::u16string_view code, std::size_t pos) : m_code(code), m_pos(pos) {}

    // Reads up to the next unquoted ';' or the end. Returns the position
    // after the ';' (a ';' at the very end starts an empty last section), or
    // npos when the code ended.
    std::size_t Read(CFormatSection& section);

private:
    void ReadBracket(CFormatSection& section);
    void ReadLetter(CFormatSection& section);
    // One character (two units for a surrogate pair) at m_pos, consumed.
    std::u16string TakeCharacter();

    std::u16string_view m_code;
    std::size_t m_pos;
    char16_t m_systemPattern = 0;  // 'D' or 'T' after [$-F800] / [$-F400]
    std::uint32_t m_lcid = 0;      // the locale and calendar in force, see CFormatToken
};

// The hexadecimal locale id after the '-' of "[$-40B]": up to eight digits;
// false for anything else.
bool ReadLcid(std::u16string_view text, std::uint32_t& lcid) {
    if (text.empty() || text.size() > 8) return false;
    std::uint32_t value = 0;
    for (char16_t c : text) {
        const char16_t lower = Lower(c);
        int digit = 0;
        if (lower >= u'0' && lower <= u'9')
            digit = lower - u'0';
        else if (lower >= u'a' && lower <= u'f')
            digit = lower - u'a' + 10;
        else
            return false;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    lcid = value;
    return true;
}

std::u16string CSectionLexer::TakeCharacter() {
    std::u16string text(1, m_code[m_pos++]);
    if (IsHighSurrogate(text[0]) && m_pos < m_code.size()) text.push_back(m_code[m_pos++]);
    return text;
}

std::size_t CSectionLexer::Read(CFormatSection& section) {
    std::vector<CFormatToken>& out = section.m_tokens;
    bool sectionBreak = false;
    while (m_pos < m_code.size()) {
        const char16_t c = m_code[m_pos];
        if (c == u';') {
            ++m_pos;
            sectionBreak = true;
            break;
        }
        if (c == u'"') {
            // Quoted text runs to the next quote, or to the end when the
            // closing quote is missing.
            const std::size_t close = m_code.find(u'"', m_pos + 1);
            const std::size_t end = (close == std::u16string_view::npos) ? m_code.size() : close;
            out.push_back(MakeLiteral(std::u16string(m_code.substr(m_pos + 1, end - m_pos - 1))));
            m_pos = (close == std::u16string_view::npos) ? m_code.size() : close + 1;
            continue;
        }
        if (c == u'\\' || c == u'_' || c == u'*') {
            ++m_pos;
            // A trailing escape has nothing to act on and is dropped.
            if (m_pos >= m_code.size()) break;
            std::u16string next = TakeCharacter();
            if (c == u'\\')
                out.push_back(MakeLiteral(std::move(next)));
            else
                out.push_back(MakeToken(c == u'_' ? EFormatToken::Space : EFormatToken::Fill));
            continue;
        }
        if (c == u'[') {
            ReadBracket(section);
            continue;
        }
        bool single = false;
        for (const SCharToken& entry : kCharTokens) {
            if (entry.m_char != c) continue;
            out.push_back(MakeToken(entry.m_kind, c));
            ++m_pos;
            single = true;
            break;
        }
        if (!single) ReadLetter(section);
    }
    if (m_systemPattern != 0) {
        // The system pattern replaces whatever the section held; its
        // condition stays.
        const std::u16string_view pattern =
            (m_systemPattern == u'D') ? kSystemLongDate : kSystemTime;
        CFormatSection replacement;
        CSectionLexer(pattern, 0).Read(replacement);
        section.m_tokens = std::move(replacement.m_tokens);
    }
    return sectionBreak ? m_pos : std::u16string_view::npos;
}

void CSectionLexer::ReadLetter(CFormatSection& section) {
    std::vector<CFormatToken>& out = section.m_tokens;
    const char16_t c = m_code[m_pos];
    const char16_t lower = Lower(c);
    if (lower == u'e' && m_pos + 1 < m_code.size() &&
        (m_code[m_pos + 1] == u'+' || m_code[m_pos + 1] == u'-')) {
        CFormatToken token = MakeToken(EFormatToken::Exponent, m_code[m_pos + 1]);
        token.m_text = std::u16string(1, c);
        out.push_back(std::move(token));
        m_pos += 2;
        return;
    }
    if (lower == u'g' && StartsWithNoCase(m_code, m_pos, u"general")) {
        out.push_back(MakeToken(EFormatToken::General));
        m_pos += 7;
        return;
    }
    if (lower == u'a') {
        if (StartsWithNoCase(m_code, m_pos, u"am/pm")) {
            out.push_back(MakeToken(EFormatToken::AmPm, 0, 2));
            out.back().m_lcid = m_lcid;
            m_pos += 5;
            return;
        }
        if (StartsWithNoCase(m_code, m_pos, u"a/p")) {
            CFormatToken token = MakeToken(EFormatToken::AmPm, 0, 1);
            token.m_text = {m_code[m_pos], m_code[m_pos + 2]};
            out.push_back(std::move(token));
            m_pos += 3;
            return;
        }
    }
    // The Chinese spelling of AM/PM, as the Chinese built-in time formats
    // write it (上午/下午h"时"mm"分").
    if (m_code.substr(m_pos).starts_with(kChineseAmPm)) {
        CFormatToken token = MakeToken(EFormatToken::AmPm, 0, 2);
        token.m_text = kChineseAmPm;
        out.push_back(std::move(token));
        m_pos += kChineseAmPm.size();
        return;
    }
    if (lower == u'b' && m_pos + 1 < m_code.size() &&
        (m_code[m_pos + 1] == u'1' || m_code[m_pos + 1] == u'2')) {
        // "B1" and "B2" choose the Gregorian and the Hijri calendar for the
        // codes after them; they show nothing themselves.
        const std::uint32_t calendar = m_code[m_pos + 1] == u'2' ? kHijriCalendar : 0;
        m_lcid = (m_lcid & ~(0xFFu << kCalendarShift)) | (calendar << kCalendarShift);
        m_pos += 2;
        return;
    }
    if (IsDateLetter(lower)) {
        std::size_t end = m_pos;
        while (end < m_code.size() && Lower(m_code[end]) == lower) ++end;
        const std::size_t run = end - m_pos;
        const auto count = static_cast<std::uint16_t>(run > 0xFFFF ? 0xFFFF : run);
        out.push_back(MakeToken(EFormatToken::DateCode, lower, count));
        out.back().m_lcid = m_lcid;
        m_pos = end;
        return;
    }
    out.push_back(MakeLiteral(TakeCharacter()));
}

void CSectionLexer::ReadBracket(CFormatSection& section) {
    const std::size_t close = m_code.find(u']', m_pos + 1);
    if (close == std::u16string_view::npos) {
        section.m_tokens.push_back(MakeLiteral(TakeCharacter()));
        return;
    }
    const std::u16string_view inside = m_code.substr(m_pos + 1, close - m_pos - 1);
    m_pos = close + 1;

    bool sameTimeLetter = !inside.empty();
    for (char16_t c : inside) sameTimeLetter = sameTimeLetter && Lower(c) == Lower(inside[0]);
    const char16_t first = inside.empty() ? 0 : Lower(inside[0]);
    if (sameTimeLetter && (first == u'h' || first == u'm' || first == u's')) {
        const auto count =
            static_cast<std::uint16_t>(inside.size() > 0xFFFF ? 0xFFFF : inside.size());
        section.m_tokens.push_back(MakeToken(EFormatToken::Elapsed, first, count));
        return;
    }
    section.m_hadBrackets = true;
    if (first == u'<' || first == u'>' || first == u'=') {
        if (!section.m_condition.IsSet()) section.m_condition = CFormatCondition::Parse(inside);
        return;
    }
    if (first != u'$') return;  // a colour or a word we do not know: no text
    const std::size_t dash = inside.find(u'-');
    const std::u16string_view symbol =
        inside.substr(1, (dash == std::u16string_view::npos ? inside.size() : dash) - 1);
    if (!symbol.empty()) section.m_tokens.push_back(MakeLiteral(std::u16string(symbol)));
    if (dash == std::u16string_view::npos) return;
    const std::u16string_view lcid = inside.substr(dash + 1);
    if (lcid.size() == 4 && StartsWithNoCase(lcid, 0, u"f800")) m_systemPattern = u'D';
    if (lcid.size() == 4 && StartsWithNoCase(lcid, 0, u"f400")) m_systemPattern = u'T';
    // The names of the codes after the bracket follow its locale
    // ("dd-mmmm[$-40B]dd-mmmm" shows English, then Finnish months).
    std::uint32_t value = 0;
    if (m_systemPattern == 0 && ReadLcid(lcid, value)) m_lcid = value;
}

}  // namespace

std::vector<CFormatSection> CFormatLexer::Split(std::u16string_view code) {
    if (code.size() > kMaxFormatCodeLength) code = code.substr(0, kMaxFormatCodeLength);
    std::vector<CFormatSection> sections;
    std::size_t pos = 0;
    while (sections.size() < kMaxFormatSections) {
        sections.emplace_back();
        pos = CSectionLexer(code, pos).Read(sections.back());
        if (pos == std::u16string_view::npos) break;
    }
    return sections;
}
