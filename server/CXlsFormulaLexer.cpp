#include "server/CXlsFormulaLexer.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "server/CXlsSheetName.h"
#include "server/CXlsWorkbook.h"
#include "server/XlsFormulaLayout.h"

namespace {

struct ErrorLiteral {
    std::u16string_view text;
    std::uint8_t code;
};

constexpr ErrorLiteral kErrorLiterals[] = {
    {u"#NULL!", xlsw::kErrNull}, {u"#DIV/0!", xlsw::kErrDiv0}, {u"#VALUE!", xlsw::kErrValue},
    {u"#REF!", xlsw::kErrRef},   {u"#NAME?", xlsw::kErrName},  {u"#NUM!", xlsw::kErrNum},
    {u"#N/A", xlsw::kErrNA},
};

struct OperatorText {
    std::u16string_view text;
    EXlsLexemeKind kind;
    std::uint8_t code;
};

// Two-character operators first, so that "<=" is not read as "<" and "=".
constexpr OperatorText kOperators[] = {
    {u"<=", EXlsLexemeKind::kOperator, xlsw::kPtgLE},
    {u">=", EXlsLexemeKind::kOperator, xlsw::kPtgGE},
    {u"<>", EXlsLexemeKind::kOperator, xlsw::kPtgNE},
    {u"<", EXlsLexemeKind::kOperator, xlsw::kPtgLT},
    {u">", EXlsLexemeKind::kOperator, xlsw::kPtgGT},
    {u"=", EXlsLexemeKind::kOperator, xlsw::kPtgEQ},
    {u"+", EXlsLexemeKind::kOperator, xlsw::kPtgAdd},
    {u"-", EXlsLexemeKind::kOperator, xlsw::kPtgSub},
    {u"*", EXlsLexemeKind::kOperator, xlsw::kPtgMul},
    {u"/", EXlsLexemeKind::kOperator, xlsw::kPtgDiv},
    {u"^", EXlsLexemeKind::kOperator, xlsw::kPtgPower},
    {u"&", EXlsLexemeKind::kOperator, xlsw::kPtgConcat},
    {u"%", EXlsLexemeKind::kOperator, xlsw::kPtgPercent},
    {u":", EXlsLexemeKind::kOperator, xlsw::kPtgRange},
    {u",", EXlsLexemeKind::kComma, 0},
    {u";", EXlsLexemeKind::kSemicolon, 0},
    {u"(", EXlsLexemeKind::kOpenParen, 0},
    {u")", EXlsLexemeKind::kCloseParen, 0},
    {u"{", EXlsLexemeKind::kOpenBrace, 0},
    {u"}", EXlsLexemeKind::kCloseBrace, 0},
};

// Line breaks count as blanks: the spreadsheet lets a formula span lines.
bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::size_t pos, std::u16string_view prefix) {
    if (pos > text.size() || text.size() - pos < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Upper(text[pos + i]) != Upper(prefix[i])) return false;
    }
    return true;
}

std::u16string Quoted(std::u16string_view text) {
    return u"\"" + std::u16string(text) + u"\"";
}

// A name starts with a letter, "_" or a backslash; digits, ".", "?" only
// continue it.
bool IsNameStart(char16_t c) {
    return CXlsFormulaReference::IsNameCharacter(c) && !IsDigit(c) && c != u'.' && c != u'?';
}

constexpr std::u16string_view kRefError = u"#REF!";

}  // namespace

CXlsFormulaLexer::CXlsFormulaLexer(std::u16string_view text, const CXlsWorkbook* workbook)
    : m_text(text), m_workbook(workbook), m_lastBang(text.rfind(u'!')) {}

bool CXlsFormulaLexer::Fail(std::size_t offset, std::u16string text) {
    m_errorOffset = offset;
    m_error = std::move(text);
    return false;
}

