// How an HLINK record stores a hyperlink's address: which moniker, whether
// it is absolute, and for a file path how many "..\" steps lead up to it.
// The address text is borrowed and must outlive the object.
#pragma once

#include <cstdint>
#include <string_view>

class CXlsHyperlinkAddress {
public:
    enum class EKind {
        kNone,  // empty: a place in this workbook
        kUrl,   // a URL moniker
        kUnc,   // a UNC path, kept as a string
        kFile,  // a file moniker
    };

    explicit CXlsHyperlinkAddress(std::u16string_view address);

    EKind Kind() const { return m_kind; }
    bool IsAbsolute() const { return m_absolute; }
    // A file path: the leading "..\" steps, and the path after them.
    std::uint16_t ParentSteps() const { return m_steps; }
    std::u16string_view Path() const { return m_path; }

private:
    EKind m_kind = EKind::kNone;
    bool m_absolute = false;
    std::uint16_t m_steps = 0;
    std::u16string_view m_path;
};
