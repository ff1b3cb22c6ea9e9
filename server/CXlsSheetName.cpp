#include "server/CXlsSheetName.h"

namespace {

constexpr char16_t kForbidden[] = u"[]:*?/\\";
constexpr char16_t kApostrophe = u'\'';

// Lower-case letters and how far their upper case lies. With step 2 only
// every other character, starting at first + 1, is lower case (the paired
// blocks of Latin Extended-A and Cyrillic).
struct FoldRange {
    char16_t first;
    char16_t last;
    int delta;
    int step;
};

constexpr FoldRange kFoldRanges[] = {
    {0x0061, 0x007A, -32, 1}, {0x00E0, 0x00F6, -32, 1}, {0x00F8, 0x00FE, -32, 1},
    {0x00FF, 0x00FF, 121, 1}, {0x0100, 0x0137, -1, 2},  {0x0139, 0x0148, -1, 2},
    {0x014A, 0x0177, -1, 2},  {0x0179, 0x017E, -1, 2},  {0x03B1, 0x03C1, -32, 1},
    {0x03C2, 0x03C2, -31, 1}, {0x03C3, 0x03CB, -32, 1}, {0x0430, 0x044F, -32, 1},
    {0x0450, 0x045F, -80, 1}, {0x0460, 0x0481, -1, 2},  {0x0490, 0x04BF, -1, 2},
    {0xFF41, 0xFF5A, -32, 1},
};

}  // namespace

bool CXlsSheetName::IsValid(std::u16string_view name) {
    if (name.empty() || name.size() > kMaxLength) return false;
    if (name.front() == kApostrophe || name.back() == kApostrophe) return false;
    return name.find_first_of(kForbidden) == std::u16string_view::npos;
}

char16_t CXlsSheetName::Fold(char16_t c) {
    for (const FoldRange& range : kFoldRanges) {
        if (c < range.first || c > range.last) continue;
        if (range.step == 2 && (c - range.first) % 2 == 0) return c;
        return static_cast<char16_t>(c + range.delta);
    }
    return c;
}

bool CXlsSheetName::SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
}