bool CXlsFormulaLexer::Run(std::vector<CXlsLexeme>& out) {
    out.clear();
    m_pos = 0;
    // Every pass consumes at least one character, so the loop ends.
    for (;;) {
        // Made in place: a lexeme is large, and the list is often reused.
        CXlsLexeme& lexeme = out.emplace_back();
        const std::size_t before = m_pos;
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) ++m_pos;
        lexeme.spaceBefore = m_pos != before;
        lexeme.offset = m_pos;
        if (m_pos >= m_text.size()) return true;
        if (!LexOne(lexeme)) {
            out.pop_back();
            return false;
        }
    }
}

bool CXlsFormulaLexer::LexOne(CXlsLexeme& lexeme) {
    const char16_t c = m_text[m_pos];
    if (c == u'"') return LexString(lexeme);

    CXlsFormulaSheets sheets;
    const int prefix = LexSheetPrefix(sheets);
    if (prefix < 0) return false;
    if (prefix > 0) {
        lexeme.sheets = std::move(sheets);
        return LexAfterSheets(lexeme);
    }

    if (c == u'#') return LexDeletedSheet(lexeme) || LexErrorLiteral(lexeme);
    if (c == u'$' || CXlsFormulaReference::IsNameCharacter(c)) {
        const std::size_t length =
            CXlsFormulaReference::Parse(m_text.substr(m_pos), lexeme.reference);
        if (length != 0) {
            lexeme.kind = EXlsLexemeKind::kReference;
            m_pos += length;
            return true;
        }
    }
    if (IsDigit(c) || (c == u'.' && m_pos + 1 < m_text.size() && IsDigit(m_text[m_pos + 1]))) {
        return LexNumber(lexeme);
    }
    if (IsNameStart(c)) return LexNameOrFunction(lexeme);
    return LexOperator(lexeme);
}

bool CXlsFormulaLexer::LexString(CXlsLexeme& lexeme) {
    const std::size_t start = m_pos;
    ++m_pos;
    std::u16string value;
    for (;;) {
        if (m_pos >= m_text.size()) return Fail(start, u"text without its closing quote");
        const char16_t c = m_text[m_pos++];
        if (c != u'"') {
            value.push_back(c);
            continue;
        }
        // A doubled quote stands for one quote character.
        if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
            value.push_back(u'"');
            ++m_pos;
            continue;
        }
        break;
    }
    if (value.size() > xlsw::kMaxStringLength) {
        return Fail(start, u"text longer than 255 characters");
    }
    lexeme.kind = EXlsLexemeKind::kString;
    lexeme.text = std::move(value);
    return true;
}

bool CXlsFormulaLexer::LexErrorLiteral(CXlsLexeme& lexeme) {
    for (const ErrorLiteral& literal : kErrorLiterals) {
        if (StartsWithIgnoringCase(m_text, m_pos, literal.text)) {
            lexeme.kind = EXlsLexemeKind::kError;
            lexeme.code = literal.code;
            m_pos += literal.text.size();
            return true;
        }
    }
    return Fail(m_pos, u"unknown error value");
}

bool CXlsFormulaLexer::LexNumber(CXlsLexeme& lexeme) {
    const std::size_t start = m_pos;
    std::string ascii;
    auto takeDigits = [&] {
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) {
            ascii.push_back(static_cast<char>(m_text[m_pos++]));
        }
    };
    takeDigits();
    if (m_pos < m_text.size() && m_text[m_pos] == u'.') {
        ascii.push_back('.');
        ++m_pos;
        takeDigits();
    }
    if (m_pos < m_text.size() && (m_text[m_pos] == u'E' || m_text[m_pos] == u'e')) {
        std::size_t pos = m_pos + 1;
        std::string exponent = "e";
        if (pos < m_text.size() && (m_text[pos] == u'+' || m_text[pos] == u'-')) {
            exponent.push_back(static_cast<char>(m_text[pos++]));
        }
        if (pos >= m_text.size() || !IsDigit(m_text[pos])) {
            return Fail(start, u"number with an incomplete exponent");
        }
        m_pos = pos;
        ascii += exponent;
        takeDigits();
    }
    if (m_pos < m_text.size() && CXlsFormulaReference::IsNameCharacter(m_text[m_pos])) {
        return Fail(start, u"number run together with a name");
    }
    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return Fail(start, u"number out of range");
    }
    lexeme.kind = EXlsLexemeKind::kNumber;
    lexeme.number = value;
    return true;
}

