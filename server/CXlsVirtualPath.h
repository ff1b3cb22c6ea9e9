// The encoded form in which a SUPBOOK stores the path of another workbook:
// a leading 0x01, then control characters in place of the parts a path
// starts with and of its separators:
//   0x01 x   the drive x:\        0x01 @   a UNC path \\server\...
//   0x02     the root of the drive this workbook is on (\dir\...)
//   0x03     a directory separator (\)
//   0x04     the parent directory (..\)
//   0x05 n   a URL (http, https, ftp) of n characters, as it is written
// A path without any of these is a file in this workbook's own folder.
// "C:\dir\book.xls" is stored as 01 01 'C' "dir" 03 "book.xls".
#pragma once

#include <optional>
#include <string>
#include <string_view>

class CXlsVirtualPath {
public:
    // The count after 0x05 is one character; longer URLs are refused.
    static constexpr std::size_t kMaxUrlLength = 255;

    // The encoded form of a readable path or URL; nothing for an empty
    // path, a URL over 255 characters, or a path holding a control
    // character of its own (below U+0020), which would read as a code.
    static std::optional<std::u16string> Encode(std::u16string_view path);
};
