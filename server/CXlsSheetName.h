// The spreadsheet's rules for worksheet names: 1 to 31 characters, none of
// [ ] : * ? / \, not starting or ending with an apostrophe, and unique in
// the workbook when compared without regard to case.
#pragma once

#include <cstddef>
#include <string_view>

class CXlsSheetName {
  public:
    static constexpr std::size_t kMaxLength = 31;

    // Length and characters; uniqueness is the workbook's to check.
    static bool IsValid(std::u16string_view name);
    // Equal when compared without regard to case (Latin, Greek, Cyrillic
    // and full-width Latin letters; other characters compare exactly).
    static bool SameName(std::u16string_view a, std::u16string_view b);
    // The upper-case form used by SameName.
    static char16_t Fold(char16_t c);
};
