#include "records/CExcelEncodedFileName.h"

#include <cstddef>
#include <utility>

namespace {

constexpr char16_t kEncoded = 0x01;
constexpr char16_t kVolume = 0x01;
constexpr char16_t kSameVolume = 0x02;
constexpr char16_t kDirectoryEnd = 0x03;
constexpr char16_t kParentDirectory = 0x04;
constexpr char16_t kUrl = 0x05;
constexpr char16_t kUncVolume = u'@';
constexpr char16_t kFirstPrintable = 0x20;

}  // namespace

bool CExcelEncodedFileName::Decode(std::u16string_view encoded, std::u16string& path) {
    if (encoded.empty()) return false;
    std::u16string readable;
    const bool isEncoded = encoded[0] == kEncoded;
    std::size_t at = isEncoded ? 1 : 0;
    while (at < encoded.size()) {
        const char16_t c = encoded[at++];
        if (c >= kFirstPrintable) {
            readable.push_back(c);
            continue;
        }
        if (!isEncoded) return false;
        switch (c) {
            case kVolume:
                if (at >= encoded.size() || encoded[at] < kFirstPrintable) return false;
                if (encoded[at] == kUncVolume) {
                    readable += u"\\\\";
                } else {
                    readable.push_back(encoded[at]);
                    readable += u":\\";
                }
                ++at;
                break;
            case kSameVolume:
            case kDirectoryEnd:
                readable.push_back(u'\\');
                break;
            case kParentDirectory:
                readable += u"..\\";
                break;
            case kUrl: {
                // The count says how many characters the URL has; they are
                // taken as written, control characters included.
                if (at >= encoded.size()) return false;
                const std::size_t count = encoded[at++];
                if (count > encoded.size() - at) return false;
                readable += encoded.substr(at, count);
                at += count;
                break;
            }
            default:
                // Start-up and library directories, and characters that no
                // encoded path holds.
                return false;
        }
    }
    if (readable.empty()) return false;
    path = std::move(readable);
    return true;
}

bool CExcelEncodedFileName::Split(std::u16string_view path, std::u16string& directory,
                                  std::u16string& file) {
    const std::size_t separator = path.find_last_of(u"\\/");
    const std::size_t start = separator == std::u16string_view::npos ? 0 : separator + 1;
    if (start >= path.size()) return false;
    directory.assign(path.substr(0, start));
    file.assign(path.substr(start));
    return true;
}