void CXlsFormulaLexer::LexName(CXlsLexeme& lexeme) {
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && CXlsFormulaReference::IsNameCharacter(m_text[m_pos])) {
        ++m_pos;
    }
    lexeme.text = std::u16string(m_text.substr(start, m_pos - start));
    if (m_pos < m_text.size() && m_text[m_pos] == u'(') {
        ++m_pos;
        lexeme.kind = EXlsLexemeKind::kFunction;
        lexeme.spaceInside = m_pos < m_text.size() && IsBlank(m_text[m_pos]);
        return;
    }
    lexeme.kind = EXlsLexemeKind::kName;
}

bool CXlsFormulaLexer::LexNameOrFunction(CXlsLexeme& lexeme) {
    LexName(lexeme);
    if (lexeme.kind != EXlsLexemeKind::kName) return true;
    const std::u16string_view name = lexeme.text;
    if (StartsWithIgnoringCase(name, 0, u"TRUE") && name.size() == 4) {
        lexeme.kind = EXlsLexemeKind::kBoolean;
        lexeme.code = 1;
    } else if (StartsWithIgnoringCase(name, 0, u"FALSE") && name.size() == 5) {
        lexeme.kind = EXlsLexemeKind::kBoolean;
        lexeme.code = 0;
    }
    return true;
}

bool CXlsFormulaLexer::LexOperator(CXlsLexeme& lexeme) {
    for (const OperatorText& op : kOperators) {
        if (m_text.substr(m_pos, op.text.size()) == op.text) {
            lexeme.kind = op.kind;
            lexeme.code = op.code;
            m_pos += op.text.size();
            return true;
        }
    }
    return Fail(m_pos, u"unexpected character " + Quoted(m_text.substr(m_pos, 1)));
}

int CXlsFormulaLexer::LexSheetPrefix(CXlsFormulaSheets& sheets) {
    // Without a "!" ahead there is no sheet part to find.
    if (m_lastBang == std::u16string_view::npos || m_pos > m_lastBang) return 0;
    if (m_text[m_pos] == u'\'') return LexQuotedSheets(sheets);
    if (m_text[m_pos] == u'[') return LexOtherWorkbookPlain(sheets);
    const int known = LexKnownSheets(sheets);
    if (known != 0) return known;
    return LexPlainSheets(sheets);
}

int CXlsFormulaLexer::LexQuotedSheets(CXlsFormulaSheets& sheets) {
    const std::size_t start = m_pos;
    std::size_t pos = m_pos + 1;
    std::u16string name;
    for (;;) {
        if (pos >= m_text.size()) {
            Fail(start, u"sheet name without its closing quote");
            return -1;
        }
        const char16_t c = m_text[pos++];
        if (c != u'\'') {
            name.push_back(c);
            continue;
        }
        if (pos < m_text.size() && m_text[pos] == u'\'') {
            name.push_back(u'\'');
            ++pos;
            continue;
        }
        break;
    }
    if (pos >= m_text.size() || m_text[pos] != u'!') {
        Fail(start, u"quoted sheet name not followed by \"!\"");
        return -1;
    }
    // Sheet names never hold "]": one inside the quotes closes the file
    // name of another workbook.
    if (name.find(u']') != std::u16string::npos) {
        if (!SplitOtherWorkbook(name, start, sheets)) return -1;
        m_pos = pos + 1;
        return 1;
    }
    // Nor ":", so one inside the quotes separates the first and last
    // sheets of a range.
    const std::size_t colon = name.find(u':');
    const std::u16string_view all(name);
    const std::u16string_view first = all.substr(0, colon);
    const std::u16string_view last = colon == std::u16string::npos ? first : all.substr(colon + 1);
    if (!ResolveSheets(first, last, start, sheets)) return -1;
    m_pos = pos + 1;
    return 1;
}

