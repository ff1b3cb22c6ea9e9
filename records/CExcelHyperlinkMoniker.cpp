#include "records/CExcelHyperlinkMoniker.h"

#include <cstring>

#include "records/HyperlinkLayout.h"

namespace {

bool IsClass(const std::uint8_t* classId, const std::uint8_t (&known)[hlink::kClassIdSize]) {
    return std::memcmp(classId, known, hlink::kClassIdSize) == 0;
}

// An item moniker's two strings, or an anti moniker's count: they carry no
// address of their own.
bool SkipItem(CExcelByteCursor& cursor) {
    return cursor.Skip(cursor.U32()) && cursor.Skip(cursor.U32());
}

}  // namespace

bool CExcelHyperlinkMoniker::Read(CExcelByteCursor& cursor, std::u16string& address) {
    address.clear();
    if (ReadAt(cursor, 0, address) && !address.empty()) return true;
    address.clear();
    return false;
}

bool CExcelHyperlinkMoniker::ReadAt(CExcelByteCursor& cursor, std::uint32_t depth,
                                    std::u16string& address) {
    std::uint8_t classId[hlink::kClassIdSize];
    if (!cursor.Bytes(classId, sizeof classId)) return false;
    if (IsClass(classId, hlink::kUrlMoniker)) return ReadUrl(cursor, address);
    if (IsClass(classId, hlink::kFileMoniker)) return ReadFile(cursor, address);
    if (IsClass(classId, hlink::kCompositeMoniker)) return ReadComposite(cursor, depth, address);
    if (IsClass(classId, hlink::kItemMoniker)) return SkipItem(cursor);
    if (IsClass(classId, hlink::kAntiMoniker)) return cursor.Skip(4);
    return false;
}

bool CExcelHyperlinkMoniker::ReadUrl(CExcelByteCursor& cursor, std::u16string& address) {
    // The length counts bytes: the URL with its zero, and the 24 bytes of
    // serialisation data that some writers add after it.
    const std::uint32_t length = cursor.U32();
    if (!cursor.Ok() || length > cursor.Left()) return false;
    const std::uint32_t start = cursor.Position();
    address = cursor.Utf16(length / 2);
    return cursor.Skip(length - (cursor.Position() - start));
}

bool CExcelHyperlinkMoniker::ReadFile(CExcelByteCursor& cursor, std::u16string& address) {
    const std::uint32_t steps = cursor.U16();
    const std::uint32_t ansiLength = cursor.U32();
    std::u16string path = cursor.Latin1(ansiLength);
    if (!cursor.Skip(hlink::kFileMonikerGap)) return false;
    const std::uint32_t wideSize = cursor.U32();
    if (wideSize > 0) {
        const std::uint32_t wideBytes = cursor.U32();
        cursor.Skip(2);  // key
        // The size counts the byte length and key fields too; a 16-bit
        // part that disagrees with it is damage.
        if (!cursor.Ok() || wideSize != wideBytes + hlink::kFileMonikerKeySize) return false;
        const std::uint32_t start = cursor.Position();
        path = cursor.Utf16(wideBytes / 2);
        if (!cursor.Skip(wideBytes - (cursor.Position() - start))) return false;
    }
    if (!cursor.Ok() || std::uint64_t{steps} * 3 + path.size() > kMaxAddress) return false;
    address.clear();
    for (std::uint32_t i = 0; i < steps; ++i) address += u"..\\";
    address += path;
    return true;
}

bool CExcelHyperlinkMoniker::ReadComposite(CExcelByteCursor& cursor, std::uint32_t depth,
                                           std::u16string& address) {
    if (depth >= kMaxNesting) return false;
    // Each part takes at least its class id, so the count cannot make the
    // loop run past the bytes that are there.
    const std::uint32_t count = cursor.U32();
    for (std::uint32_t i = 0; i < count && cursor.Ok(); ++i) {
        std::u16string part;
        if (!ReadAt(cursor, depth + 1, part)) return false;
        if (address.empty()) address = std::move(part);
    }
    return cursor.Ok();
}
