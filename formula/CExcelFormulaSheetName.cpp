#include "formula/CExcelFormulaSheetName.h"

#include <cstddef>

namespace {

bool IsLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

// Skips a run of digits from position at; returns where it ended.
std::size_t SkipDigits(std::u16string_view name, std::size_t at) {
    while (at < name.size() && IsDigit(name[at])) ++at;
    return at;
}

// One to three letters then at least one digit, and nothing else: the
// largest grids have three-letter columns, so such a name is a cell.
bool ReadsAsA1Cell(std::u16string_view name) {
    std::size_t letters = 0;
    while (letters < name.size() && IsLetter(name[letters])) ++letters;
    if (letters == 0 || letters > 3 || letters == name.size()) return false;
    return SkipDigits(name, letters) == name.size();
}

// R[n][C[n]] or C[n], upper or lower case: a row, a column or a cell in
// R1C1 notation.
bool ReadsAsR1C1(std::u16string_view name) {
    if (name.empty()) return false;
    std::size_t at = 0;
    if (Upper(name[at]) == u'R') at = SkipDigits(name, at + 1);
    if (at < name.size() && Upper(name[at]) == u'C') at = SkipDigits(name, at + 1);
    return at == name.size() && at != 0;
}

bool ReadsAsBoolean(std::u16string_view name) {
    std::u16string upper;
    for (const char16_t c : name) upper.push_back(Upper(c));
    return upper == u"TRUE" || upper == u"FALSE";
}

// Between single quotes, each quote inside doubled, then "!".
std::u16string Quoted(std::u16string_view text) {
    std::u16string quoted(1, u'\'');
    for (const char16_t c : text) {
        if (c == u'\'') quoted.push_back(u'\'');
        quoted.push_back(c);
    }
    return quoted + u"'!";
}

}  // namespace

bool CExcelFormulaSheetName::NeedsQuotes(std::u16string_view name) {
    if (name.empty()) return false;
    for (const char16_t c : name) {
        if (!IsLetter(c) && !IsDigit(c) && c != u'_' && c != u'.') return true;
    }
    if (!IsLetter(name[0]) && name[0] != u'_') return true;
    return ReadsAsA1Cell(name) || ReadsAsR1C1(name) || ReadsAsBoolean(name);
}

std::u16string CExcelFormulaSheetName::Prefix(std::u16string_view first, std::u16string_view last) {
    std::u16string names(first);
    if (last != first) {
        names.push_back(u':');
        names += last;
    }
    if (!NeedsQuotes(first) && !NeedsQuotes(last)) return names + u'!';
    return Quoted(names);
}

std::u16string CExcelFormulaSheetName::BookPrefix(std::u16string_view directory,
                                                  std::u16string_view file,
                                                  std::u16string_view first,
                                                  std::u16string_view last) {
    std::u16string text(directory);
    text.push_back(u'[');
    text += file;
    text.push_back(u']');
    text += first;
    if (!first.empty() && last != first) {
        text.push_back(u':');
        text += last;
    }
    return Quoted(text);
}