int CXlsFormulaLexer::LexOtherWorkbookPlain(CXlsFormulaSheets& sheets) {
    // [book.xls]Sheet1!, [book.xls]Sheet1:Sheet3! and [book.xls]!: the file
    // name, then plain sheet names.
    const std::size_t start = m_pos;
    const std::size_t close = m_text.find(u']', start);
    if (close == std::u16string_view::npos || close > m_lastBang) {
        Fail(start, u"workbook name without its closing \"]\"");
        return -1;
    }
    std::size_t pos = close + 1;
    while (pos < m_text.size() &&
           (CXlsFormulaReference::IsNameCharacter(m_text[pos]) || m_text[pos] == u':')) {
        ++pos;
    }
    if (pos >= m_text.size() || m_text[pos] != u'!') {
        Fail(start, u"workbook and sheet names not followed by \"!\"");
        return -1;
    }
    if (!SplitOtherWorkbook(m_text.substr(start, pos - start), start, sheets)) return -1;
    m_pos = pos + 1;
    return 1;
}

bool CXlsFormulaLexer::SplitOtherWorkbook(std::u16string_view text, std::size_t offset,
                                          CXlsFormulaSheets& sheets) {
    // The last "]" ends the file name (sheet names hold none), the last
    // "[" before it starts it; the directory part before it is the path's.
    const std::size_t close = text.rfind(u']');
    const std::size_t open = text.rfind(u'[', close);
    if (open == std::u16string_view::npos || close == open + 1) {
        return Fail(offset, u"expected a workbook name in brackets");
    }
    const std::u16string_view sheetPart = text.substr(close + 1);
    const std::size_t colon = sheetPart.find(u':');
    sheets.kind = CXlsFormulaSheets::EKind::kOtherWorkbook;
    sheets.path = std::u16string(text.substr(0, open)) +
                  std::u16string(text.substr(open + 1, close - open - 1));
    sheets.firstName = std::u16string(sheetPart.substr(0, colon));
    sheets.lastName = colon == std::u16string_view::npos
                          ? sheets.firstName
                          : std::u16string(sheetPart.substr(colon + 1));
    if (sheets.firstName.empty() != sheets.lastName.empty()) {
        return Fail(offset, u"a range of sheets names both its sheets");
    }
    return true;
}

std::size_t CXlsFormulaLexer::KnownSheetAt(std::size_t pos, std::size_t& sheet) const {
    if (m_workbook == nullptr) return 0;
    std::size_t best = 0;
    for (std::size_t i = 0; i < m_workbook->SheetCount(); ++i) {
        const std::u16string& name = m_workbook->Sheet(i)->Name();
        if (name.size() <= best || m_text.size() - pos < name.size()) continue;
        if (CXlsSheetName::SameName(m_text.substr(pos, name.size()), name)) {
            best = name.size();
            sheet = i;
        }
    }
    return best;
}

int CXlsFormulaLexer::LexKnownSheets(CXlsFormulaSheets& sheets) {
    std::size_t first = 0;
    const std::size_t firstLength = KnownSheetAt(m_pos, first);
    if (firstLength == 0) return 0;
    std::size_t pos = m_pos + firstLength;
    std::size_t last = first;
    if (pos < m_text.size() && m_text[pos] == u':') {
        const std::size_t lastLength = KnownSheetAt(pos + 1, last);
        if (lastLength == 0) return 0;
        pos += 1 + lastLength;
    }
    if (pos >= m_text.size() || m_text[pos] != u'!') return 0;
    sheets.kind = CXlsFormulaSheets::EKind::kThisWorkbook;
    sheets.first = first < last ? first : last;
    sheets.last = first < last ? last : first;
    m_pos = pos + 1;
    return 1;
}

bool CXlsFormulaLexer::IsPlainOperand(std::u16string_view name) {
    CXlsFormulaReference ignored;
    return IsDigit(name.front()) || CXlsFormulaReference::Parse(name, ignored) == name.size() ||
           (name.size() == 4 && StartsWithIgnoringCase(name, 0, u"TRUE")) ||
           (name.size() == 5 && StartsWithIgnoringCase(name, 0, u"FALSE"));
}

