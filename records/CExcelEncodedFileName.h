// The file name of another workbook as a SUPBOOK stores it, made readable.
//
// A name that starts with the character 0x01 is encoded: control characters
// stand for the parts of a path that differ between systems.
//
//   0x01 c     the volume c ("C:\"), or with c = '@' the start of a UNC
//              path ("\\"; the server name follows)
//   0x02       the root of the volume the workbook itself is on ("\")
//   0x03       the end of a directory name ("\")
//   0x04       one directory up ("..\")
//   0x05 n     a URL of n characters follows as it is written
//   0x06       the spreadsheet's start-up directory
//   0x07       its alternative start-up directory
//   0x08       its library directory
//
// Any other character stands for itself; a path without a volume or root
// is relative to the directory of the workbook holding the link. A name that
// does not start with 0x01 is taken as written.
//
//   0x01 0x01 'D' "sub" 0x03 "ext.xls"     D:\sub\ext.xls
//   0x01 0x01 '@' "pc" 0x03 "s" 0x03 "x.xls"  \\pc\s\x.xls
//   0x01 0x04 "sub" 0x03 "ext.xls"         ..\sub\ext.xls
//   0x01 0x05 0x16 "http://host/a/book.xls"  http://host/a/book.xls
#pragma once

#include <string>
#include <string_view>

class CExcelEncodedFileName {
public:
    // True with path set to the readable path. False, path unchanged, for
    // an empty name, a name that refers to the spreadsheet's own start-up
    // or library directories (where they are on the machine that wrote the
    // file is not known), a volume or URL cut short, a volume that is a
    // control character, and any other control character left (DDE and OLE
    // links separate their parts with 0x03).
    static bool Decode(std::u16string_view encoded, std::u16string& path);

    // Splits a readable path after its last '\' or '/': directory keeps the
    // separator ("C:\dir\", "http://host/"), file the rest. False, both
    // unchanged, when the file part would be empty.
    static bool Split(std::u16string_view path, std::u16string& directory, std::u16string& file);
};
