// The moniker of a hyperlink stream (HLINK), read into the address text a
// hyperlink's Address holds:
// - URL moniker: the URL as stored, cut at its zero;
// - file moniker: one "..\" per parent step it counts, then the path (the
//   16-bit path when the moniker has one, else the 8-bit path, each byte
//   taken as the code point of the same value);
// - composite moniker: the address of its first URL or file moniker; item
//   and anti monikers in it are stepped over, and a composite holds at
//   most kMaxNesting levels of composites.
// Any other class id has no length we know, so the moniker cannot be
// stepped over and reading fails.
#pragma once

#include <cstdint>
#include <string>

#include "records/CExcelByteCursor.h"

class CExcelHyperlinkMoniker {
public:
    // A path holds at most this many characters; a file moniker whose
    // parent steps would make its address longer is damage.
    static constexpr std::uint32_t kMaxAddress = 32767;
    static constexpr std::uint32_t kMaxNesting = 4;

    // Reads the moniker at the cursor, class id first, and moves the cursor
    // past it. False, with address empty, when the moniker does not fit in
    // the bytes left, its class id is unknown, or it gives no address.
    static bool Read(CExcelByteCursor& cursor, std::u16string& address);

private:
    static bool ReadAt(CExcelByteCursor& cursor, std::uint32_t depth, std::u16string& address);
    static bool ReadUrl(CExcelByteCursor& cursor, std::u16string& address);
    static bool ReadFile(CExcelByteCursor& cursor, std::u16string& address);
    static bool ReadComposite(CExcelByteCursor& cursor, std::uint32_t depth,
                              std::u16string& address);
};
