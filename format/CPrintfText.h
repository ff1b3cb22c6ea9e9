// A double written as a printf conversion would write it in the C locale,
// as UTF-16 text: the plain renderings of cell values ("%G", "%.2f") go
// through here. The text never depends on the process's locale, so a
// decimal point is always ".".
#pragma once

#include <string>
#include <string_view>

class CPrintfText {
public:
    // conversion: "%[width][.precision]f", "g" or "G" (precision 6 when
    // left out), written by this program, never taken from a file; any
    // other text gives empty text. The result is at most 400 characters,
    // which holds "%.2f" of the largest double; a wider width or longer
    // text gives empty text.
    static std::u16string Of(std::string_view conversion, double value);
};
