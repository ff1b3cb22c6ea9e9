#include "records/CExcelDifferentialFormat.h"

#include "biff/CByteBuffer.h"

namespace {

// First flags word.
constexpr unsigned kLineNotIncluded = 10;  // + edge
constexpr std::uint32_t kPatternNotIncluded = 1u << 16;
constexpr std::uint32_t kPatternColorNotIncluded = 1u << 17;
constexpr std::uint32_t kFillColorNotIncluded = 1u << 18;
constexpr std::uint32_t kHasNumberFormat = 1u << 25;
constexpr std::uint32_t kHasFont = 1u << 26;
constexpr std::uint32_t kHasAlignment = 1u << 27;
constexpr std::uint32_t kHasBorders = 1u << 28;
constexpr std::uint32_t kHasPattern = 1u << 29;
constexpr std::uint32_t kHasProtection = 1u << 30;
// Second flags word.
constexpr std::uint16_t kUserNumberFormat = 0x0001;

constexpr std::uint32_t kFontBlockSize = 118;
constexpr std::uint32_t kAlignmentBlockSize = 8;
constexpr std::uint32_t kProtectionBlockSize = 2;
constexpr std::uint32_t kBuiltInFormatSize = 2;

// Font block offsets.
constexpr std::uint32_t kFontHeight = 64;
constexpr std::uint32_t kFontStyle = 68;
constexpr std::uint32_t kFontWeight = 72;
constexpr std::uint32_t kFontUnderline = 76;
constexpr std::uint32_t kFontColor = 80;
constexpr std::uint32_t kFontStyleNotIncluded = 88;
constexpr std::uint32_t kFontUnderlineNotIncluded = 96;
constexpr std::uint32_t kFontWeightNotIncluded = 100;
constexpr std::uint32_t kStyleItalic = 0x02;
constexpr std::uint32_t kStyleStrikeOut = 0x80;
constexpr std::uint32_t kUnset = 0xFFFFFFFF;
constexpr std::uint16_t kBoldWeight = 700;

void ReadFont(const std::uint8_t* f, CExcelDifferentialFormat& out) {
    const std::uint32_t height = CDataReader::GetU32(f + kFontHeight);
    if (height != kUnset) out.fontHeight = height;
    const std::uint32_t style = CDataReader::GetU32(f + kFontStyle);
    const std::uint32_t styleNotIncluded = CDataReader::GetU32(f + kFontStyleNotIncluded);
    if (!(styleNotIncluded & kStyleItalic)) out.italic = (style & kStyleItalic) != 0;
    if (!(styleNotIncluded & kStyleStrikeOut)) out.strikeOut = (style & kStyleStrikeOut) != 0;
    if (CDataReader::GetU32(f + kFontWeightNotIncluded) == 0)
        out.bold = CDataReader::GetU16(f + kFontWeight) >= kBoldWeight;
    if (CDataReader::GetU32(f + kFontUnderlineNotIncluded) == 0) out.underline = f[kFontUnderline];
    const std::uint32_t color = CDataReader::GetU32(f + kFontColor);
    if (color != kUnset) out.fontColor = static_cast<std::uint16_t>(color);
}

void ReadBorders(std::uint32_t flags, std::uint32_t first, std::uint32_t second,
                 CExcelDifferentialFormat& out) {
    const std::uint8_t colors[] = {static_cast<std::uint8_t>((first >> 16) & 0x7F),
                                   static_cast<std::uint8_t>((first >> 23) & 0x7F),
                                   static_cast<std::uint8_t>(second & 0x7F),
                                   static_cast<std::uint8_t>((second >> 7) & 0x7F)};
    for (int edge = 0; edge < CExcelDifferentialFormat::kEdgeCount; ++edge) {
        if (flags & (1u << (kLineNotIncluded + edge))) continue;
        out.lines[edge] = CExcelDifferentialFormat::Line{
            static_cast<std::uint8_t>((first >> (4 * edge)) & 0x0F), colors[edge]};
    }
}

}  // namespace

bool CExcelDifferentialFormat::Read(CExcelByteCursor& cursor, CExcelDifferentialFormat& out) {
    const std::uint32_t flags = cursor.U32();
    const std::uint16_t flags2 = cursor.U16();
    if (flags & kHasNumberFormat) {
        if (flags2 & kUserNumberFormat) {
            // The size counts its own two bytes.
            const std::uint16_t size = cursor.U16();
            if (size < 2 || !cursor.Skip(size - 2u)) return false;
        } else {
            cursor.Skip(kBuiltInFormatSize);
        }
    }
    if (flags & kHasFont) {
        std::uint8_t font[kFontBlockSize];
        if (!cursor.Bytes(font, sizeof font)) return false;
        ReadFont(font, out);
    }
    if (flags & kHasAlignment) cursor.Skip(kAlignmentBlockSize);
    if (flags & kHasBorders) {
        const std::uint32_t first = cursor.U32();
        const std::uint32_t second = cursor.U32();
        ReadBorders(flags, first, second, out);
    }
    if (flags & kHasPattern) {
        const std::uint16_t style = cursor.U16();
        const std::uint16_t colors = cursor.U16();
        if (!(flags & kPatternNotIncluded)) out.pattern = static_cast<std::uint8_t>(style >> 10);
        if (!(flags & kPatternColorNotIncluded))
            out.patternColor = static_cast<std::uint8_t>(colors & 0x7F);
        if (!(flags & kFillColorNotIncluded))
            out.fillColor = static_cast<std::uint8_t>((colors >> 7) & 0x7F);
    }
    if (flags & kHasProtection) cursor.Skip(kProtectionBlockSize);
    return cursor.Ok();
}