int CXlsFormulaLexer::LexPlainSheets(CXlsFormulaSheets& sheets) {
    auto nameEnd = [&](std::size_t pos) {
        while (pos < m_text.size() && CXlsFormulaReference::IsNameCharacter(m_text[pos])) ++pos;
        return pos;
    };
    const std::size_t start = m_pos;
    const std::size_t firstEnd = nameEnd(start);
    if (firstEnd == start) return 0;
    std::size_t lastStart = start;
    std::size_t lastEnd = firstEnd;
    if (firstEnd < m_text.size() && m_text[firstEnd] == u':') {
        lastStart = firstEnd + 1;
        lastEnd = nameEnd(lastStart);
        if (lastEnd == lastStart) return 0;
    }
    if (lastEnd >= m_text.size() || m_text[lastEnd] != u'!') return 0;
    const std::u16string_view first = m_text.substr(start, firstEnd - start);
    const std::u16string_view last = m_text.substr(lastStart, lastEnd - lastStart);
    // "A1:Sheet2!B1" is a range from A1 to another sheet's B1, not the
    // sheets "A1" to "Sheet2", unless the workbook has a sheet named A1.
    if (lastStart != start && IsPlainOperand(first) &&
        (m_workbook == nullptr || m_workbook->FindSheet(first) == CXlsWorkbook::kNotFound)) {
        return 0;
    }
    if (!ResolveSheets(first, last, start, sheets)) return -1;
    m_pos = lastEnd + 1;
    return 1;
}

bool CXlsFormulaLexer::ResolveSheets(std::u16string_view first, std::u16string_view last,
                                     std::size_t offset, CXlsFormulaSheets& sheets) {
    const std::size_t firstPos =
        m_workbook ? m_workbook->FindSheet(first) : CXlsWorkbook::kNotFound;
    if (firstPos == CXlsWorkbook::kNotFound) return Fail(offset, u"unknown sheet " + Quoted(first));
    const std::size_t lastPos = m_workbook->FindSheet(last);
    if (lastPos == CXlsWorkbook::kNotFound) return Fail(offset, u"unknown sheet " + Quoted(last));
    sheets.kind = CXlsFormulaSheets::EKind::kThisWorkbook;
    sheets.first = firstPos < lastPos ? firstPos : lastPos;
    sheets.last = firstPos < lastPos ? lastPos : firstPos;
    return true;
}

bool CXlsFormulaLexer::LexAfterSheets(CXlsLexeme& lexeme) {
    const bool wholeWorkbook = lexeme.sheets.kind == CXlsFormulaSheets::EKind::kOtherWorkbook &&
                               lexeme.sheets.firstName.empty();
    if (StartsWithIgnoringCase(m_text, m_pos, kRefError) && !wholeWorkbook) {
        lexeme.kind = EXlsLexemeKind::kReference;
        lexeme.reference.kind = CXlsFormulaReference::EKind::kDeleted;
        m_pos += kRefError.size();
        return true;
    }
    const std::size_t length = CXlsFormulaReference::Parse(m_text.substr(m_pos), lexeme.reference);
    if (length != 0) {
        if (wholeWorkbook) return Fail(m_pos, u"a reference into another workbook names its sheet");
        lexeme.kind = EXlsLexemeKind::kReference;
        m_pos += length;
        return true;
    }
    if (m_pos >= m_text.size() || !IsNameStart(m_text[m_pos])) {
        return Fail(m_pos, u"expected a cell reference or a name after the sheet name");
    }
    LexName(lexeme);
    return true;
}

bool CXlsFormulaLexer::LexDeletedSheet(CXlsLexeme& lexeme) {
    if (!StartsWithIgnoringCase(m_text, m_pos, kRefError)) return false;
    const std::size_t after = m_pos + kRefError.size();
    if (StartsWithIgnoringCase(m_text, after, kRefError)) {
        lexeme.reference.kind = CXlsFormulaReference::EKind::kDeleted;
        m_pos = after + kRefError.size();
    } else {
        const std::size_t length =
            CXlsFormulaReference::Parse(m_text.substr(after), lexeme.reference);
        if (length == 0) return false;
        m_pos = after + length;
    }
    lexeme.kind = EXlsLexemeKind::kReference;
    lexeme.sheets.kind = CXlsFormulaSheets::EKind::kDeleted;
    return true;
}
