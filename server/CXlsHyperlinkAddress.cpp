#include "server/CXlsHyperlinkAddress.h"

namespace {

bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// A URL scheme: a letter, then letters, digits, '+', '-' or '.', then ':'.
// One letter before the colon is a drive, not a scheme.
bool HasScheme(std::u16string_view address) {
    if (address.empty() || !IsLetter(address[0])) return false;
    for (std::size_t i = 1; i < address.size(); ++i) {
        const char16_t c = address[i];
        if (c == u':') return i >= 2;
        if (!IsLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.')
            return false;
    }
    return false;
}

}  // namespace

CXlsHyperlinkAddress::CXlsHyperlinkAddress(std::u16string_view address) : m_path(address) {
    if (address.empty()) return;
    if (HasScheme(address)) {
        m_kind = EKind::kUrl;
        m_absolute = true;
    } else if (address.starts_with(u"\\\\")) {
        m_kind = EKind::kUnc;
        m_absolute = true;
    } else {
        m_kind = EKind::kFile;
        m_absolute =
            IsSeparator(address.front()) || (address.size() >= 3 && IsLetter(address[0]) &&
                                             address[1] == u':' && IsSeparator(address[2]));
        // The steps are stored as a count; the path keeps what follows.
        while (m_steps < UINT16_MAX && m_path.starts_with(u"..\\")) {
            m_path.remove_prefix(3);
            ++m_steps;
        }
    }
}
