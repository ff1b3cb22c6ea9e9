#include "repair/SstStringFraming.h"

#include "biff/BiffRecordIds.h"

namespace sstframing {

StringsFit FrameStrings(const BodyPieces& pieces, std::int64_t base, std::int64_t from,
                        std::int64_t stop, std::int64_t bodyEnd) {
    constexpr std::uint8_t kKnownFlags =
        biff::kStringWide | biff::kStringExtended | biff::kStringRich;
    constexpr std::int64_t kStringHeader = 3;  // character count and flags
    StringsFit fit;
    const std::int64_t held = base + pieces.Size();
    std::int64_t at = from;
    while (at < stop && at + kStringHeader <= bodyEnd && at + kStringHeader <= held) {
        const auto pos = static_cast<std::uint32_t>(at - base);
        const std::uint32_t chars = pieces.U16(pos);
        const std::uint8_t flags = pieces.At(pos + 2);
        ++fit.headers;
        if ((flags & ~kKnownFlags) != 0) {
            fit.broken = true;
            break;
        }
        std::int64_t after = at + kStringHeader;
        const std::int64_t runsAt = after;
        if (flags & biff::kStringRich) after += 2;
        const std::int64_t extensionAt = after;
        if (flags & biff::kStringExtended) after += 4;
        if (after > held) break;
        const std::int64_t runs =
            (flags & biff::kStringRich) ? pieces.U16(static_cast<std::uint32_t>(runsAt - base)) : 0;
        const std::int64_t extension =
            (flags & biff::kStringExtended)
                ? pieces.U32(static_cast<std::uint32_t>(extensionAt - base))
                : 0;
        at = after + chars * ((flags & biff::kStringWide) ? 2 : 1) + runs * 4 + extension;
        if (chars > 0) ++fit.strings;
    }
    fit.next = at;
    return fit;
}

}  // namespace sstframing
