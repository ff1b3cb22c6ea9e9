#include "server/CXlsConditionalFormatRecords.h"

using namespace xlsw;

namespace {

constexpr std::uint16_t kCONDFMT = 0x01B0;
constexpr std::uint16_t kCF = 0x01B1;

// First flags word: bits 0-21 mark each part not included (alignment,
// protection, lines 10-15, pattern 16, pattern colour 17, fill colour 18,
// number format and font index); bits 26, 28, 29 announce the font,
// border and pattern blocks; bit 31 the reading order not included.
constexpr std::uint32_t kNothingIncluded = 0x003FFFFF | 0x80000000;
constexpr unsigned kLineNotIncluded = 10;
constexpr std::uint32_t kPatternNotIncluded = 1u << 16;
constexpr std::uint32_t kPatternColorNotIncluded = 1u << 17;
constexpr std::uint32_t kFillColorNotIncluded = 1u << 18;
constexpr std::uint32_t kHasFont = 1u << 26;
constexpr std::uint32_t kHasBorders = 1u << 28;
constexpr std::uint32_t kHasPattern = 1u << 29;
// Second flags word, as the spreadsheet writes it.
constexpr std::uint16_t kSecondFlags = 0x8002;

// Font block (118 bytes).
constexpr std::uint32_t kUnset = 0xFFFFFFFF;
constexpr std::uint32_t kStyleItalic = 0x02;
constexpr std::uint32_t kStyleStrikeOut = 0x80;
constexpr std::uint32_t kStyleAlwaysNotIncluded = 0x18;
constexpr std::uint16_t kWeightNormal = 400;
constexpr std::uint16_t kWeightBold = 700;
constexpr std::uint32_t kFontNameBytes = 64;
constexpr std::uint32_t kWholeCharacterRange = 0x7FFFFFFF;

void PutFont(const CXlsConditionFormat& f, CBiffRecordBuilder& record) {
    std::uint32_t style = 0;
    std::uint32_t styleNotIncluded = kStyleAlwaysNotIncluded | kStyleItalic | kStyleStrikeOut;
    if (f.italic) {
        styleNotIncluded &= ~kStyleItalic;
        if (*f.italic) style |= kStyleItalic;
    }
    if (f.strikeOut) {
        styleNotIncluded &= ~kStyleStrikeOut;
        if (*f.strikeOut) style |= kStyleStrikeOut;
    }
    record.Zeros(kFontNameBytes);
    record.U32(f.fontHeight ? *f.fontHeight : kUnset).U32(style);
    record.U16(f.bold ? (*f.bold ? kWeightBold : kWeightNormal) : 0).U16(0);  // escapement
    record.U8(f.underline ? *f.underline : 0).U8(0).U8(0).U8(0);
    record.U32(f.fontColor ? *f.fontColor : kUnset).U32(0);
    record.U32(styleNotIncluded).U32(1);  // escapement not included
    record.U32(f.underline ? 0 : 1).U32(f.bold ? 0 : 1);
    record.U32(1).U32(0).U32(kWholeCharacterRange).U16(1);
}

void PutLines(const CXlsConditionFormat& f, CBiffRecordBuilder& record) {
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    const auto line = [&f](int edge) {
        return f.lines[edge].value_or(CXlsConditionFormat::Line{});
    };
    for (int edge = 0; edge < CXlsConditionFormat::kEdgeCount; ++edge)
        first |= std::uint32_t{line(edge).style & 0x0Fu} << (4 * edge);
    first |= std::uint32_t{line(CXlsConditionFormat::kLeft).color & 0x7Fu} << 16;
    first |= std::uint32_t{line(CXlsConditionFormat::kRight).color & 0x7Fu} << 23;
    second |= line(CXlsConditionFormat::kTop).color & 0x7Fu;
    second |= std::uint32_t{line(CXlsConditionFormat::kBottom).color & 0x7Fu} << 7;
    record.U32(first).U32(second);
}

void PutFill(const CXlsConditionFormat& f, CBiffRecordBuilder& record) {
    record.U16(static_cast<std::uint16_t>(f.pattern.value_or(0) << 10));
    record.U16(static_cast<std::uint16_t>((f.patternColor.value_or(64) & 0x7F) |
                                          ((f.fillColor.value_or(65) & 0x7F) << 7)));
}

void PutRect(const CXlsCellRange& range, CBiffRecordBuilder& record) {
    record.U16(static_cast<std::uint16_t>(range.FirstRow()))
        .U16(static_cast<std::uint16_t>(range.LastRow()))
        .U16(static_cast<std::uint16_t>(range.FirstColumn()))
        .U16(static_cast<std::uint16_t>(range.LastColumn()));
}

}  // namespace

void CXlsConditionalFormatRecords::PutFormat(const CXlsConditionFormat& format,
                                             CBiffRecordBuilder& record) {
    std::uint32_t flags = kNothingIncluded;
    if (format.HasFont()) flags |= kHasFont;
    if (format.HasLines()) flags |= kHasBorders;
    for (int edge = 0; edge < CXlsConditionFormat::kEdgeCount; ++edge) {
        if (format.lines[edge]) flags &= ~(1u << (kLineNotIncluded + edge));
    }
    if (format.HasFill()) flags |= kHasPattern;
    if (format.pattern) flags &= ~kPatternNotIncluded;
    if (format.patternColor) flags &= ~kPatternColorNotIncluded;
    if (format.fillColor) flags &= ~kFillColorNotIncluded;
    record.U32(flags).U16(kSecondFlags);
    if (format.HasFont()) PutFont(format, record);
    if (format.HasLines()) PutLines(format, record);
    if (format.HasFill()) PutFill(format, record);
}

bool CXlsConditionalFormatRecords::Write(const std::vector<CXlsConditionalFormat>& formats,
                                         CBiffRecordBuilder& record, CBiffRecordWriter& out) {
    std::uint16_t id = 0;
    for (const CXlsConditionalFormat& format : formats) {
        record.Reset(kCONDFMT);
        record.U16(static_cast<std::uint16_t>(format.conditions.size())).U16(++id);
        PutRect(format.range, record);
        record.U16(1);
        PutRect(format.range, record);
        if (!out.Write(record)) return false;
        for (const CXlsCondition& condition : format.conditions) {
            const auto tokens1 = condition.formula1.Tokens();
            const auto tokens2 = condition.formula2.Tokens();
            record.Reset(kCF);
            record.U8(condition.kind).U8(condition.op);
            record.U16(static_cast<std::uint16_t>(tokens1.size()))
                .U16(static_cast<std::uint16_t>(tokens2.size()));
            PutFormat(condition.format, record);
            record.Bytes(tokens1.data(), tokens1.size()).Bytes(tokens2.data(), tokens2.size());
            if (!out.Write(record)) return false;
        }
    }
    return true;
}
