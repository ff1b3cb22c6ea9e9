#include "server/CXlsDefinedNames.h"

#include <utility>

#include "server/CBiffRecordBuilder.h"
#include "server/CXlsBuiltinNames.h"
#include "server/CXlsFormulaReference.h"
#include "server/CXlsSheetName.h"
#include "server/XlsRecordLayout.h"

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// An optional row or column part of R1C1 notation after its letter: a
// number (R3) or a bracketed offset (R[-1]). False on a broken bracket.
bool SkipR1C1Part(std::u16string_view text, std::size_t& pos) {
    if (pos < text.size() && text[pos] == u'[') {
        ++pos;
        if (pos < text.size() && text[pos] == u'-') ++pos;
        const std::size_t digits = pos;
        while (pos < text.size() && IsDigit(text[pos])) ++pos;
        if (pos == digits || pos >= text.size() || text[pos] != u']') return false;
        ++pos;
        return true;
    }
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return true;
}

// "R", "C", "RC", "R2C3", "R[1]C[-1]": what the spreadsheet would read as
// a cell, row or column in R1C1 notation.
bool ReadsAsR1C1(std::u16string_view text) {
    std::size_t pos = 0;
    bool lettered = false;
    for (char16_t letter : {u'R', u'C'}) {
        if (pos >= text.size() || CXlsSheetName::Fold(text[pos]) != letter) continue;
        lettered = true;
        ++pos;
        if (!SkipR1C1Part(text, pos)) return false;
    }
    return lettered && pos == text.size();
}

}  // namespace

bool CXlsDefinedNames::IsStorableText(std::u16string_view text) {
    if (text.empty() || text.size() > kMaxTextLength) return false;
    CXlsFormulaReference reference;
    if (CXlsFormulaReference::Parse(text, reference) == text.size()) return false;
    return !ReadsAsR1C1(text);
}

std::size_t CXlsDefinedNames::Find(std::u16string_view text, std::uint32_t scopeSheetId) const {
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i].scopeSheetId == scopeSheetId &&
            CXlsSheetName::SameName(m_names[i].text, text)) {
            return i;
        }
    }
    return kNotFound;
}

std::size_t CXlsDefinedNames::Resolve(std::u16string_view text, std::uint32_t ownSheetId) const {
    if (ownSheetId != CXlsDefinedName::kWorkbookScope) {
        const std::size_t own = Find(text, ownSheetId);
        if (own != kNotFound) return own;
    }
    return Find(text, CXlsDefinedName::kWorkbookScope);
}

std::size_t CXlsDefinedNames::RecordBodySize(const CXlsDefinedName& name) {
    // A built-in name is stored as its one code character.
    const std::size_t characters =
        name.builtinCode ? 1
                         : name.text.size() * (CBiffRecordBuilder::FitsEightBit(name.text) ? 1 : 2);
    return xlsw::kNameFixedSize + 1 + characters + name.formula.Tokens().size() +
           name.formula.Extra().size();
}

std::size_t CXlsDefinedNames::Set(CXlsDefinedName name) {
    const std::optional<std::uint8_t> builtin = CXlsBuiltinNames::CodeOf(name.text);
    if (builtin) {
        name.builtinCode = builtin;
        name.text = std::u16string(CXlsBuiltinNames::TextOf(*builtin));
    } else {
        name.builtinCode.reset();
        if (!IsStorableText(name.text)) return kNotFound;
    }
    if (RecordBodySize(name) > xlsw::kMaxRecordBody) return kNotFound;

    const std::size_t existing = Find(name.text, name.scopeSheetId);
    if (existing != kNotFound) {
        // The first spelling stays, as does the position formulas refer to.
        name.text = std::move(m_names[existing].text);
        m_names[existing] = std::move(name);
        return existing;
    }
    if (m_names.size() >= kMaxNames) return kNotFound;
    m_names.push_back(std::move(name));
    return m_names.size() - 1;
}

bool CXlsDefinedNames::SetFormula(std::size_t position, CXlsFormulaTokens formula) {
    CXlsDefinedName changed = m_names[position];
    changed.formula = std::move(formula);
    if (RecordBodySize(changed) > xlsw::kMaxRecordBody) return false;
    m_names[position] = std::move(changed);
    return true;
}
