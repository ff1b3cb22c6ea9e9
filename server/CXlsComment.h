// One cell comment of the worksheet model: its text, its author's name, and
// whether it is shown at all times (otherwise it shows while the pointer
// rests on its cell).
//
// The author is kept as given. The file holds 1 to 54 characters of it: the
// writer writes the first 54, and a single space for an empty author.
#pragma once

#include <string>

struct CXlsComment {
    std::u16string text;
    std::u16string author;
    bool visible = false;
};
